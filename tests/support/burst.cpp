// burst.cpp: queued keys and clicks, delivered in one pass of the event loop.
#include "support/burst.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <algorithm>

namespace support {

namespace {

// The modifier keys in the order QTest presses them.
constexpr std::pair<Qt::KeyboardModifier, Qt::Key> kModifierKeys[] = {
    {Qt::ShiftModifier, Qt::Key_Shift},
    {Qt::ControlModifier, Qt::Key_Control},
    {Qt::AltModifier, Qt::Key_Alt},
    {Qt::MetaModifier, Qt::Key_Meta},
};

} // namespace

Burst& Burst::key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    return hold(window, key, 0, modifiers);
}

Burst& Burst::hold(QWidget* window, Qt::Key key, int repeats, Qt::KeyboardModifiers modifiers) {
    QPointer<QWindow> target = window->windowHandle();
    const QString text = QChar::fromLatin1(QTest::keyToAscii(key));
    const auto send = [target](QEvent::Type type, Qt::Key code, Qt::KeyboardModifiers held,
                               const QString& typed, bool repeated) {
        if (target)
            qt_handleKeyEvent(target, type, code, held, typed, repeated);
    };
    events_.emplace_back([=] {
        // Each modifier goes down with the ones before it already held.
        Qt::KeyboardModifiers down;
        for (const auto& [modifier, modifierKey] : kModifierKeys)
            if (modifiers & modifier) {
                send(QEvent::KeyPress, modifierKey, down, {}, false);
                down |= modifier;
            }
        send(QEvent::KeyPress, key, modifiers, text, false);
        for (int i = 0; i < repeats; ++i) {
            send(QEvent::KeyRelease, key, modifiers, text, true);
            send(QEvent::KeyPress, key, modifiers, text, true);
        }
        send(QEvent::KeyRelease, key, modifiers, text, false);
        for (auto it = std::rbegin(kModifierKeys); it != std::rend(kModifierKeys); ++it)
            if (modifiers & it->first)
                send(QEvent::KeyRelease, it->second, modifiers, {}, false);
    });
    return *this;
}

Burst& Burst::click(QWidget* window, QPoint position) {
    QPointer<QWindow> target = window->windowHandle();
    const QPointF global = target->mapToGlobal(position);
    // QTest's clock, so that a click of a burst is no double click with a QTest click, and
    // clicks of separate calls are none with each other.
    const int timestamp = (QTest::lastMouseTimestamp += 1);
    QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
    events_.emplace_back([=] {
        if (target)
            qt_handleMouseEvent(target, position, global, Qt::LeftButton, Qt::LeftButton,
                                QEvent::MouseButtonPress, Qt::NoModifier, timestamp);
        if (target)
            qt_handleMouseEvent(target, position, global, Qt::NoButton, Qt::LeftButton,
                                QEvent::MouseButtonRelease, Qt::NoModifier, timestamp);
    });
    return *this;
}

Burst& Burst::doubleClick(QWidget* window, QPoint position) {
    click(window, position);
    // The second click comes at the first one's time.
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval + 1;
    return click(window, position);
}

Burst& Burst::close(QWidget* window) {
    events_.emplace_back([target = QPointer<QWidget>(window)] {
        if (target)
            target->close();
    });
    return *this;
}

void Burst::deliver() {
    std::vector<std::function<void()>> events;
    events.swap(events_);
    bool delivered = false;
    QMetaObject::invokeMethod(
        qApp,
        [&events, &delivered] {
            for (const auto& event : events)
                event();
            delivered = true;
        },
        Qt::QueuedConnection);
    while (!delivered)
        QCoreApplication::processEvents();
}

bool waitForDelayedClicks() {
    const auto pending = [] {
        const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        for (QWidget* window : QApplication::topLevelWidgets())
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
                if (button->isDown() || !dispatcher->registeredTimers(button).isEmpty())
                    return true;
        return false;
    };
    return QTest::qWaitFor([&pending] { return !pending(); });
}

} // namespace support
