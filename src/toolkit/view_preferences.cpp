// view_preferences.cpp: the run's view preferences, hung on its window registry.
#include "toolkit/view_preferences.h"

#include "toolkit/form.h"
#include "toolkit/registry.h"

namespace toolkit {

ViewPreferences::ViewPreferences(WindowRegistry& registry) : QObject(&registry) {}

ViewPreferences& ViewPreferences::of(WindowRegistry& registry) {
    if (auto* kept = registry.findChild<ViewPreferences*>(QString(), Qt::FindDirectChildrenOnly))
        return *kept;
    return *new ViewPreferences(registry);
}

void ViewPreferences::keepZoomOf(const Form& window) { zoom_ = window.zoom().factor; }

} // namespace toolkit
