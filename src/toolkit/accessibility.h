// accessibility.h: makes a form's lightweight items visible to screen readers, as children
// of the window or of their item group, with their names, roles, states and descriptions.
#pragma once

namespace toolkit {

// Installs the accessibility factory for forms, groups and items, and the filter that turns a
// group's focus into its current item's and keeps controls hidden for good silent; later
// calls do nothing.
void installAccessibility();

} // namespace toolkit
