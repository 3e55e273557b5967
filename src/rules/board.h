// board.h: everything a game window holds about one game, created in its opening state.
#pragma once

#include "rules/colour.h"

#include <array>
#include <cstdint>

namespace rules {

inline constexpr int kRows = 12;
inline constexpr int kColumns = 4;

// How the game ended: won (four reds) or lost (the twelfth row without them).
enum class Outcome { None, Won, Lost };

// Rows are numbered from the bottom, 1 to 12; columns from the left, 1 to 4.
// The accessors take those numbers, so no caller ever does the off-by-one.
struct Board {
    template <class T> using PerHole = std::array<std::array<T, kColumns>, kRows>;

    PerHole<ColourValue> discs;                   // shp<r><c>: the peg, or kEmpty
    PerHole<bool> holeActive;                     // img<r><c> shown, so it takes clicks
    PerHole<ColourValue> squares;                 // shpp<r><k>: feedback, or kEmpty when unlit
    bool coverShown = true;                       // shpschermo
    std::array<bool, kColourCount> markerShown{}; // shps<name>, in palette order
    bool confirmEnabled = false;                  // cmdconferma
    Outcome outcome = Outcome::None;              // lblmessaggio's marker
    bool opt1 = false;                            // the outcome flag: true for a won game

    std::int16_t riga = 0; // rows confirmed so far
    std::int16_t rossi = 0;
    std::int16_t bianchi = 0;
    std::int16_t diversi = 0;
    std::array<std::int16_t, kColumns> segreto{}; // the secret's codes, once drawn

    Board();

    ColourValue& disc(int row, int column) {
        return discs[index(row, kRows)][index(column, kColumns)];
    }
    ColourValue disc(int row, int column) const {
        return discs[index(row, kRows)][index(column, kColumns)];
    }
    ColourValue& square(int row, int k) { return squares[index(row, kRows)][index(k, kColumns)]; }
    ColourValue square(int row, int k) const {
        return squares[index(row, kRows)][index(k, kColumns)];
    }
    bool& active(int row, int column) {
        return holeActive[index(row, kRows)][index(column, kColumns)];
    }
    bool active(int row, int column) const {
        return holeActive[index(row, kRows)][index(column, kColumns)];
    }
    // shpn<k>: the colour of the secret's k-th code; only once the secret is drawn.
    ColourValue secret(int k) const;
    bool& marker(int code) { return markerShown[index(code, kColourCount)]; }
    bool marker(int code) const { return markerShown[index(code, kColourCount)]; }

    void setRowActive(int row, bool shown);
    bool rowFull(int row) const;

private:
    static std::size_t index(int oneBased, int count);
};

} // namespace rules
