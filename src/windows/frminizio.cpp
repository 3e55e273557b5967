// frminizio.cpp: the start window's three buttons.
#include "windows/frminizio.h"

#include "toolkit/builder.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"
#include "windows/frminizio_layout.h"
#include "windows/frmistruzioni.h"

#include <QKeySequence>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

namespace windows {

using namespace inizio_layout;

namespace {
// "Comincia, Alt+C": a button as its caption reads and as its key presses it.
QString spoken(const QPushButton& button) {
    const QString caption = button.text();
    return QStringLiteral("%1, %2").arg(
        QString(caption).remove(QLatin1Char('&')),
        QKeySequence::mnemonic(caption).toString(QKeySequence::PortableText));
}
} // namespace

frminizio::frminizio(toolkit::WindowRegistry& registry) : Form(registry, kForm) {
    const toolkit::Controls controls = toolkit::buildControls(*this, kControls);
    toolkit::onClick(controls.get<QPushButton>("cmdcomincia"), this, &frminizio::cmdcomincia_Click);
    toolkit::onClick(controls.get<QPushButton>("cmdistruzioni"), this,
                     &frminizio::cmdistruzioni_Click);
    toolkit::onClick(controls.get<QPushButton>("cmdesci"), this, &frminizio::cmdesci_Click);
    // No button has the focus as the window opens, so a screen reader reads the window alone:
    // it says what can be done here, the buttons from left to right.
    QList<QPushButton*> buttons = findChildren<QPushButton*>();
    std::ranges::sort(buttons, {}, &QWidget::x);
    QStringList said;
    for (const QPushButton* button : buttons)
        said << spoken(*button);
    setArrivalText(QStringLiteral("Finestra d'inizio: %1.").arg(said.join(QStringLiteral("; "))));
}

void frminizio::Form_Load() { centreOnScreen(); }

void frminizio::cmdcomincia_Click() {
    registry().show<frmcifrotto>();
    registry().unload(*this);
}

void frminizio::cmdistruzioni_Click() {
    registry().show<frmistruzioni>();
    registry().unload(*this);
}

void frminizio::cmdesci_Click() { registry().endApplication(); }

} // namespace windows
