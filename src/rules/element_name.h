// element_name.h: the board's control names ("shp124", "shpsviola", "img31") and their meaning.
#pragma once

#include "rules/board.h"

#include <string>
#include <string_view>

namespace rules {

enum class ElementKind {
    Disc,          // shp<r><c>
    HoleArea,      // img<r><c>
    Square,        // shpp<r><k>
    SecretShape,   // shpn<k>
    Cover,         // shpschermo
    Swatch,        // shp<name>
    PaletteArea,   // img<name>
    Marker,        // shps<name>
    ConfirmButton, // cmdconferma
    MessageLabel,  // lblmessaggio
    OutcomeFlag,   // opt1
};

// row and column are 0 where the kind has none; for palette elements column is the colour code.
struct ElementName {
    ElementKind kind;
    int row = 0;
    int column = 0;
    bool operator==(const ElementName&) const = default;
};

// The column is always one digit and comes last, so "shp111" is row 11, column 1.
// Anything that names no element (row 0 or 13, column 0 or 5, a leading zero, an unknown
// colour or prefix) throws std::invalid_argument naming the offending text.
ElementName parseElementName(std::string_view name);

std::string elementName(const ElementName& element);

// Read and write a board element by name. Colours exist for discs, squares, secret shapes,
// swatches and the cover; shown-ness for hole areas, markers and the cover. Asking a
// element for a property it does not have throws std::invalid_argument.
ColourValue colourOf(const Board& board, std::string_view name);
void setColour(Board& board, std::string_view name, ColourValue value);
bool isShown(const Board& board, std::string_view name);
void setShown(Board& board, std::string_view name, bool shown);

} // namespace rules
