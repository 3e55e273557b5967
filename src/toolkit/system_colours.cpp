// system_colours.cpp: 0x00BBGGRR values and system-colour references to QColor.
#include "toolkit/system_colours.h"

namespace toolkit {

QColor screenColour(colour::ColourValue value, const QPalette& palette) {
    if (colour::isSystemColour(value)) {
        switch (value) {
        case colour::kButtonFace:
            return palette.color(QPalette::Button);
        case colour::kWindowBackground:
            return palette.color(QPalette::Base);
        case colour::kWindowText:
            return palette.color(QPalette::WindowText);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace toolkit
