// colour_value.h: the 32-bit colour values that the game stores and the toolkit paints.
#pragma once

#include <cstdint>

namespace colour {

// With the top bit clear a value is 0x00BBGGRR; with it set, the low bits name
// a desktop system colour, drawn in whatever the desktop currently uses.
using ColourValue = std::uint32_t;

inline constexpr ColourValue kButtonFace = 0x8000000F;
inline constexpr ColourValue kWindowBackground = 0x80000005;
inline constexpr ColourValue kWindowText = 0x80000008;

constexpr bool isSystemColour(ColourValue value) { return (value & 0x80000000u) != 0; }

} // namespace colour
