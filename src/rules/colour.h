// colour.h: the eleven peg colours and the 32-bit colour values the board stores.
#pragma once

#include "colour/colour_value.h"

#include <array>
#include <optional>
#include <string_view>

namespace rules {

using colour::ColourValue;
using colour::kButtonFace;

// An empty hole and an unlit feedback square both hold the button-face value.
inline constexpr ColourValue kEmpty = kButtonFace;

constexpr bool isEmpty(ColourValue value) { return value == kEmpty; }

struct ColourEntry {
    int code;
    std::string_view name;
    ColourValue value;
};

inline constexpr int kColourCount = 11;

// Palette order, top to bottom, is code order.
inline constexpr std::array<ColourEntry, kColourCount> kColours{{
    {1, "bianco", 0xFFFFFF},
    {2, "nero", 0x000000},
    {3, "rosa", 0xC0C0FF},
    {4, "rosso", 0x0000FF},
    {5, "arancio", 0x0080FF},
    {6, "giallo", 0x00FFFF},
    {7, "verde", 0x00FF00},
    {8, "azzurro", 0xFFFF00},
    {9, "blu", 0xFF0000},
    {10, "viola", 0xFFC0C0},
    {11, "lilla", 0xFF00FF},
}};

inline constexpr ColourValue kRed = 0x0000FF;
inline constexpr ColourValue kWhite = 0xFFFFFF;

// Code 1..11 to its entry; any other code is a programming error.
const ColourEntry& colourOfCode(int code);

std::optional<int> codeOfName(std::string_view name);
std::optional<ColourValue> colourOfName(std::string_view name);

// The palette code of a peg colour, or nothing for a value outside the table.
std::optional<int> codeOfColour(ColourValue value);

} // namespace rules
