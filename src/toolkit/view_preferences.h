// view_preferences.h: how the player chose to see the windows, kept for the rest of the run
// (by the run's registry) and nowhere after.
#pragma once

#include <QObject>

namespace toolkit {

class Form;
class WindowRegistry;

class ViewPreferences final : public QObject {
    Q_OBJECT
public:
    // The run's preferences, made the first time they are asked for.
    static ViewPreferences& of(WindowRegistry& registry);

    // The zoom of the window the player last enlarged or reduced, by its frame or its keys:
    // every window opened later opens at it, as far as the screen holds it.
    double zoom() const { return zoom_; }
    // Taken from the window once its new size is its own, so the two never disagree.
    void keepZoomOf(const Form& window);

private:
    explicit ViewPreferences(WindowRegistry& registry);

    double zoom_ = 1;
};

} // namespace toolkit
