// builder.h: creating a window's controls from its layout table.
#pragma once

#include "toolkit/layout.h"

#include <QObject>
#include <span>
#include <vector>

namespace toolkit {

class Form;

// Creates every control of the table on the form, items in stacking order, native
// controls in tab order. The result holds each control at its row of the table.
std::vector<QObject*> buildControls(Form& form, std::span<const ControlSpec> layout);

} // namespace toolkit
