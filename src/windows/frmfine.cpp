// frmfine.cpp: the end window tells the game window's outcome flag and asks for another game.
#include "windows/frmfine.h"

#include "toolkit/builder.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine_layout.h"

#include <QLabel>
#include <QPushButton>

namespace windows {

using namespace fine_layout;

namespace {
constexpr int kQuestionTop = 840;       // twips, as laid out
constexpr int kRaisedQuestionTop = 480; // with no message above it
} // namespace

frmfine::frmfine(toolkit::WindowRegistry& registry) : Form(registry, kForm) {
    const toolkit::Controls controls = toolkit::buildControls(*this, kControls);
    lblmessaggio_ = controls.get<QLabel>("lblmessaggio");
    lbldomanda_ = controls.get<QLabel>("lbldomanda");
    cmdsi_ = controls.get<QPushButton>("cmdsi");
    // It asks one question: screen readers treat it as a dialog.
    setAccessibleRole(QAccessible::Dialog);
    toolkit::onClick(cmdsi_, this, &frmfine::cmdsi_Click);
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
    const frmcifrotto* game = registry().find<frmcifrotto>();
    const bool won = game && game->outcomeFlag();
    setMessage(won ? QStringLiteral("Hai vinto!") : QStringLiteral("Hai perso!"));
    setQuestionTop(kQuestionTop);
}

void frmfine::showQuestionOnly() {
    setMessage({});
    setQuestionTop(kRaisedQuestionTop);
}

void frmfine::setMessage(const QString& message) {
    lblmessaggio_->setText(message);
    describeIfListened();
}

// The message is also the description of the window and of "&Sì", which takes the focus as
// the window opens, so that a screen reader reads it on arrival.
void frmfine::describeForScreenReaders() {
    setAccessibleDescription(lblmessaggio_->text());
    cmdsi_->setAccessibleDescription(lblmessaggio_->text());
}

void frmfine::setQuestionTop(int twips) {
    lbldomanda_->move(lbldomanda_->x(), toolkit::toWholePixels(twips));
}

} // namespace windows
