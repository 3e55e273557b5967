// colour.cpp: look-ups in the colour table.
#include "rules/colour.h"

#include <cassert>

namespace rules {

const ColourEntry& colourOfCode(int code) {
    assert(code >= 1 && code <= kColourCount);
    return kColours[static_cast<std::size_t>(code - 1)];
}

std::optional<int> codeOfName(std::string_view name) {
    for (const auto& entry : kColours)
        if (entry.name == name)
            return entry.code;
    return std::nullopt;
}

std::optional<ColourValue> colourOfName(std::string_view name) {
    if (const auto code = codeOfName(name))
        return colourOfCode(*code).value;
    return std::nullopt;
}

std::optional<int> codeOfColour(ColourValue value) {
    for (const auto& entry : kColours)
        if (entry.value == value)
            return entry.code;
    return std::nullopt;
}

} // namespace rules
