// system_colours.cpp: 0x00BBGGRR values and system-colour references to QColor.
#include "toolkit/system_colours.h"

namespace toolkit {

QColor screenColour(rules::ColourValue value, const QPalette& palette) {
    if (rules::isSystemColour(value)) {
        switch (value) {
        case rules::kButtonFace:
            return palette.color(QPalette::Button);
        case rules::kWindowBackground:
            return palette.color(QPalette::Base);
        case rules::kWindowText:
            return palette.color(QPalette::WindowText);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace toolkit
