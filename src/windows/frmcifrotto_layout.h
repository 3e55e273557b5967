// frmcifrotto_layout.h: the game board's 200 controls in twips, bottom of the stacking order
// first. Families are laid out by formula: rows are numbered from the bottom.
#pragma once

#include "rules/board.h"
#include "rules/colour.h"
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

// The names of the board's families: the table names its controls with these, and the window
// finds them by the same names. The column is one digit and comes last: shp111 is row 11.
constexpr ControlName discName(int row, int column) { return named("shp", row, column); }
constexpr ControlName holeName(int row, int column) { return named("img", row, column); }
constexpr ControlName squareName(int row, int k) { return named("shpp", row, k); }
constexpr ControlName secretName(int k) { return named("shpn", k); }
constexpr std::string_view colourWord(int code) {
    return rules::kColours.at(static_cast<std::size_t>(code - 1)).name;
}
constexpr ControlName markerName(int code) { return named("shps", colourWord(code)); }
constexpr ControlName swatchName(int code) { return named("shp", colourWord(code)); }
constexpr ControlName paletteAreaName(int code) { return named("img", colourWord(code)); }

// What the board looks like before and around the game: the rules never store these.
inline constexpr colour::ColourValue kCoverGrey = 0x808080;
inline constexpr colour::ColourValue kMarkerGreen = 0xC0FFC0;
inline constexpr toolkit::ShapeStyle kDisc{ShapeForm::Circle, rules::kEmpty, true, true};
inline constexpr toolkit::ShapeStyle kUnlitSquare{ShapeForm::Rectangle, rules::kEmpty, true, true};
inline constexpr toolkit::FontSpec kComic12{FontFace::Comic, 12, false};

inline constexpr std::size_t kControlCount = 200;
using Table = std::array<ControlSpec, kControlCount>;

constexpr Table makeTable() {
    Table table{};
    std::size_t count = 0;
    const auto add = [&table, &count](const ControlSpec& control) { table.at(count++) = control; };
    add({.kind = ControlKind::Shape,
         .name = "shpriquadro",
         .rect = {1200, 120, 2775, 7815},
         .shape = {ShapeForm::Rectangle, rules::kEmpty, false, true}});
    for (int row = kRows - 1; row >= 1; --row)
        add({.kind = ControlKind::Line,
             .name = named("Line", separatorNumber(row)),
             .rect = {1200, separatorY(row), 3960, separatorY(row)}});

    for (int row = 1; row <= kRows; ++row)
        for (int k = 1; k <= kColumns; ++k)
            add({.kind = ControlKind::Shape,
                 .name = squareName(row, k),
                 .rect = {squareLeft(k), squareTop(row, k), kSquareSize, kSquareSize},
                 .shape = kUnlitSquare});

    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column)
            add({.kind = ControlKind::Shape,
                 .name = discName(row, column),
                 .rect = {columnLeft(column), rowTop(row), kHoleSize, kHoleSize},
                 .shape = kDisc});

    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column)
            add({.kind = ControlKind::ClickArea,
                 .name = holeName(row, column),
                 .rect = {columnLeft(column), rowTop(row), kHoleSize, kHoleSize},
                 .visible = row == 1});

    // The secret row opens white but for its last shape, which shows the window background;
    // the secret drawn as the window loads replaces all four.
    for (int k = 1; k <= kColumns; ++k)
        add({.kind = ControlKind::Shape,
             .name = secretName(k),
             .rect = {columnLeft(k), 240, kHoleSize, kHoleSize},
             .shape = {ShapeForm::Circle, k < 4 ? rules::kWhite : colour::kWindowBackground, true,
                       true}});
    add({.kind = ControlKind::Shape,
         .name = "shpschermo",
         .rect = {2040, 240, 1815, 375},
         .shape = {ShapeForm::Rectangle, kCoverGrey, true, true}});

    for (const auto& entry : rules::kColours) {
        const int code = entry.code;
        // The bianco swatch shows the window background, not the white it stands for.
        const colour::ColourValue fill = code == 1 ? colour::kWindowBackground : entry.value;
        add({.kind = ControlKind::Shape,
             .name = markerName(code),
             .rect = {240, swatchTop(code) - 120, code == 1 ? 630 : 615, 615},
             .shape = {ShapeForm::Circle, kMarkerGreen, true, false},
             .visible = false});
        add({.kind = ControlKind::Shape,
             .name = swatchName(code),
             .rect = {360, swatchTop(code), kHoleSize, kHoleSize},
             .shape = {ShapeForm::Circle, fill, true, true}});
        add({.kind = ControlKind::ClickArea,
             .name = paletteAreaName(code),
             .rect = {360, swatchTop(code), kHoleSize, kHoleSize}});
    }

    add({.kind = ControlKind::Button,
         .name = "cmdconferma",
         .rect = {4200, 4080, 1575, 495},
         .enabled = false,
         .tabIndex = 0,
         .caption = "&Conferma",
         .font = kComic12});
    add({.kind = ControlKind::Button,
         .name = "cmdesci",
         .rect = {4800, 7560, 1095, 375},
         .cancel = true,
         .tabIndex = 1,
         .caption = "&Fine"});
    add({.kind = ControlKind::Label,
         .name = "lblmessaggio",
         .rect = {4200, 4800, 975, 255},
         .visible = false,
         .tabIndex = 2});
    add({.kind = ControlKind::Option,
         .name = "opt1",
         .rect = {4200, 5160, 735, 255},
         .visible = false,
         .tabIndex = 3,
         .caption = "opt1"});
    add({.kind = ControlKind::Button,
         .name = "cmdricomincia",
         .rect = {4800, 6960, 1095, 375},
         .tabIndex = 4,
         .caption = "&Ricomincia"});
    add({.kind = ControlKind::Button,
         .name = "cmdsoluzione",
         .rect = {4800, 6360, 1095, 375},
         .tabIndex = 5,
         .caption = "&Soluzione"});
    if (count != kControlCount)
        throw "the board has 200 controls"; // not a constant expression: fails the build
    return table;
}

inline constexpr Table kControls = makeTable();

} // namespace windows::board_layout
