// system_colours.cpp: 0x00BBGGRR values and system-colour references to QColor.
#include "toolkit/system_colours.h"

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

} // namespace toolkit
