// pegs.h: the eleven peg colours as the tests know them, typed in from the game's description
// rather than taken from the code's table, so that a wrong table shows.
#pragma once

#include <QString>

#include <array>

namespace pegs {

struct Peg {
    const char* name;
    unsigned value; // 0x00BBGGRR
};

// Palette order, top to bottom, is code order: code 1 is bianco.
inline constexpr std::array<Peg, 11> kPegs{{
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

inline constexpr unsigned kButtonFace = 0x8000000F; // an empty hole, an unlit square
inline constexpr unsigned kWindowBackground = 0x80000005;
inline constexpr unsigned kRed = 0x0000FF;
inline constexpr unsigned kWhite = 0xFFFFFF;

inline QString nameOf(int code) {
    return QString::fromLatin1(kPegs.at(std::size_t(code - 1)).name);
}
inline unsigned valueOf(int code) { return kPegs.at(std::size_t(code - 1)).value; }

// The code of a named colour or of a peg value; 0 for anything else.
inline int codeOf(const QString& name) {
    for (int code = 1; code <= 11; ++code)
        if (nameOf(code) == name)
            return code;
    return 0;
}
inline int codeOf(unsigned value) {
    for (int code = 1; code <= 11; ++code)
        if (valueOf(code) == value)
            return code;
    return 0;
}

// Feedback squares as text, square 1 first: R red, W white, . unlit, ? anything else.
inline QChar squareLetter(unsigned value) {
    return value == kRed ? u'R' : value == kWhite ? u'W' : value == kButtonFace ? u'.' : u'?';
}

} // namespace pegs
