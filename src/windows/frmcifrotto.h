// frmcifrotto.h: the game board window. It owns one game: it turns clicks into calls on the
// rules and paints what the rules say.
#pragma once

#include "rules/board.h"
#include "rules/random.h"
#include "toolkit/form.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <memory>
#include <optional>

class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;

namespace toolkit {
class ClickArea;
class ItemGroup;
class Shape;
} // namespace toolkit

namespace windows {

class frmcifrotto final : public toolkit::Form {
    Q_OBJECT
public:
    // Whether the discs carry their colour's number: one choice for the whole run, shared by
    // every game window its factory builds, so a new game keeps what the player chose.
    using MarkChoice = std::shared_ptr<bool>;

    // The game's secret is drawn from random as the window loads. Without a shared choice the
    // window keeps its own, off.
    frmcifrotto(toolkit::WindowRegistry& registry, std::unique_ptr<rules::UnitRandom> random,
                MarkChoice marks = {});

    void Form_Load() override;

    // img<name>_Click for the eleven swatches, by colour code.
    void imgColour_Click(int code);
    // img<r><c>_Click for the 48 holes.
    void imgHole_Click(int row, int column);
    void cmdconferma_Click();
    void cmdsoluzione_Click();
    void cmdricomincia_Click();
    void cmdesci_Click();

    void describeForScreenReaders() override;

    // The keyboard on the palette and on the open row: Down and Up choose the next and the
    // previous colour, Left and Right move along the row, Space and Return put a peg in.
    bool paletteKey(const QKeyEvent& key);
    bool rowKey(int row, const QKeyEvent& key);

    // Ctrl+M: marks on or off, for this game and the games after it in this run.
    void toggleMarks();
    bool marksShown() const { return *marks_; }

    const rules::Board& board() const { return board_; }
    bool outcomeFlag() const { return board_.opt1; }

private:
    // One family of the board's controls by its numbers, counted from 1 as the game counts
    // rows, columns and colour codes. A number off the family is a bug that at() stops on:
    // assertions stay on in every build.
    template <class T, int Rows, int Columns = 1> class Numbered {
    public:
        T& at(int row, int column = 1) const { return *items_[offset(row, column)]; }
        void put(T& item, int row, int column = 1) { items_[offset(row, column)] = &item; }

    private:
        static std::size_t offset(int row, int column) {
            assert(row >= 1 && row <= Rows && column >= 1 && column <= Columns);
            return static_cast<std::size_t>((row - 1) * Columns + column - 1);
        }
        std::array<T*, std::size_t{Rows} * std::size_t{Columns}> items_{};
    };
    template <class T> using PerHole = Numbered<T, rules::kRows, rules::kColumns>;
    template <class T> using PerColour = Numbered<T, rules::kColourCount>;

    // Whether a walk over the board writes what only a screen reader reads.
    enum class ReaderNames { Skipped, Written };

    // The rules hold the game; the controls show it. One walk brings every control up to
    // date: fill, visibility, tooltip, mark and, while a screen reader listens, name.
    void showBoard();
    void showBoard(ReaderNames names);
    // A disc or a secret shape with the palette colour it shows, if any.
    void labelDisc(toolkit::Shape& disc, std::optional<int> code) const;
    void stepColour(int step);
    rules::Board board_;
    std::unique_ptr<rules::UnitRandom> random_;
    MarkChoice marks_;

    PerHole<toolkit::Shape> discs_;
    PerHole<toolkit::ClickArea> holeAreas_;
    PerHole<toolkit::Shape> squares_;
    Numbered<toolkit::Shape, rules::kColumns> secrets_;
    toolkit::Shape* cover_ = nullptr;
    PerColour<toolkit::Shape> markers_;
    PerColour<toolkit::Shape> swatches_;
    PerColour<toolkit::ClickArea> paletteAreas_;
    QPushButton* cmdconferma_ = nullptr;
    QLabel* lblmessaggio_ = nullptr;
    QRadioButton* opt1_ = nullptr;
    toolkit::ItemGroup* palette_ = nullptr;
    Numbered<toolkit::ItemGroup, rules::kRows> rows_;
};

} // namespace windows
