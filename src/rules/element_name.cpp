// element_name.cpp: parsing and formatting of board control names.
#include "rules/element_name.h"

#include <optional>
#include <stdexcept>

namespace rules {

namespace {

[[noreturn]] void refuse(std::string_view name, std::string_view why) {
    throw std::invalid_argument("no board element is named \"" + std::string(name) +
                                "\": " + std::string(why));
}

std::optional<int> parseNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 2 || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    int value = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return value;
}

// "<row><column>" with a one-digit column; nothing when the text is not of that shape.
std::optional<ElementName> parseRowColumn(ElementKind kind, std::string_view name,
                                          std::string_view rest) {
    if (rest.size() < 2)
        return std::nullopt;
    const auto row = parseNumber(rest.substr(0, rest.size() - 1));
    const char columnDigit = rest.back();
    if (!row || columnDigit < '0' || columnDigit > '9')
        return std::nullopt;
    const int column = columnDigit - '0';
    if (*row < 1 || *row > kRows)
        refuse(name, "rows run from 1 to 12");
    if (column < 1 || column > kColumns)
        refuse(name, "columns run from 1 to 4");
    return ElementName{kind, *row, column};
}

std::string_view prefixOf(ElementKind kind) {
    switch (kind) {
    case ElementKind::Disc:
    case ElementKind::Swatch:
        return "shp";
    case ElementKind::HoleArea:
    case ElementKind::PaletteArea:
        return "img";
    case ElementKind::Square:
        return "shpp";
    case ElementKind::SecretShape:
        return "shpn";
    case ElementKind::Marker:
        return "shps";
    case ElementKind::Cover:
        return "shpschermo";
    case ElementKind::ConfirmButton:
        return "cmdconferma";
    case ElementKind::MessageLabel:
        return "lblmessaggio";
    case ElementKind::OutcomeFlag:
        return "opt1";
    }
    return {};
}

} // namespace

ElementName parseElementName(std::string_view name) {
    for (auto kind : {ElementKind::Cover, ElementKind::ConfirmButton, ElementKind::MessageLabel,
                      ElementKind::OutcomeFlag})
        if (name == prefixOf(kind))
            return {kind};

    // "shpnero" is the nero swatch, "shpn1" a secret shape: palette names are tried first.
    for (auto kind : {ElementKind::Marker, ElementKind::Swatch, ElementKind::PaletteArea}) {
        const auto prefix = prefixOf(kind);
        if (name.starts_with(prefix))
            if (const auto code = codeOfName(name.substr(prefix.size())))
                return {kind, 0, *code};
    }

    if (name.starts_with("shpn")) {
        const auto rest = name.substr(4);
        if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '4')
            return {ElementKind::SecretShape, 0, rest[0] - '0'};
        refuse(name, "secret shapes run from shpn1 to shpn4");
    }

    for (auto kind : {ElementKind::Square, ElementKind::Disc, ElementKind::HoleArea}) {
        const auto prefix = prefixOf(kind);
        if (name.starts_with(prefix))
            if (const auto element = parseRowColumn(kind, name, name.substr(prefix.size())))
                return *element;
    }
    refuse(name, "unknown name");
}

std::string elementName(const ElementName& element) {
    std::string name(prefixOf(element.kind));
    switch (element.kind) {
    case ElementKind::Disc:
    case ElementKind::HoleArea:
    case ElementKind::Square:
        name += std::to_string(element.row);
        [[fallthrough]];
    case ElementKind::SecretShape:
        name += std::to_string(element.column);
        break;
    case ElementKind::Swatch:
    case ElementKind::PaletteArea:
    case ElementKind::Marker:
        name += colourOfCode(element.column).name;
        break;
    default:
        break;
    }
    return name;
}

ColourValue colourOf(const Board& board, std::string_view name) {
    const auto e = parseElementName(name);
    switch (e.kind) {
    case ElementKind::Disc:
        return board.disc(e.row, e.column);
    case ElementKind::Square:
        return board.square(e.row, e.column);
    case ElementKind::SecretShape:
        return board.secret(e.column);
    case ElementKind::Cover:
        return kCoverGrey;
    case ElementKind::Marker:
        return kMarkerGreen;
    case ElementKind::Swatch:
        // The bianco swatch shows the window background rather than a stored white.
        return e.column == 1 ? kWindowBackground : colourOfCode(e.column).value;
    default:
        throw std::invalid_argument(std::string(name) + " has no colour");
    }
}

void setColour(Board& board, std::string_view name, ColourValue value) {
    const auto e = parseElementName(name);
    switch (e.kind) {
    case ElementKind::Disc:
        board.disc(e.row, e.column) = value;
        return;
    case ElementKind::Square:
        board.square(e.row, e.column) = value;
        return;
    case ElementKind::SecretShape:
        board.secret(e.column) = value;
        return;
    default:
        throw std::invalid_argument(std::string(name) + " has no colour that play changes");
    }
}

bool isShown(const Board& board, std::string_view name) {
    const auto e = parseElementName(name);
    switch (e.kind) {
    case ElementKind::HoleArea:
        return board.active(e.row, e.column);
    case ElementKind::Marker:
        return board.marker(e.column);
    case ElementKind::Cover:
        return board.coverShown;
    case ElementKind::MessageLabel:
    case ElementKind::OutcomeFlag:
        return false;
    default:
        return true;
    }
}

void setShown(Board& board, std::string_view name, bool shown) {
    const auto e = parseElementName(name);
    switch (e.kind) {
    case ElementKind::HoleArea:
        board.active(e.row, e.column) = shown;
        return;
    case ElementKind::Marker:
        board.marker(e.column) = shown;
        return;
    case ElementKind::Cover:
        board.coverShown = shown;
        return;
    default:
        throw std::invalid_argument(std::string(name) + " is never shown or hidden by play");
    }
}

} // namespace rules
