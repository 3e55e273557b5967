// registry.h: the one home of window lifetime. A window loads on first use; showing runs
// its Form_Load inside the call; unloading destroys it, and a later show builds it afresh.
#pragma once

#include "rules/random.h"
#include "toolkit/form.h"

#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

namespace toolkit {

class WindowRegistry : public QObject {
    Q_OBJECT
public:
    using RandomSource = std::function<std::unique_ptr<rules::UnitRandom>()>;

    WindowRegistry();
    ~WindowRegistry() override;

    // Loads W if it is not loaded (building it and running its Form_Load), then shows it
    // modeless and brings it to the front. Nothing, once the application has ended.
    template <class W> W* show() {
        return static_cast<W*>(showForm(typeid(W), [](WindowRegistry& r) -> Form* {
            return new W(r); // owned by the registry from here on
        }));
    }

    template <class W> W* find() const { return static_cast<W*>(findForm(typeid(W))); }

    template <class W> void unload() {
        if (W* window = find<W>())
            unload(*window);
    }

    // Hides the window and destroys it once the running handler has returned, so a handler
    // may unload its own window and go on using it.
    void unload(Form& window);

    // Ends at once: every window is unloaded and no further show succeeds.
    void endApplication();

    bool hasEnded() const { return ended_; }
    std::vector<Form*> loadedWindows() const;
    // False from the moment the window is unloaded, though it lives on until the running
    // handler has returned.
    bool isLoaded(const Form& window) const;

    // Where each new game's secret draw takes its randomness: the clock, unless a test or a
    // replay hands in a seeded source.
    void setRandomSource(RandomSource source) { randomSource_ = std::move(source); }
    std::unique_ptr<rules::UnitRandom> newRandom() const { return randomSource_(); }

    // Gives a new window what every window shares: the icon.
    void decorate(Form& window);

signals:
    // Emitted once, when the last window has gone or a handler ended the application.
    void applicationEnded();

private:
    struct Entry {
        std::type_index type;
        std::unique_ptr<Form> window;
    };

    Form* showForm(std::type_index type, Form* (*create)(WindowRegistry&));
    Form* findForm(std::type_index type) const;
    void afterHandler();
    void scheduleAfterHandler();

    std::vector<Entry> loaded_;
    std::vector<std::unique_ptr<Form>> unloaded_; // destroyed after the running handler
    bool afterHandlerScheduled_ = false;
    bool ended_ = false;
    RandomSource randomSource_;
    QIcon icon_;
};

} // namespace toolkit
