// board_play.h: opening a game window with a scripted secret and playing it as a player would.
#pragma once

#include "rules/random.h"
#include "support/gui.h"
#include "toolkit/registry.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QTest>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace board {

// The eleven peg colours, palette order top to bottom, as 0x00BBGGRR.
struct PegColour {
    const char* name;
    unsigned value;
};
inline constexpr std::array<PegColour, 11> kPegs{{
    {"bianco", 0xFFFFFF},
    {"nero", 0x000000},
    {"rosa", 0xC0C0FF},
    {"rosso", 0x0000FF},
    {"arancio", 0x0080FF},
    {"giallo", 0x00FFFF},
    {"verde", 0x00FF00},
    {"azzurro", 0xFFFF00},
    {"blu", 0xFF0000},
    {"viola", 0xFFC0C0},
    {"lilla", 0xFF00FF},
}};

inline constexpr unsigned kButtonFace = 0x8000000F; // empty hole, unlit square
inline constexpr unsigned kWindowBackground = 0x80000005;
inline constexpr unsigned kRed = 0x0000FF;
inline constexpr unsigned kWhite = 0xFFFFFF;

inline QString nameOf(int code) { return QString::fromLatin1(kPegs.at(code - 1).name); }
inline unsigned valueOf(int code) { return kPegs.at(code - 1).value; }

// The palette code of a peg colour, 0 for anything else.
inline int codeOf(unsigned value) {
    for (int code = 1; code <= 11; ++code)
        if (valueOf(code) == value)
            return code;
    return 0;
}

inline QString hole(int row, int column) { return QStringLiteral("img%1%2").arg(row).arg(column); }
inline QString disc(int row, int column) { return QStringLiteral("shp%1%2").arg(row).arg(column); }
inline QString square(int row, int k) { return QStringLiteral("shpp%1%2").arg(row).arg(k); }

inline toolkit::Shape* shape(const QWidget* window, const QString& name) {
    return support::control<toolkit::Shape>(window, name);
}

// What a stored value looks like on this desktop.
inline QColor onScreen(const QWidget* window, unsigned value) {
    if (value == kButtonFace)
        return window->palette().color(QPalette::Button);
    if (value == kWindowBackground)
        return window->palette().color(QPalette::Base);
    return support::rgb(value);
}

// Every new game draws its secret from the next seed (the last one repeats).
inline void scriptSecrets(toolkit::WindowRegistry& registry, std::vector<std::uint64_t> seeds) {
    auto opened = std::make_shared<std::size_t>(0);
    registry.setRandomSource([seeds, opened]() -> std::unique_ptr<rules::UnitRandom> {
        const std::uint64_t seed = seeds[std::min(*opened, seeds.size() - 1)];
        ++*opened;
        return std::make_unique<rules::SeededRandom>(seed);
    });
}

inline windows::frmcifrotto* openGame(toolkit::WindowRegistry& registry,
                                      std::vector<std::uint64_t> seeds = {2024}) {
    scriptSecrets(registry, std::move(seeds));
    auto* game = registry.show<windows::frmcifrotto>();
    if (!game || !QTest::qWaitForWindowActive(game))
        qFatal("the game window did not open");
    return game;
}

// The secret as the four secret shapes hold it, as palette codes (0 for a non-peg colour).
inline std::array<int, 4> secretOf(const QWidget* game) {
    std::array<int, 4> codes{};
    for (int k = 1; k <= 4; ++k)
        codes[std::size_t(k - 1)] = codeOf(shape(game, QStringLiteral("shpn%1").arg(k))->fill());
    return codes;
}

// The colours the secret does not hold, in palette order.
inline std::vector<int> absentFrom(const std::array<int, 4>& secret) {
    std::vector<int> absent;
    for (int code = 1; code <= 11; ++code)
        if (std::find(secret.begin(), secret.end(), code) == secret.end())
            absent.push_back(code);
    return absent;
}

inline void pick(QWidget* game, int code) {
    support::click(game, QStringLiteral("img") + nameOf(code));
}

// Picks each column's colour in the palette and clicks the hole, left to right.
inline void fillRow(QWidget* game, int row, const std::array<int, 4>& codes) {
    for (int column = 1; column <= 4; ++column) {
        pick(game, codes[std::size_t(column - 1)]);
        support::click(game, hole(row, column));
    }
}

inline void playRow(QWidget* game, int row, const std::array<int, 4>& codes) {
    fillRow(game, row, codes);
    support::click(game, QStringLiteral("cmdconferma"));
}

// A row's feedback squares, square 1 first: R red, W white, . unlit, ? anything else.
inline QString squaresOf(const QWidget* game, int row) {
    QString text;
    for (int k = 1; k <= 4; ++k) {
        const unsigned value = shape(game, square(row, k))->fill();
        text += value == kRed ? u'R' : value == kWhite ? u'W' : value == kButtonFace ? u'.' : u'?';
    }
    return text;
}

// The same squares as the grabbed window shows them, read at each square's centre.
inline QString squaresOnScreen(QWidget* game, int row) {
    const QImage image = support::grab(game);
    const QColor red = onScreen(game, kRed);
    const QColor white = onScreen(game, kWhite);
    const QColor unlit = onScreen(game, kButtonFace);
    QString text;
    for (int k = 1; k <= 4; ++k) {
        const QColor seen =
            image.pixelColor(support::centreOf(support::controlOf(game, square(row, k))));
        text += seen == red ? u'R' : seen == white ? u'W' : seen == unlit ? u'.' : u'?';
    }
    return text;
}

// A row written against the secret: 1..4 is the secret's colour at that position, -n the n-th
// colour that the secret does not hold.
inline std::array<int, 4> rowAgainst(const std::array<int, 4>& secret,
                                     const std::array<int, 4>& pattern) {
    const std::vector<int> absent = absentFrom(secret);
    std::array<int, 4> codes{};
    for (std::size_t i = 0; i < 4; ++i)
        codes[i] = pattern[i] > 0 ? secret[std::size_t(pattern[i] - 1)]
                                  : absent[std::size_t(-pattern[i] - 1)];
    return codes;
}

// What differs from a game window as it opens, or nothing: empty holes, unlit squares, row 1
// alone taking clicks, no colour picked, the cover on, a disabled "&Conferma", untouched
// outcome carriers, and a secret of four different peg colours.
inline QString departureFromOpening(const windows::frmcifrotto* game) {
    for (int r = 1; r <= 12; ++r) {
        for (int c = 1; c <= 4; ++c) {
            if (shape(game, disc(r, c))->fill() != kButtonFace)
                return disc(r, c) + " holds a peg";
            if (shape(game, square(r, c))->fill() != kButtonFace)
                return square(r, c) + " is lit";
            if (support::control<toolkit::Item>(game, hole(r, c))->isVisible() != (r == 1))
                return hole(r, c) + " has the wrong activity";
        }
    }
    for (int k = 1; k <= 11; ++k)
        if (shape(game, "shps" + nameOf(k))->isVisible())
            return nameOf(k) + " is picked";
    if (!shape(game, "shpschermo")->isVisible())
        return "the secret is uncovered";
    if (support::control<QWidget>(game, "cmdconferma")->isEnabled())
        return "Conferma is enabled";
    if (!support::control<QLabel>(game, "lblmessaggio")->text().isEmpty())
        return "the outcome marker is set";
    if (support::control<QAbstractButton>(game, "opt1")->isChecked())
        return "the outcome flag is set";
    if (game->board().riga != 0)
        return "rows were confirmed";
    const auto secret = secretOf(game);
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j)
            if (secret[i] == 0 || (i != j && secret[i] == secret[j]))
                return "the secret is not four different peg colours";
    return {};
}

} // namespace board
