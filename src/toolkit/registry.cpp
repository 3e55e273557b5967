// registry.cpp: loading, showing, unloading and the end of the application.
#include "toolkit/registry.h"

#include "toolkit/accessibility.h"

#include <QMetaObject>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

namespace toolkit {

WindowRegistry::WindowRegistry() {
    installAccessibleFactory();
    QAccessible::installActivationObserver(this);
}

WindowRegistry::~WindowRegistry() { QAccessible::removeActivationObserver(this); }

void WindowRegistry::setScreenReaderListening(bool listening) {
    screenReader_ = listening;
    if (listening)
        for (const Entry& entry : loaded_)
            entry.window->describeForScreenReaders();
}

Form* WindowRegistry::findForm(std::type_index type) const {
    const auto it = std::ranges::find(loaded_, type, &Entry::type);
    return it == loaded_.end() ? nullptr : it->window.get();
}

void WindowRegistry::setFactory(std::type_index type, Factory<Form> factory) {
    const auto it = std::ranges::find(factories_, type, &Provided::type);
    if (it != factories_.end())
        it->factory = std::move(factory);
    else
        factories_.push_back({type, std::move(factory)});
}

Form* WindowRegistry::showForm(std::type_index type, const Factory<Form>& standard) {
    if (ended_)
        return nullptr;
    Form* window = findForm(type);
    if (!window) {
        const auto provided = std::ranges::find(factories_, type, &Provided::type);
        const Factory<Form>& create = provided != factories_.end() ? provided->factory : standard;
        if (!create)
            throw std::logic_error(std::string("no factory builds the window ") + type.name());
        window = loaded_.emplace_back(Entry{type, create(*this)}).window.get();
        window->Form_Load();
    }
    if (window->isVisible())
        window->raise(); // already open: only brought to the front
    else
        window->show();
    window->activateWindow();
    return window;
}

void WindowRegistry::unload(Form& window) {
    const auto it = std::ranges::find_if(
        loaded_, [&window](const Entry& entry) { return entry.window.get() == &window; });
    if (it == loaded_.end())
        return;
    unloaded_.push_back(std::move(it->window));
    loaded_.erase(it);
    // Qt's wayland plugin takes a transient child's surface down with its parent's: a window
    // that stood over this one stops before this one's surface goes, and so stays open.
    if (const QWindow* handle = window.windowHandle())
        for (const Entry& entry : loaded_)
            if (QWindow* other = entry.window->windowHandle();
                other && other->transientParent() == handle)
                other->setTransientParent(nullptr);
    window.hide();
    scheduleAfterHandler();
}

void WindowRegistry::endApplication() {
    if (ended_)
        return;
    ended_ = true;
    while (!loaded_.empty())
        unload(*loaded_.back().window);
    emit applicationEnded();
}

bool WindowRegistry::isLoaded(const Form& window) const {
    return std::ranges::any_of(
        loaded_, [&window](const Entry& entry) { return entry.window.get() == &window; });
}

std::vector<Form*> WindowRegistry::loadedWindows() const {
    std::vector<Form*> windows;
    for (const auto& entry : loaded_)
        windows.push_back(entry.window.get());
    return windows;
}

void WindowRegistry::scheduleAfterHandler() {
    if (afterHandlerScheduled_)
        return;
    afterHandlerScheduled_ = true;
    QMetaObject::invokeMethod(this, &WindowRegistry::afterHandler, Qt::QueuedConnection);
}

// Runs from the event loop once the handler that unloaded a window has returned: only
// then may the window's memory go, and only then does "no window left" mean the end
// ("&Ricomincia" unloads the last window and shows it again within one handler).
void WindowRegistry::afterHandler() {
    afterHandlerScheduled_ = false;
    unloaded_.clear();
    if (loaded_.empty() && !ended_) {
        ended_ = true;
        emit applicationEnded();
    }
}

} // namespace toolkit
