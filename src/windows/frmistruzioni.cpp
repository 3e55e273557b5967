// frmistruzioni.cpp: "&OK" goes back to a new start window.
#include "windows/frmistruzioni.h"

#include "toolkit/builder.h"
#include "toolkit/registry.h"
#include "windows/frminizio.h"
#include "windows/frmistruzioni_layout.h"

#include <QPushButton>

namespace windows {

using namespace istruzioni_layout;

frmistruzioni::frmistruzioni(toolkit::WindowRegistry& registry) : Form(registry, kForm) {
    const toolkit::Controls controls = toolkit::buildControls(*this, kControls);
    toolkit::onClick(controls.get<QPushButton>("cmdok"), this, &frmistruzioni::cmdok_Click);
    // Text and one button: as a dialog, screen readers read the rules out as the window opens.
    setAccessibleRole(QAccessible::Dialog);
}

void frmistruzioni::Form_Load() { centreOnScreen(); }

void frmistruzioni::cmdok_Click() {
    registry().show<frminizio>();
    registry().unload(*this);
}

} // namespace windows
