// registry.h: the one home of window lifetime. A window loads on first use; showing runs
// its Form_Load inside the call; unloading destroys it, and a later show builds it afresh.
#pragma once

#include "toolkit/form.h"

#include <QObject>
#include <functional>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <vector>

namespace toolkit {

class WindowRegistry : public QObject, private QAccessible::ActivationObserver {
    Q_OBJECT
public:
    template <class W> using Factory = std::function<std::unique_ptr<W>(WindowRegistry&)>;

    WindowRegistry();
    ~WindowRegistry() override;

    // How W is built from now on, for a window that needs more than the registry to be built.
    // A window without a factory is built from the registry alone; one that cannot be makes
    // show<W>() throw std::logic_error.
    template <class W> void provide(Factory<W> factory) {
        setFactory(typeid(W), [factory = std::move(factory)](WindowRegistry& registry) {
            return std::unique_ptr<Form>(factory(registry));
        });
    }

    // Loads W if it is not loaded (building it and running its Form_Load), then shows it
    // modeless and brings it to the front. Nothing, once the application has ended.
    template <class W> W* show() {
        Factory<Form> standard;
        if constexpr (std::is_constructible_v<W, WindowRegistry&>)
            standard = [](WindowRegistry& registry) { return std::make_unique<W>(registry); };
        return static_cast<W*>(showForm(typeid(W), standard));
    }

    template <class W> W* find() const { return static_cast<W*>(findForm(typeid(W))); }

    template <class W> void unload() {
        if (W* window = find<W>())
            unload(*window);
    }

    // Hides the window and destroys it once the running handler has returned, so a handler
    // may unload its own window and go on using it. A window standing over it stays open.
    void unload(Form& window);

    // Ends at once: every window is unloaded and no further show succeeds.
    void endApplication();

    bool hasEnded() const { return ended_; }
    std::vector<Form*> loadedWindows() const;
    // False from the moment the window is unloaded, though it lives on until the running
    // handler has returned.
    bool isLoaded(const Form& window) const;

    // Whether a screen reader (or another assistive tool) is listening, as Qt last said.
    // While none is, windows need not write what only a screen reader reads; when one starts,
    // every loaded window describes itself (Form::describeForScreenReaders).
    bool screenReaderListening() const { return screenReader_; }
    void setScreenReaderListening(bool listening);

signals:
    // Emitted once, when the last window has gone or a handler ended the application.
    void applicationEnded();

private:
    struct Entry {
        std::type_index type;
        std::unique_ptr<Form> window;
    };

    struct Provided {
        std::type_index type;
        Factory<Form> factory;
    };

    void setFactory(std::type_index type, Factory<Form> factory);
    Form* showForm(std::type_index type, const Factory<Form>& standard);
    Form* findForm(std::type_index type) const;
    void afterHandler();
    void scheduleAfterHandler();
    void accessibilityActiveChanged(bool active) override { setScreenReaderListening(active); }

    std::vector<Provided> factories_;
    std::vector<Entry> loaded_;
    std::vector<std::unique_ptr<Form>> unloaded_; // destroyed after the running handler
    bool afterHandlerScheduled_ = false;
    bool ended_ = false;
    bool screenReader_ = QAccessible::isActive();
};

} // namespace toolkit
