// system_colours.cpp: 0x00BBGGRR values and system-colour references to QColor, and contrast.
#include "toolkit/system_colours.h"

#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {
// A light grey face: an empty hole stands out from a white peg by 1.82:1, a red one by 2.20:1
// and a black one by 11.5:1 (WCAG contrast ratios), and from the cover's 0x808080 by 2.17:1.
constexpr QRgb kFace = 0xC0C0C0;
// Black text on the light orange is 13.1:1, on the pale yellow 19.9:1.
constexpr QRgb kText = 0x000000;
// The bianco swatch shows the window background before its first repaint: white.
constexpr QRgb kBackground = 0xFFFFFF;
} // namespace

QColor screenColour(colour::ColourValue value) {
    if (colour::isSystemColour(value)) {
        switch (value) {
        case colour::kWindowBackground:
            return QColor(kBackground);
        case colour::kWindowText:
            return QColor(kText);
        default: // the button face, and any system colour the game does not name
            return QColor(kFace);
        }
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

namespace {
double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}
} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace toolkit
