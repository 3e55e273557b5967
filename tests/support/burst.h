// burst.h: input faster than the event loop. The window system hands Qt a quick hand's keys
// and clicks together, and Qt delivers them all in one pass of its event loop, before any call
// that a handler queued runs and before anything it unloaded is destroyed; a burst does the same.
#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>
#include <vector>

namespace support {

class Burst {
public:
    // A key typed into the window: the modifiers go down, the key goes down and up, the
    // modifiers come up.
    Burst& key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A key held down: its press, the keyboard's repeats (each a release and a press marked as
    // repeated, as X11 sends them), its release.
    Burst& hold(QWidget* window, Qt::Key key, int repeats,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The left button pressed and released at a point of the window.
    Burst& click(QWidget* window, QPoint position);
    // Two clicks within the double-click interval: Qt makes the second press a double click.
    Burst& doubleClick(QWidget* window, QPoint position);
    // The window's close control.
    Burst& close(QWidget* window);

    // Queues every event of the burst, then runs the event loop until the pass that delivers
    // them, one after another; what their handlers queue comes after. The burst is empty
    // again afterwards. An event whose window has gone meanwhile is dropped, as Qt drops it.
    void deliver();

private:
    std::vector<std::function<void()>> events_;
};

// Waits until no button of any window is down or about to click: Qt holds an accelerator's
// button down for a moment and clicks it 100 ms after the key, even if Esc has raised it
// meanwhile. False if a click is still pending after five seconds.
bool waitForDelayedClicks();

} // namespace support
