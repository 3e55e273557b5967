// registry.cpp: loading, showing, unloading and the end of the application.
#include "toolkit/registry.h"

#include "toolkit/pixels.h"

#include <QMetaObject>
#include <QPixmap>
#include <algorithm>

namespace toolkit {

WindowRegistry::WindowRegistry()
    : randomSource_([] { return std::make_unique<rules::SeededRandom>(rules::clockSeed()); }) {}

WindowRegistry::~WindowRegistry() = default;

Form* WindowRegistry::findForm(std::type_index type) const {
    const auto it = std::ranges::find(loaded_, type, &Entry::type);
    return it == loaded_.end() ? nullptr : it->window.get();
}

Form* WindowRegistry::showForm(std::type_index type, Form* (*create)(WindowRegistry&)) {
    if (ended_)
        return nullptr;
    Form* window = findForm(type);
    if (!window) {
        window =
            loaded_.emplace_back(Entry{type, std::unique_ptr<Form>(create(*this))}).window.get();
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

// The icon is made once, at the sizes title bars and task bars use, from pictures drawn at
// build time: handing the desktop a scalable icon would have it drawn again at every size for
// every new window.
void WindowRegistry::decorate(Form& window) {
    if (icon_.isNull())
        for (const int side : {16, 32, 48}) {
            const QByteArray pixels =
                pixelsData(QStringLiteral(":/artwork/icon-%1.pixels").arg(side));
            // A copy: a pixmap made from an image may keep its memory, and these bytes go.
            icon_.addPixmap(QPixmap::fromImage(imageOn(pixels).copy()));
        }
    window.setWindowIcon(icon_);
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
