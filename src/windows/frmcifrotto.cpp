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

QString nameOfCode(std::optional<int> code) {
    return code ? QString::fromLatin1(rules::colourOfCode(*code).name) : QString();
}

QString colourName(rules::ColourValue value) { return nameOfCode(rules::codeOfColour(value)); }

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

// What a screen reader calls each part of the board, starting with its row.
QString rowSpoken(int row) { return QStringLiteral("Riga %1").arg(row); }

QString holeSpoken(int row, int column, const QString& colour) {
    return QStringLiteral("%1, foro %2: %3")
        .arg(rowSpoken(row))
        .arg(column)
        .arg(colour.isEmpty() ? QStringLiteral("vuoto") : colour);
}

// The block of four squares speaks through its first square.
QString answerSpoken(const rules::Board& board, int row) {
    return QStringLiteral("%1, risposta: %2")
        .arg(rowSpoken(row),
             row <= board.riga ? resultText(board, row) : QStringLiteral("non ancora confermata"));
}

QString coverSpoken(bool shown) {
    return shown ? QStringLiteral("Combinazione segreta nascosta") : QString();
}

QString secretSpoken(int k, const QString& colour) {
    return colour.isEmpty() ? QString()
                            : QStringLiteral("Combinazione, colore %1: %2").arg(k).arg(colour);
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
            discs_.put(*shape(discName(row, column)), row, column);
            squares_.put(*shape(squareName(row, column)), row, column);
            holeAreas_.put(*area(holeName(row, column)), row, column);
            connect(&holeAreas_.at(row, column), &toolkit::ClickArea::clicked, this,
                    [this, row, column] { imgHole_Click(row, column); });
        }
    }
    for (int k = 1; k <= rules::kColumns; ++k)
        secrets_.put(*shape(secretName(k)), k);
    cover_ = shape("shpschermo");
    for (int code = 1; code <= rules::kColourCount; ++code) {
        const QString name = QString::fromLatin1(rules::colourOfCode(code).name);
        markers_.put(*shape(markerName(code)), code);
        toolkit::ClickArea& choice = *area(paletteAreaName(code));
        paletteAreas_.put(choice, code);
        choice.setAccessibleName(name);
        choice.setAccessibleRole(QAccessible::RadioButton);
        choice.setSelectable(true);
        swatches_.put(*shape(swatchName(code)), code);
        swatches_.at(code).setToolTip(name);
        connect(&choice, &toolkit::ClickArea::clicked, this,
                [this, code] { imgColour_Click(code); });
    }

    // The palette and each row are one tab stop each, after the buttons; only the open row
    // takes the focus from Tab.
    palette_ = new toolkit::ItemGroup(*this, QStringLiteral("palette"), QStringLiteral("Colori"));
    for (int code = 1; code <= rules::kColourCount; ++code)
        palette_->add(paletteAreas_.at(code));
    palette_->onKey([this](const QKeyEvent& key) { return paletteKey(key); });
    QWidget* previous = palette_;
    QWidget::setTabOrder(button("cmdsoluzione"), palette_);
    for (int row = 1; row <= rules::kRows; ++row) {
        auto* group =
            new toolkit::ItemGroup(*this, QStringLiteral("row%1").arg(row), rowSpoken(row));
        for (int column = 1; column <= rules::kColumns; ++column)
            group->add(holeAreas_.at(row, column));
        // The row's answer speaks through its first square, for the block of all four.
        toolkit::Shape& answer = squares_.at(row, 1);
        toolkit::TwipRect block = answer.rect();
        for (int k = 2; k <= rules::kColumns; ++k)
            block = toolkit::united(block, squares_.at(row, k).rect());
        answer.setSpokenRect(block);
        group->add(answer);
        group->onKey([this, row](const QKeyEvent& key) { return rowKey(row, key); });
        QWidget::setTabOrder(previous, group);
        previous = group;
        rows_.put(*group, row);
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
    const auto* group = qobject_cast<const toolkit::ItemGroup*>(focusWidget());
    const bool underFocus = group && &group->currentArea() == &holeAreas_.at(row, column);
    const bool full = rules::placePeg(board_, row, column);
    const bool chosen = rules::selectedColour(board_).has_value();
    const QString peg = holeSpoken(row, column, colourName(board_.disc(row, column)));
    // The peg that fills the row is news on "&Conferma", which is enabled, then takes the focus,
    // before the hole is renamed: a late reader would read the name of the hole it is leaving,
    // or not, as timing has it.
    if (full)
        focusWithNews(*cmdconferma_, peg, [this] {
            showBoard(ReaderNames::Skipped);
            cmdconferma_->setFocus();
        });
    showBoard();
    // A hole under the focus says its new colour in its name; a click elsewhere is news.
    if (!full && (!underFocus || !chosen))
        announce(chosen ? peg : QStringLiteral("Nessun colore scelto"));
}

void frmcifrotto::cmdconferma_Click() {
    const std::optional<rules::Outcome> decided = rules::confirm(board_);
    if (!decided) // a late click on a button that was disabled meanwhile
        return;
    if (*decided == rules::Outcome::None) {
        // The new row takes the focus once it is shown open, and its first hole says how the
        // row just confirmed went.
        const int confirmed = board_.riga;
        toolkit::ItemGroup& next = rows_.at(confirmed + 1);
        next.setCurrent(0);
        focusWithNews(
            next.currentArea(),
            QStringLiteral("%1: %2").arg(rowSpoken(confirmed), resultText(board_, confirmed)),
            [this, &next] {
                showBoard();
                next.setFocus();
            });
        return;
    }
    // "&Conferma" goes grey under the focus, which Qt passes to "&Fine". Screen readers are not
    // told: the end window is the player's next stop, though X11 activates it only later, and
    // a reader that followed the focus to "&Fine" would come back to it a second time.
    withFocusUntold([this] { showBoard(); });
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
    toolkit::ItemGroup& group = rows_.at(row);
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
        // The focus moving on silences the news left on the hole before.
        group.setCurrent(group.current() + (key.key() == Qt::Key_Right ? 1 : -1));
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key puts one peg in; once the row is full its repeats go to "&Conferma",
        // which only a fresh press presses.
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
    showBoard();
}

void frmcifrotto::cmdricomincia_Click() {
    registry().unload(*this);
    registry().show<frmcifrotto>();
}

void frmcifrotto::cmdesci_Click() {
    registry().show<frminizio>();
    registry().unload(*this);
}

void frmcifrotto::showBoard() {
    showBoard(registry().screenReaderListening() ? ReaderNames::Written : ReaderNames::Skipped);
}

// The board in words, and the chosen swatch, for a screen reader that has just started.
void frmcifrotto::describeForScreenReaders() { showBoard(ReaderNames::Written); }

// Each setter repaints, or tells a screen reader, only on a change. An item's visibility goes
// before its name: an item named for the first time has no earlier state to be told changed.
void frmcifrotto::showBoard(ReaderNames names) {
    const bool spoken = names == ReaderNames::Written;
    for (int row = 1; row <= rules::kRows; ++row) {
        for (int column = 1; column <= rules::kColumns; ++column) {
            const rules::ColourValue value = board_.disc(row, column);
            const std::optional<int> code = rules::codeOfColour(value);
            toolkit::Shape& disc = discs_.at(row, column);
            disc.setFill(value);
            labelDisc(disc, code);
            squares_.at(row, column).setFill(board_.square(row, column));
            toolkit::ClickArea& hole = holeAreas_.at(row, column);
            hole.setVisible(board_.active(row, column));
            if (spoken)
                hole.setAccessibleName(holeSpoken(row, column, nameOfCode(code)));
        }
        if (spoken)
            squares_.at(row, 1).setAccessibleName(answerSpoken(board_, row));
        toolkit::ItemGroup& group = rows_.at(row);
        const bool open = board_.active(row, 1);
        group.setTabStop(open);
        // A row closed under the focus passes it on, as a disabled button would.
        if (!open && focusWidget() == &group)
            focusNextChild();
    }
    // "&Conferma" going grey under the focus passes it to the open row, shown open by now, so
    // that the focus never falls on the next button, "&Fine", where one more Return would leave
    // the game.
    if (!board_.confirmEnabled && focusWidget() == cmdconferma_)
        for (int row = 1; row <= rules::kRows; ++row)
            if (board_.active(row, 1))
                rows_.at(row).setFocus();
    // A secret under the cover is shown as no colour at all, so that nothing hints at it.
    for (int k = 1; k <= rules::kColumns; ++k) {
        toolkit::Shape& secret = secrets_.at(k);
        const rules::ColourValue value = board_.secret(k);
        const std::optional<int> code =
            board_.coverShown ? std::nullopt : rules::codeOfColour(value);
        secret.setFill(value);
        labelDisc(secret, code);
        if (spoken)
            secret.setAccessibleName(secretSpoken(k, nameOfCode(code)));
    }
    cover_->setVisible(board_.coverShown);
    if (spoken)
        cover_->setAccessibleName(coverSpoken(board_.coverShown));
    for (int code = 1; code <= rules::kColourCount; ++code) {
        markers_.at(code).setVisible(board_.marker(code));
        swatches_.at(code).setMark(*marks_ ? QString::number(code) : QString());
        if (spoken)
            paletteAreas_.at(code).setSelected(board_.marker(code));
    }
    if (const std::optional<int> chosen = chosenCode(board_))
        palette_->setCurrent(*chosen - 1);
    cmdconferma_->setEnabled(board_.confirmEnabled);
    lblmessaggio_->setText(markerText(board_.outcome));
    opt1_->setChecked(board_.opt1);
}

// Colour names as tooltips, so that a player who cannot tell viola from azzurro can still
// play; the colour's number while the marks are on.
void frmcifrotto::labelDisc(toolkit::Shape& disc, std::optional<int> code) const {
    disc.setToolTip(nameOfCode(code));
    disc.setMark(*marks_ && code ? QString::number(*code) : QString());
}

} // namespace windows
