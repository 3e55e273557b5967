// frmcifrotto.h: the game board window. It owns one game: it turns clicks into calls on the
// rules and paints what the rules say.
#pragma once

#include "rules/board.h"
#include "rules/random.h"
#include "toolkit/form.h"

#include <array>
#include <functional>
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
    template <class T> using PerHole = std::array<std::array<T*, rules::kColumns>, rules::kRows>;

    void showBoard();
    void tipBoard();
    void eachDisc(
        const std::function<void(toolkit::Shape&, std::optional<colour::ColourValue>)>& use) const;
    void markBoard();
    void stepColour(int step);
    rules::Board board_;
    std::unique_ptr<rules::UnitRandom> random_;
    MarkChoice marks_;

    PerHole<toolkit::Shape> discs_{};
    PerHole<toolkit::ClickArea> holeAreas_{};
    PerHole<toolkit::Shape> squares_{};
    std::array<toolkit::Shape*, rules::kColumns> secrets_{};
    toolkit::Shape* cover_ = nullptr;
    std::array<toolkit::Shape*, rules::kColourCount> markers_{};
    std::array<toolkit::Shape*, rules::kColourCount> swatches_{};
    std::array<toolkit::ClickArea*, rules::kColourCount> paletteAreas_{};
    QPushButton* cmdconferma_ = nullptr;
    QLabel* lblmessaggio_ = nullptr;
    QRadioButton* opt1_ = nullptr;
    toolkit::ItemGroup* palette_ = nullptr;
    std::array<toolkit::ItemGroup*, rules::kRows> rows_{};
};

} // namespace windows
