// fake_window_manager.h: a window manager, run by the test on a display of its own, that
// draws no frame but says it draws one with borders of four different widths. It lists
// _NET_REQUEST_FRAME_EXTENTS last in _NET_SUPPORTED, and maps and moves windows as asked.
#pragma once

#include <QMargins>
#include <xcb/xcb.h>

#include <thread>

class FakeWindowManager {
public:
    explicit FakeWindowManager(QMargins frame);
    ~FakeWindowManager();
    FakeWindowManager(const FakeWindowManager&) = delete;
    FakeWindowManager& operator=(const FakeWindowManager&) = delete;

    // False when another window manager holds the display.
    bool manages() const { return manages_; }

private:
    void answer();
    void sayFrame(xcb_window_t window);

    QMargins frame_;
    xcb_connection_t* x_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    // _NET_SUPPORTING_WM_CHECK; a message to it ends the answering.
    xcb_window_t check_ = XCB_WINDOW_NONE;
    xcb_atom_t request_ = XCB_ATOM_NONE;
    xcb_atom_t extents_ = XCB_ATOM_NONE;
    bool manages_ = false;
    std::thread answering_;
};
