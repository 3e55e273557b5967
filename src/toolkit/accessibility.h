// accessibility.h: makes a form's lightweight items visible to screen readers, as children
// of the window or of their item group, with their names, roles, states and descriptions.
#pragma once

#include <QString>

class QAccessibleEvent;

namespace toolkit {

// Installs the accessibility factory for forms, groups and items; later calls do nothing. Qt
// keeps the first interface it makes for an object, so this comes before any window is made:
// the window registry, which every window needs, installs it as it is made.
void installAccessibleFactory();

// Installs the factory, and the filter that turns a group's focus into its current item's and
// keeps controls hidden for good silent; later calls do nothing. The update handler in place at
// the first call (a test's, if any) hears what the filter lets through.
void installAccessibility();

// What an announcement says; empty for any other event, and for every event in a build without
// announcements (versions::kAnnouncements).
QString announcementText(const QAccessibleEvent& event);

} // namespace toolkit
