// x11_frame.cpp: the EWMH frame-extents request, through Qt's own xcb connection.
#include "toolkit/x11_frame.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace toolkit {

#if QT_CONFIG(xcb)
namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

// A window manager answers at once; one that claims the request but never answers costs
// this much, once per window.
constexpr auto kPatience = std::chrono::milliseconds(500);

xcb_intern_atom_cookie_t askAtom(xcb_connection_t* x, const char* name) {
    return xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atomOf(xcb_connection_t* x, xcb_intern_atom_cookie_t asked) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(x, asked, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

Reply<xcb_get_property_reply_t> property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name,
                                         xcb_atom_t type) {
    return Reply<xcb_get_property_reply_t>(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, name, type, 0, 1024), nullptr));
}

bool supportedByWindowManager(xcb_connection_t* x, xcb_window_t root, xcb_atom_t supported,
                              xcb_atom_t wanted) {
    const auto reply = property(x, root, supported, XCB_ATOM_ATOM);
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const auto count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

// Left, right, top, bottom, as the window manager writes them.
std::optional<QMargins> frameExtents(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name) {
    const auto reply = property(x, window, name, XCB_ATOM_CARDINAL);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* side = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(static_cast<int>(side[0]), static_cast<int>(side[2]), static_cast<int>(side[1]),
                    static_cast<int>(side[3]));
}

} // namespace

std::optional<QMargins> x11FrameBeforeMapping(const QWindow& window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return std::nullopt;
    xcb_connection_t* x = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Every new window asks, so the four questions go out together: one wait for the server
    // rather than four.
    const xcb_query_tree_cookie_t askTree = xcb_query_tree(x, id);
    const xcb_intern_atom_cookie_t askSupported = askAtom(x, "_NET_SUPPORTED");
    const xcb_intern_atom_cookie_t askRequest = askAtom(x, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_intern_atom_cookie_t askExtents = askAtom(x, "_NET_FRAME_EXTENTS");
    const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(x, askTree, nullptr));
    const xcb_atom_t supported = atomOf(x, askSupported);
    const xcb_atom_t request = atomOf(x, askRequest);
    const xcb_atom_t extents = atomOf(x, askExtents);
    if (!tree || !supportedByWindowManager(x, tree->root, supported, request))
        return std::nullopt; // no window manager, or one that cannot say: no frame to allow for

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(x, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x);
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    do {
        if (const auto frame = frameExtents(x, id, extents))
            return frame;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}
#else
std::optional<QMargins> x11FrameBeforeMapping(const QWindow&) { return std::nullopt; }
#endif

} // namespace toolkit
