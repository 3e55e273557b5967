// frmcifrotto.cpp: the game window's handlers.
#include "windows/frmcifrotto.h"

#include "rules/play.h"
#include "rules/secret.h"
#include "toolkit/builder.h"
#include "toolkit/click_area.h"
#include "toolkit/item_group.h"
#include "toolkit/registry.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto_layout.h"
#include "windows/frmfine.h"
#include "windows/frminizio.h"

#include <QKeyEvent>
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

// A confirmed row's result as its squares show it.
QString resultText(const rules::Board& board, int row) {
    int reds = 0;
    int whites = 0;
    for (int k = 1; k <= rules::kColumns; ++k) {
        reds += board.square(row, k) == rules::kRed ? 1 : 0;
        whites += board.square(row, k) == rules::kWhite ? 1 : 0;
    }
    return countsText(reds, whites);
}

// "Riga 2, foro 3: rosso", or "vuoto" for a hole without a peg.
QString holeText(const rules::Board& board, int row, int column) {
    const QString colour = colourName(board.disc(row, column));
    return QStringLiteral("Riga %1, foro %2: %3")
        .arg(row)
        .arg(column)
        .arg(colour.isEmpty() ? QStringLiteral("vuoto") : colour);
}

std::optional<int> chosenCode(const rules::Board& board) {
    for (int code = 1; code <= rules::kColourCount; ++code)
        if (board.marker(code))
            return code;
    return std::nullopt;
}

// Arrows from the keypad count as arrows; with Ctrl, Alt or Shift a key means something else.
bool plain(const QKeyEvent& key) { return (key.modifiers() & ~Qt::KeypadModifier) == 0; }
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

    // The palette and each row are one tab stop each, after the buttons; only the open row
    // takes the focus from Tab.
    palette_ = new toolkit::ItemGroup(*this, QStringLiteral("palette"), QStringLiteral("Colori"));
    for (toolkit::ClickArea* swatch : paletteAreas_)
        palette_->add(*swatch);
    palette_->onKey([this](const QKeyEvent& key) { return paletteKey(key); });
    QWidget* previous = palette_;
    QWidget::setTabOrder(button("cmdsoluzione"), palette_);
    for (int row = 1; row <= rules::kRows; ++row) {
        const auto r = static_cast<std::size_t>(row - 1);
        auto* group = new toolkit::ItemGroup(*this, QStringLiteral("row%1").arg(row),
                                             QStringLiteral("Riga %1").arg(row));
        for (toolkit::ClickArea* hole : holeAreas_[r])
            group->add(*hole);
        group->add(*squares_[r][0]); // the row's answer speaks through its first square
        group->onKey([this, row](const QKeyEvent& key) { return rowKey(row, key); });
        QWidget::setTabOrder(previous, group);
        previous = group;
        rows_[r] = group;
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
    const int standing = palette_->current();
    rules::selectColour(board_, code);
    showBoard();
    // The palette under the focus moves to the chosen swatch, which screen readers read out;
    // anywhere else the choice is news.
    if (focusWidget() != palette_ || palette_->current() == standing)
        announce(
            QStringLiteral("Colore scelto: %1").arg(colourName(*rules::selectedColour(board_))));
}

void frmcifrotto::imgHole_Click(int row, int column) {
    const bool full = rules::placePeg(board_, row, column);
    showBoard();
    // A hole under the focus says its new colour in its name; a click elsewhere is news.
    toolkit::ClickArea* hole =
        holeAreas_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
    const auto* group = qobject_cast<const toolkit::ItemGroup*>(focusWidget());
    if (!group || &group->currentArea() != hole || !rules::selectedColour(board_))
        announce(rules::selectedColour(board_) ? holeText(board_, row, column)
                                               : QStringLiteral("Nessun colore scelto"));
    if (full)
        cmdconferma_->setFocus();
}

void frmcifrotto::cmdconferma_Click() {
    const std::optional<rules::Outcome> decided = rules::confirm(board_);
    if (!decided) // a late click on a button that was disabled meanwhile
        return;
    if (*decided == rules::Outcome::None) {
        // The new row takes the focus before the button goes grey, so that the focus never
        // falls on "&Fine", where one more Return would leave the game; its first hole says
        // how the row just confirmed went.
        const int confirmed = board_.riga;
        toolkit::ItemGroup& next = *rows_[static_cast<std::size_t>(confirmed)];
        next.setCurrent(0);
        announce(QStringLiteral("Riga %1: %2").arg(confirmed).arg(resultText(board_, confirmed)),
                 &next.currentArea());
        next.setFocus(Qt::OtherFocusReason);
    }
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

bool frmcifrotto::paletteKey(const QKeyEvent& key) {
    if (!plain(key))
        return false;
    switch (key.key()) {
    case Qt::Key_Down:
        stepColour(1);
        return true;
    case Qt::Key_Up:
        stepColour(-1);
        return true;
    default:
        return false;
    }
}

bool frmcifrotto::rowKey(int row, const QKeyEvent& key) {
    toolkit::ItemGroup& group = *rows_[static_cast<std::size_t>(row - 1)];
    // A row closed under the focus (by "&Soluzione") takes no more pegs.
    if (!plain(key) || !board_.active(row, 1))
        return false;
    switch (key.key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
        stepColour(key.key() == Qt::Key_Down ? 1 : -1);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        group.setCurrent(group.current() + (key.key() == Qt::Key_Right ? 1 : -1));
        announce({});
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key puts one peg in, and its repeats never reach "&Conferma" once the row is
        // full.
        if (!key.isAutoRepeat())
            imgHole_Click(row, group.current() + 1);
        return true;
    default:
        return false;
    }
}

// With no colour chosen yet, Down starts from the top of the palette and Up from its foot.
void frmcifrotto::stepColour(int step) {
    const std::optional<int> chosen = chosenCode(board_);
    const int count = rules::kColourCount;
    imgColour_Click(chosen ? (*chosen - 1 + step + count) % count + 1 : (step > 0 ? 1 : count));
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
    for (int row = 1; row <= rules::kRows; ++row) {
        toolkit::ItemGroup* group = rows_[static_cast<std::size_t>(row - 1)];
        const bool open = board_.active(row, 1);
        group->setTabStop(open);
        // A row closed under the focus passes it on, as a disabled button would.
        if (!open && focusWidget() == group)
            focusNextChild();
    }
    if (const std::optional<int> chosen = chosenCode(board_))
        palette_->setCurrent(*chosen - 1);
    cmdconferma_->setEnabled(board_.confirmEnabled);
    lblmessaggio_->setText(markerText(board_.outcome));
    opt1_->setChecked(board_.opt1);
    tipBoard();
    describeIfListened();
    markBoard();
}

// Every hole's disc and every secret shape with the colour it shows; a secret under the cover
// shows none, so that nothing hints at it.
void frmcifrotto::eachDisc(
    const std::function<void(toolkit::Shape&, std::optional<colour::ColourValue>)>& use) const {
    for (int row = 1; row <= rules::kRows; ++row)
        for (int column = 1; column <= rules::kColumns; ++column)
            use(*discs_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)],
                board_.disc(row, column));
    for (int k = 1; k <= rules::kColumns; ++k)
        use(*secrets_[static_cast<std::size_t>(k - 1)],
            board_.coverShown ? std::nullopt : std::optional(board_.secret(k)));
}

// Each disc that shows one of the eleven colours carries the colour's number when the marks
// are on.
void frmcifrotto::markBoard() {
    for (int code = 1; code <= rules::kColourCount; ++code)
        swatches_[static_cast<std::size_t>(code - 1)]->setMark(*marks_ ? QString::number(code)
                                                                       : QString());
    eachDisc([this](toolkit::Shape& disc, std::optional<colour::ColourValue> value) {
        const auto code = *marks_ && value ? rules::codeOfColour(*value) : std::nullopt;
        disc.setMark(code ? QString::number(*code) : QString());
    });
}

// Colour names as tooltips, so that a player who cannot tell viola from azzurro can still
// play.
void frmcifrotto::tipBoard() {
    eachDisc([](toolkit::Shape& disc, std::optional<colour::ColourValue> value) {
        disc.setToolTip(value ? colourName(*value) : QString());
    });
}

// The board in words, and the chosen swatch, for screen readers.
void frmcifrotto::describeForScreenReaders() {
    for (int row = 1; row <= rules::kRows; ++row) {
        for (int column = 1; column <= rules::kColumns; ++column)
            holeAreas_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)]
                ->setAccessibleName(holeText(board_, row, column));
        // The block of four squares speaks through its first square.
        squares_[static_cast<std::size_t>(row - 1)][0]->setAccessibleName(
            QStringLiteral("Riga %1, risposta: %2")
                .arg(row)
                .arg(row <= board_.riga ? resultText(board_, row)
                                        : QStringLiteral("non ancora confermata")));
    }
    cover_->setAccessibleName(board_.coverShown ? QStringLiteral("Combinazione segreta nascosta")
                                                : QString());
    for (int k = 1; k <= rules::kColumns; ++k) {
        const QString colour = board_.coverShown ? QString() : colourName(board_.secret(k));
        secrets_[static_cast<std::size_t>(k - 1)]->setAccessibleName(
            colour.isEmpty() ? QString()
                             : QStringLiteral("Combinazione, colore %1: %2").arg(k).arg(colour));
    }
    for (int code = 1; code <= rules::kColourCount; ++code)
        paletteAreas_[static_cast<std::size_t>(code - 1)]->setSelected(board_.marker(code));
}

} // namespace windows
