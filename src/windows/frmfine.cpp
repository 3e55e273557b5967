// frmfine.cpp: the end window reads the game window's outcome flag as it loads.
#include "windows/frmfine.h"

#include "toolkit/builder.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine_layout.h"

#include <QLabel>
#include <QPushButton>

namespace windows {

using namespace fine_layout;

frmfine::frmfine(toolkit::WindowRegistry& registry) : Form(registry, kForm) {
    const auto controls = toolkit::buildControls(*this, kControls);
    lblmessaggio_ = static_cast<QLabel*>(controls[lblmessaggio]);
    lbldomanda_ = static_cast<QLabel*>(controls[lbldomanda]);
    toolkit::onClick(static_cast<QPushButton*>(controls[cmdsi]), this, &frmfine::cmdsi_Click);
    toolkit::onClick(static_cast<QPushButton*>(controls[cmdno]), this, &frmfine::cmdno_Click);
}

void frmfine::Form_Load() {
    centreOnScreen();
    const frmcifrotto* game = registry().find<frmcifrotto>();
    const bool won = game && game->outcomeFlag();
    setMessage(won ? kWon : kLost);
}

void frmfine::cmdsi_Click() {
    registry().unload<frmcifrotto>();
    registry().show<frmcifrotto>();
    registry().unload(*this);
}

void frmfine::cmdno_Click() { registry().endApplication(); }

void frmfine::setMessage(const QString& message) { lblmessaggio_->setText(message); }

void frmfine::setQuestionTop(int twips) {
    lbldomanda_->move(lbldomanda_->x(), toolkit::toWholePixels(twips));
}

} // namespace windows
