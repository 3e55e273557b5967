// layout.h: a window's controls as data. A table of these, in twips, is a window's layout;
// the builder turns it into controls.
#pragma once

#include "colour/colour_value.h"
#include "toolkit/shape.h"
#include "toolkit/twips.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace toolkit {

// A control name built at compile time from a prefix and a number or word ("shp" 12 4).
class ControlName {
public:
    constexpr ControlName() = default;
    constexpr explicit ControlName(std::string_view text) { append(text); }
    // Implicit, so that a layout table can name a control with a plain literal.
    constexpr ControlName(const char* text) : ControlName(std::string_view(text)) {}
    constexpr ControlName& append(std::string_view text) {
        for (char ch : text)
            text_[length_++] = ch;
        return *this;
    }
    constexpr ControlName& append(int number) {
        if (number >= 10)
            append(number / 10);
        text_[length_++] = static_cast<char>('0' + number % 10);
        return *this;
    }
    constexpr std::string_view view() const { return {text_.data(), length_}; }

private:
    std::array<char, 16> text_{};
    std::size_t length_ = 0;
};

enum class ControlKind : std::uint8_t { Shape, ClickArea, Line, Button, Label, Option, Picture };
enum class FontFace : std::uint8_t { Default, Comic };

struct FontSpec {
    FontFace face = FontFace::Default;
    double points = 0; // 0 keeps the default size
    bool italic = false;
};

struct ControlSpec {
    ControlKind kind = ControlKind::Shape;
    ControlName name;
    TwipRect rect;      // for a line: x1, y1, x2, y2
    ShapeStyle shape{}; // shapes only
    bool visible = true;
    bool enabled = true;
    bool cancel = false; // the button Esc presses
    int tabIndex = -1;   // native controls only
    std::string_view caption{};
    FontSpec font{};
    colour::ColourValue foreground = colour::kWindowText; // labels
    colour::ColourValue background = colour::kButtonFace; // labels and pictures
    bool border = false;                                  // labels
    bool wordWrap = false;                                // labels
    std::string_view picture{};                           // pictures: a resource path
};

} // namespace toolkit
