// frmfine.cpp: the end window tells the game window's outcome flag and asks for another game.
#include "windows/frmfine.h"

#include "rules/colour.h"
#include "toolkit/builder.h"
#include "toolkit/platform.h"
#include "toolkit/registry.h"
#include "toolkit/versions.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine_layout.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QWindow>

namespace windows {

using namespace fine_layout;

namespace {
// "rosso, verde, blu, nero": the secret's colours from left to right.
QString secretInWords(const rules::Board& board) {
    QStringList colours;
    for (int k = 1; k <= rules::kColumns; ++k)
        if (const std::optional<int> code = rules::codeOfColour(board.secret(k)))
            colours << QString::fromLatin1(rules::colourOfCode(*code).name);
    return colours.join(QStringLiteral(", "));
}
} // namespace

frmfine::frmfine(toolkit::WindowRegistry& registry) : Form(registry, kForm) {
    const toolkit::Controls controls = toolkit::buildControls(*this, kControls);
    lblmessaggio_ = controls.get<QLabel>("lblmessaggio");
    lbldomanda_ = controls.get<QLabel>("lbldomanda");
    // It asks one question: screen readers treat it as a dialog, or an alert.
    setAccessibleRole(toolkit::versions::kDialogDescriptionReadTwice ? QAccessible::AlertMessage
                                                                     : QAccessible::Dialog);
    toolkit::onClick(controls.get<QPushButton>("cmdsi"), this, &frmfine::cmdsi_Click);
    toolkit::onClick(controls.get<QPushButton>("cmdno"), this, &frmfine::cmdno_Click);
}

void frmfine::Form_Load() {
    centreOnScreen();
    showOutcome();
}

void frmfine::cmdsi_Click() {
    registry().unload<frmcifrotto>();
    registry().show<frmcifrotto>();
    registry().unload(*this);
}

void frmfine::cmdno_Click() { registry().endApplication(); }

void frmfine::showOutcome() {
    standOverGame();
    const frmcifrotto* game = registry().find<frmcifrotto>();
    const bool won = game && game->outcomeFlag();
    setMessage(won ? QStringLiteral("Hai vinto!") : QStringLiteral("Hai perso!"));
    setQuestionTop(kQuestionTop);
}

void frmfine::showQuestionOnly() {
    standOverGame();
    setMessage({});
    setQuestionTop(kRaisedQuestionTop);
}

// Wayland stacks a new window where the compositor likes and lets a click on the board raise
// the board over it; as the board's transient the question stays in sight. Not on X11, where
// the game centres every window itself and some window managers would place a transient by
// its parent instead; offscreen as on Wayland, so that the tests follow the hand-offs. The
// registry drops the parent as the board unloads (its "&Fine"), before Qt's wayland plugin
// could take this window's surface down with the board's, so this window stays open; a later
// game's window becomes the parent at its next hand-off.
void frmfine::standOverGame() {
    const frmcifrotto* game = registry().find<frmcifrotto>();
    if (!game || !game->windowHandle() || toolkit::platform() == toolkit::Platform::X11)
        return;
    create();
    windowHandle()->setTransientParent(game->windowHandle());
}

void frmfine::setMessage(const QString& message) {
    lblmessaggio_->setText(message);
    fitCaption(*lblmessaggio_);
    describeIfListened();
}

// A screen reader reads the window's description as the window opens, before "&Sì", which
// takes the focus: the message, the secret that the game window now shows uncovered, and the
// question.
void frmfine::describeForScreenReaders() {
    QStringList told;
    if (!lblmessaggio_->text().isEmpty())
        told << lblmessaggio_->text();
    if (const frmcifrotto* game = registry().find<frmcifrotto>(); game && !game->board().coverShown)
        told << QStringLiteral("Combinazione: %1.").arg(secretInWords(game->board()));
    told << lbldomanda_->text();
    setAccessibleDescription(told.join(QLatin1Char(' ')));
}

void frmfine::setQuestionTop(int twips) {
    toolkit::TwipRect place = placeOf(*lbldomanda_);
    place.top = twips;
    setPlace(*lbldomanda_, place);
}

} // namespace windows
