// accessibility.h: makes a form's lightweight items visible to screen readers, as children
// of the window with their names, roles and states.
#pragma once

namespace toolkit {

// Installs the accessibility factory for forms and items; later calls do nothing.
void installAccessibility();

} // namespace toolkit
