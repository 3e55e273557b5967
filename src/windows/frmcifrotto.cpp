// frmcifrotto.cpp: the game window's handlers.
#include "windows/frmcifrotto.h"

#include "rules/play.h"
#include "rules/secret.h"
#include "toolkit/builder.h"
#include "toolkit/click_area.h"
#include "toolkit/registry.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto_layout.h"
#include "windows/frmfine.h"
#include "windows/frminizio.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace windows {

namespace {
// The game window stands 170 twips above the centre of the screen.
constexpr int kRaise = 170;

QString colourName(rules::ColourValue value) {
    const auto code = rules::codeOfColour(value);
    return code ? QString::fromLatin1(rules::colourOfCode(*code).name) : QString();
}

// The hidden outcome marker's text; the player never sees it.
QString markerText(rules::Outcome outcome) {
    switch (outcome) {
    case rules::Outcome::Won:
        return QStringLiteral("Complimenti");
    case rules::Outcome::Lost:
        return QStringLiteral("Mi dispiace");
    case rules::Outcome::None:
        break;
    }
    return {};
}

// "2 rossi, 1 bianco", as a player would say it.
QString countsText(int reds, int whites) {
    if (reds == 0 && whites == 0)
        return QStringLiteral("nessun colore giusto");
    return QStringLiteral("%1 %2, %3 %4")
        .arg(reds)
        .arg(reds == 1 ? QStringLiteral("rosso") : QStringLiteral("rossi"))
        .arg(whites)
        .arg(whites == 1 ? QStringLiteral("bianco") : QStringLiteral("bianchi"));
}
} // namespace

frmcifrotto::frmcifrotto(toolkit::WindowRegistry& registry,
                         std::unique_ptr<rules::UnitRandom> random, MarkChoice marks)
    : Form(registry, board_layout::kForm), random_(std::move(random)),
      marks_(marks ? std::move(marks) : std::make_shared<bool>(false)) {
    using namespace board_layout;
    const toolkit::Controls controls = toolkit::buildControls(*this, kControls);
    const auto shape = [&controls](ControlName name) {
        return controls.get<toolkit::Shape>(name.view());
    };
    const auto area = [&controls](ControlName name) {
        return controls.get<toolkit::ClickArea>(name.view());
    };
    const auto button = [&controls](std::string_view name) {
        return controls.get<QPushButton>(name);
    };

    for (int row = 1; row <= rules::kRows; ++row) {
        for (int column = 1; column <= rules::kColumns; ++column) {
            const auto r = static_cast<std::size_t>(row - 1);
            const auto c = static_cast<std::size_t>(column - 1);
            discs_[r][c] = shape(discName(row, column));
            squares_[r][c] = shape(squareName(row, column));
            holeAreas_[r][c] = area(holeName(row, column));
            connect(holeAreas_[r][c], &toolkit::ClickArea::clicked, this,
                    [this, row, column] { imgHole_Click(row, column); });
        }
    }
    for (int k = 1; k <= rules::kColumns; ++k)
        secrets_[static_cast<std::size_t>(k - 1)] = shape(secretName(k));
    cover_ = shape("shpschermo");
    for (int code = 1; code <= rules::kColourCount; ++code) {
        const auto index = static_cast<std::size_t>(code - 1);
        const QString name = QString::fromLatin1(rules::colourOfCode(code).name);
        markers_[index] = shape(markerName(code));
        paletteAreas_[index] = area(paletteAreaName(code));
        paletteAreas_[index]->setAccessibleName(name);
        paletteAreas_[index]->setAccessibleRole(QAccessible::RadioButton);
        paletteAreas_[index]->setSelectable(true);
        swatches_[index] = shape(swatchName(code));
        swatches_[index]->setToolTip(name);
        connect(paletteAreas_[index], &toolkit::ClickArea::clicked, this,
                [this, code] { imgColour_Click(code); });
    }

    cmdconferma_ = button("cmdconferma");
    lblmessaggio_ = controls.get<QLabel>("lblmessaggio");
    opt1_ = controls.get<QRadioButton>("opt1");
    toolkit::onClick(cmdconferma_, this, &frmcifrotto::cmdconferma_Click);
    toolkit::onClick(button("cmdesci"), this, &frmcifrotto::cmdesci_Click);
    toolkit::onClick(button("cmdricomincia"), this, &frmcifrotto::cmdricomincia_Click);
    toolkit::onClick(button("cmdsoluzione"), this, &frmcifrotto::cmdsoluzione_Click);
    // A window shortcut: it needs no control of its own and leaves the focus where it is.
    auto* marksKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this);
    connect(marksKey, &QShortcut::activated, this, &frmcifrotto::toggleMarks);
}

void frmcifrotto::Form_Load() {
    centreOnScreen(kRaise);
    board_.riga = 0;
    board_.confirmEnabled = false;
    rules::drawSecret(board_, *random_);
    showBoard();
}

void frmcifrotto::imgColour_Click(int code) {
    rules::selectColour(board_, code);
    showBoard();
}

void frmcifrotto::imgHole_Click(int row, int column) {
    const bool full = rules::placePeg(board_, row, column);
    showBoard();
    if (full)
        cmdconferma_->setFocus();
}

void frmcifrotto::cmdconferma_Click() {
    const std::optional<rules::Outcome> decided = rules::confirm(board_);
    if (!decided) // a late click on a button that was disabled meanwhile
        return;
    showBoard();
    if (*decided == rules::Outcome::None)
        return;
    // The outcome is announced at every hand-off, not only when the end window is created,
    // so a window left open from an earlier game never tells the player the old outcome.
    if (frmfine* fine = registry().show<frmfine>())
        fine->showOutcome();
}

void frmcifrotto::cmdsoluzione_Click() {
    rules::revealSolution(board_);
    showBoard();
    if (frmfine* fine = registry().show<frmfine>())
        fine->showQuestionOnly();
}

void frmcifrotto::toggleMarks() {
    *marks_ = !*marks_;
    markBoard();
}

void frmcifrotto::cmdricomincia_Click() {
    registry().unload(*this);
    registry().show<frmcifrotto>();
}

void frmcifrotto::cmdesci_Click() {
    registry().show<frminizio>();
    registry().unload(*this);
}

// The rules hold the game; the controls show it. Each setter repaints only on a change.
void frmcifrotto::showBoard() {
    for (int row = 1; row <= rules::kRows; ++row) {
        for (int column = 1; column <= rules::kColumns; ++column) {
            const auto r = static_cast<std::size_t>(row - 1);
            const auto c = static_cast<std::size_t>(column - 1);
            discs_[r][c]->setFill(board_.disc(row, column));
            squares_[r][c]->setFill(board_.square(row, column));
            holeAreas_[r][c]->setVisible(board_.active(row, column));
        }
    }
    for (int k = 1; k <= rules::kColumns; ++k)
        secrets_[static_cast<std::size_t>(k - 1)]->setFill(board_.secret(k));
    cover_->setVisible(board_.coverShown);
    for (int code = 1; code <= rules::kColourCount; ++code)
        markers_[static_cast<std::size_t>(code - 1)]->setVisible(board_.marker(code));
    cmdconferma_->setEnabled(board_.confirmEnabled);
    lblmessaggio_->setText(markerText(board_.outcome));
    opt1_->setChecked(board_.opt1);
    describeBoard();
    markBoard();
}

// Each disc that shows one of the eleven colours carries the colour's number when the marks
// are on; the secret's only once the cover is gone, so nothing hints at it beneath the cover.
void frmcifrotto::markBoard() {
    const auto markOf = [this](colour::ColourValue value) {
        const auto code = *marks_ ? rules::codeOfColour(value) : std::nullopt;
        return code ? QString::number(*code) : QString();
    };
    for (int code = 1; code <= rules::kColourCount; ++code)
        swatches_[static_cast<std::size_t>(code - 1)]->setMark(*marks_ ? QString::number(code)
                                                                       : QString());
    for (int row = 1; row <= rules::kRows; ++row)
        for (int column = 1; column <= rules::kColumns; ++column)
            discs_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)]
                ->setMark(markOf(board_.disc(row, column)));
    for (int k = 1; k <= rules::kColumns; ++k)
        secrets_[static_cast<std::size_t>(k - 1)]->setMark(
            board_.coverShown ? QString() : markOf(board_.secret(k)));
}

// Names for screen readers and colour names as tooltips, so that a player who cannot tell
// viola from azzurro can still play.
void frmcifrotto::describeBoard() {
    for (int row = 1; row <= rules::kRows; ++row) {
        for (int column = 1; column <= rules::kColumns; ++column) {
            const auto r = static_cast<std::size_t>(row - 1);
            const auto c = static_cast<std::size_t>(column - 1);
            const QString colour = colourName(board_.disc(row, column));
            holeAreas_[r][c]->setAccessibleName(
                QStringLiteral("Riga %1, foro %2: %3")
                    .arg(row)
                    .arg(column)
                    .arg(colour.isEmpty() ? QStringLiteral("vuoto") : colour));
            discs_[r][c]->setToolTip(colour);
        }
        // The block of four squares speaks through its first square.
        int reds = 0;
        int whites = 0;
        for (int k = 1; k <= rules::kColumns; ++k) {
            reds += board_.square(row, k) == rules::kRed ? 1 : 0;
            whites += board_.square(row, k) == rules::kWhite ? 1 : 0;
        }
        squares_[static_cast<std::size_t>(row - 1)][0]->setAccessibleName(
            QStringLiteral("Riga %1, risposta: %2")
                .arg(row)
                .arg(row <= board_.riga ? countsText(reds, whites)
                                        : QStringLiteral("non ancora confermata")));
    }
    cover_->setAccessibleName(board_.coverShown ? QStringLiteral("Combinazione segreta nascosta")
                                                : QString());
    for (int k = 1; k <= rules::kColumns; ++k) {
        const QString colour = board_.coverShown ? QString() : colourName(board_.secret(k));
        auto* secret = secrets_[static_cast<std::size_t>(k - 1)];
        secret->setAccessibleName(
            colour.isEmpty() ? QString()
                             : QStringLiteral("Combinazione, colore %1: %2").arg(k).arg(colour));
        secret->setToolTip(colour);
    }
    for (int code = 1; code <= rules::kColourCount; ++code)
        paletteAreas_[static_cast<std::size_t>(code - 1)]->setSelected(board_.marker(code));
}

} // namespace windows
