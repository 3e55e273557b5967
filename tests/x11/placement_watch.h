// placement_watch.h: what the X server says of the program's windows, read through a
// connection of the test's own, apart from Qt's: where each window stands, the frame the
// window manager says it drew, and whether the window moved once it was mapped.
#pragma once

#include <QMargins>
#include <QRect>
#include <QStringList>
#include <xcb/xcb.h>

#include <map>
#include <optional>

class PlacementWatch {
public:
    // Listens from now on to every child of the root: the program's windows under a window
    // manager that draws no frame of its own, the frames under one that does. `program` is
    // the program's own connection, whose requests the watch waits for.
    explicit PlacementWatch(xcb_connection_t* program);
    ~PlacementWatch();
    PlacementWatch(const PlacementWatch&) = delete;
    PlacementWatch& operator=(const PlacementWatch&) = delete;

    // The moves of the window holding `client` on the screen (its frame, or itself) since it
    // was last mapped, as "x,y -> x,y", up to all the program has asked for so far; none for
    // a window placed right from its first frame.
    QStringList movesAfterMapping(xcb_window_t client);

    // The frame the window manager says it drew round `client`.
    std::optional<QMargins> frameExtents(xcb_window_t client) const;

    // The client area on the screen.
    QRect clientOnScreen(xcb_window_t client) const;
    QSize screenSize() const;

private:
    struct Placement {
        QPoint at;
        bool mapped = false;
        QStringList moves; // since it was last mapped
    };

    // Takes in all the server has said up to the window manager's answer to what the
    // program has asked so far; false when the window manager does not answer.
    bool catchUp();
    void take(const xcb_generic_event_t& event);
    xcb_window_t topLevelOf(xcb_window_t window) const;

    xcb_connection_t* program_;
    xcb_connection_t* x_;
    xcb_window_t root_;
    xcb_window_t probe_; // never mapped: the window manager's frame for it says it has caught up
    xcb_atom_t frameExtents_;
    xcb_atom_t requestFrameExtents_;
    std::map<xcb_window_t, Placement> children_; // of the root
};
