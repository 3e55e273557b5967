// frmcifrotto_layout.h: the game board's 200 controls in twips, bottom of the stacking order
// first. Families are laid out by formula: rows are numbered from the bottom.
#pragma once

#include "rules/board.h"
#include "toolkit/form.h"
#include "toolkit/layout.h"

namespace windows::board_layout {

using rules::kColumns;
using rules::kRows;
using toolkit::ControlKind;
using toolkit::ControlName;
using toolkit::ControlSpec;
using toolkit::FontFace;
using toolkit::ShapeForm;

inline constexpr toolkit::FormSpec kForm{"frmcifrotto", "Cifrotto", 6015, 8025, 0x80C0FF};

inline constexpr int kHoleSize = 375;
inline constexpr int kSquareSize = 135;

constexpr int rowTop(int row) { return 840 + 600 * (kRows - row); }
constexpr int columnLeft(int column) { return 2040 + 480 * (column - 1); }
constexpr int swatchTop(int code) { return 1080 + 600 * (code - 1); }

// Squares 3 and 4 on the upper line, 1 and 2 on the lower; 1 and 3 on the left.
constexpr int squareLeft(int k) { return k % 2 == 1 ? 1320 : 1560; }
constexpr int squareTop(int row, int k) { return k >= 3 ? rowTop(row) : rowTop(row) + 240; }

// The separator between row r and row r + 1; the lines were numbered 6 down to 1 from the
// top, then 10 to 14.
constexpr int separatorY(int row) { return 1320 + 600 * (11 - row); }
constexpr int separatorNumber(int row) { return row >= 6 ? row - 5 : 15 - row; }

constexpr ControlName named(std::string_view prefix, int first, int second = -1) {
    ControlName name(prefix);
    name.append(first);
    if (second >= 0)
        name.append(second);
    return name;
}
constexpr ControlName named(std::string_view prefix, std::string_view word) {
    ControlName name(prefix);
    name.append(word);
    return name;
}

inline constexpr toolkit::ShapeStyle kDisc{ShapeForm::Circle, rules::kEmpty, true, true};
inline constexpr toolkit::ShapeStyle kUnlitSquare{ShapeForm::Rectangle, rules::kEmpty, true, true};
inline constexpr toolkit::FontSpec kComic12{FontFace::Comic, 12, false};

struct Layout {
    std::array<ControlSpec, 200> controls{};
    int count = 0;
    // Where each family starts in the table.
    int squares = 0, discs = 0, holeAreas = 0, secrets = 0, cover = 0, palette = 0;
    int cmdconferma = 0, cmdesci = 0, lblmessaggio = 0, opt1 = 0, cmdricomincia = 0,
        cmdsoluzione = 0;

    constexpr int add(const ControlSpec& control) {
        controls[static_cast<std::size_t>(count)] = control;
        return count++;
    }
    constexpr int square(int row, int k) const { return squares + (row - 1) * kColumns + k - 1; }
    constexpr int disc(int row, int column) const {
        return discs + (row - 1) * kColumns + column - 1;
    }
    constexpr int holeArea(int row, int column) const {
        return holeAreas + (row - 1) * kColumns + column - 1;
    }
    constexpr int secret(int k) const { return secrets + k - 1; }
    // Each palette entry is its marker, then its swatch above it, then its click area.
    constexpr int marker(int code) const { return palette + (code - 1) * 3; }
    constexpr int swatch(int code) const { return marker(code) + 1; }
    constexpr int paletteArea(int code) const { return marker(code) + 2; }
};

constexpr Layout makeLayout() {
    Layout l;
    l.add({.kind = ControlKind::Shape,
           .name = "shpriquadro",
           .rect = {1200, 120, 2775, 7815},
           .shape = {ShapeForm::Rectangle, rules::kEmpty, false, true}});
    for (int row = kRows - 1; row >= 1; --row)
        l.add({.kind = ControlKind::Line,
               .name = named("Line", separatorNumber(row)),
               .rect = {1200, separatorY(row), 3960, separatorY(row)}});

    l.squares = l.count;
    for (int row = 1; row <= kRows; ++row)
        for (int k = 1; k <= kColumns; ++k)
            l.add({.kind = ControlKind::Shape,
                   .name = named("shpp", row, k),
                   .rect = {squareLeft(k), squareTop(row, k), kSquareSize, kSquareSize},
                   .shape = kUnlitSquare});

    l.discs = l.count;
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column)
            l.add({.kind = ControlKind::Shape,
                   .name = named("shp", row, column),
                   .rect = {columnLeft(column), rowTop(row), kHoleSize, kHoleSize},
                   .shape = kDisc});

    l.holeAreas = l.count;
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column)
            l.add({.kind = ControlKind::ClickArea,
                   .name = named("img", row, column),
                   .rect = {columnLeft(column), rowTop(row), kHoleSize, kHoleSize},
                   .visible = row == 1});

    l.secrets = l.count;
    for (int k = 1; k <= kColumns; ++k)
        l.add({.kind = ControlKind::Shape,
               .name = named("shpn", k),
               .rect = {columnLeft(k), 240, kHoleSize, kHoleSize},
               .shape = {ShapeForm::Circle, k < 4 ? rules::kWhite : rules::kWindowBackground, true,
                         true}});
    l.cover = l.add({.kind = ControlKind::Shape,
                     .name = "shpschermo",
                     .rect = {2040, 240, 1815, 375},
                     .shape = {ShapeForm::Rectangle, rules::kCoverGrey, true, true}});

    l.palette = l.count;
    for (const auto& colour : rules::kColours) {
        const int code = colour.code;
        // The bianco swatch keeps the window background the layout gives it.
        const rules::ColourValue fill = code == 1 ? rules::kWindowBackground : colour.value;
        l.add({.kind = ControlKind::Shape,
               .name = named("shps", colour.name),
               .rect = {240, swatchTop(code) - 120, code == 1 ? 630 : 615, 615},
               .shape = {ShapeForm::Circle, rules::kMarkerGreen, true, false},
               .visible = false});
        l.add({.kind = ControlKind::Shape,
               .name = named("shp", colour.name),
               .rect = {360, swatchTop(code), kHoleSize, kHoleSize},
               .shape = {ShapeForm::Circle, fill, true, true}});
        l.add({.kind = ControlKind::ClickArea,
               .name = named("img", colour.name),
               .rect = {360, swatchTop(code), kHoleSize, kHoleSize}});
    }

    l.cmdconferma = l.add({.kind = ControlKind::Button,
                           .name = "cmdconferma",
                           .rect = {4200, 4080, 1575, 495},
                           .enabled = false,
                           .tabIndex = 0,
                           .caption = "&Conferma",
                           .font = kComic12});
    l.cmdesci = l.add({.kind = ControlKind::Button,
                       .name = "cmdesci",
                       .rect = {4800, 7560, 1095, 375},
                       .cancel = true,
                       .tabIndex = 1,
                       .caption = "&Fine"});
    l.lblmessaggio = l.add({.kind = ControlKind::Label,
                            .name = "lblmessaggio",
                            .rect = {4200, 4800, 975, 255},
                            .visible = false,
                            .tabIndex = 2});
    l.opt1 = l.add({.kind = ControlKind::Option,
                    .name = "opt1",
                    .rect = {4200, 5160, 735, 255},
                    .visible = false,
                    .tabIndex = 3,
                    .caption = "opt1"});
    l.cmdricomincia = l.add({.kind = ControlKind::Button,
                             .name = "cmdricomincia",
                             .rect = {4800, 6960, 1095, 375},
                             .tabIndex = 4,
                             .caption = "&Ricomincia"});
    l.cmdsoluzione = l.add({.kind = ControlKind::Button,
                            .name = "cmdsoluzione",
                            .rect = {4800, 6360, 1095, 375},
                            .tabIndex = 5,
                            .caption = "&Soluzione"});
    return l;
}

inline constexpr Layout kLayout = makeLayout();
static_assert(kLayout.count == 200, "the board has 200 controls");

} // namespace windows::board_layout
