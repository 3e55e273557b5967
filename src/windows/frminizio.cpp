// frminizio.cpp: the start window's three buttons.
#include "windows/frminizio.h"

#include "toolkit/builder.h"
#include "toolkit/registry.h"
#include "windows/frmcifrotto.h"
#include "windows/frminizio_layout.h"
#include "windows/frmistruzioni.h"

#include <QPushButton>

namespace windows {

using namespace inizio_layout;

frminizio::frminizio(toolkit::WindowRegistry& registry) : Form(registry, kForm) {
    const toolkit::Controls controls = toolkit::buildControls(*this, kControls);
    toolkit::onClick(controls.get<QPushButton>("cmdcomincia"), this, &frminizio::cmdcomincia_Click);
    toolkit::onClick(controls.get<QPushButton>("cmdistruzioni"), this,
                     &frminizio::cmdistruzioni_Click);
    toolkit::onClick(controls.get<QPushButton>("cmdesci"), this, &frminizio::cmdesci_Click);
    // No button has the focus as the window opens, so a screen reader reads the window alone:
    // it says what can be done here.
    setAccessibleDescription(
        QStringLiteral("Finestra d'inizio: Comincia, Alt+C; Istruzioni, Alt+I; Esci, Alt+E."));
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
