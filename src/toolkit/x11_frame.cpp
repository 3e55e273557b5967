// x11_frame.cpp: the EWMH frame-extents request, through Qt's own xcb connection.
#include "toolkit/x11_frame.h"

#include "toolkit/platform.h"

#include <QGuiApplication>
#include <QObject>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

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

Reply<xcb_get_property_reply_t> propertyOf(xcb_connection_t* x, xcb_window_t window,
                                           xcb_atom_t name, xcb_atom_t type) {
    return Reply<xcb_get_property_reply_t>(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, name, type, 0, 1024), nullptr));
}

// Left, right, top, bottom, as the window manager writes them.
std::optional<QMargins> frameExtents(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name) {
    const auto reply = propertyOf(x, window, name, XCB_ATOM_CARDINAL);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* side = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(static_cast<int>(side[0]), static_cast<int>(side[2]), static_cast<int>(side[1]),
                    static_cast<int>(side[3]));
}

xcb_intern_atom_cookie_t askAtom(xcb_connection_t* x, const char* name) {
    return xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atomOf(xcb_connection_t* x, xcb_intern_atom_cookie_t asked) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(x, asked, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

struct Atoms {
    xcb_atom_t supported;
    xcb_atom_t request;
    xcb_atom_t extents;
};

Atoms internAtoms(xcb_connection_t* x) {
    // The three questions go out together: one wait for the server rather than three.
    const auto supported = askAtom(x, "_NET_SUPPORTED");
    const auto request = askAtom(x, "_NET_REQUEST_FRAME_EXTENTS");
    const auto extents = askAtom(x, "_NET_FRAME_EXTENTS");
    return {atomOf(x, supported), atomOf(x, request), atomOf(x, extents)};
}

// The root the window stands on. A server of one screen, nearly every one, names it in its
// set-up, so the question is asked only of a server of several.
xcb_window_t rootOf(xcb_connection_t* x, xcb_window_t window) {
    const xcb_setup_t* setup = xcb_get_setup(x);
    if (xcb_setup_roots_length(setup) == 1)
        return xcb_setup_roots_iterator(setup).data->root;
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr));
    return tree ? tree->root : xcb_window_t{XCB_WINDOW_NONE};
}

// What the frame request needs to know of the X server, asked once rather than for every new
// window (the game window is new at every game): the atoms it names, and whether the window
// manager of each root lists the request in _NET_SUPPORTED. Atoms are valid only on the
// connection that interned them, so the answers are kept per connection: on the application
// object, which owns Qt's platform integration and with it the xcb connection, so they go
// when the connection goes, and a later application on another display asks afresh. A
// window manager that starts after the first window was placed is not seen.
class FrameQuestions : public QObject {
    Q_OBJECT
public:
    static FrameQuestions& of(xcb_connection_t* x) {
        for (auto* kept : qGuiApp->findChildren<FrameQuestions*>(Qt::FindDirectChildrenOnly))
            if (kept->x_ == x)
                return *kept;
        return *new FrameQuestions(x, qGuiApp);
    }

    xcb_atom_t request() const { return atoms_.request; }
    xcb_atom_t extents() const { return atoms_.extents; }

    bool requestSupported(xcb_window_t root) {
        const auto known =
            std::ranges::find(supportedOn_, root, &std::pair<xcb_window_t, bool>::first);
        if (known != supportedOn_.end())
            return known->second;
        return supportedOn_.emplace_back(root, listsRequest(root)).second;
    }

private:
    FrameQuestions(xcb_connection_t* x, QObject* application)
        : QObject(application), x_(x), atoms_(internAtoms(x)) {}

    bool listsRequest(xcb_window_t root) const {
        const auto reply = propertyOf(x_, root, atoms_.supported, XCB_ATOM_ATOM);
        if (!reply || reply->format != 32)
            return false;
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        const auto count = xcb_get_property_value_length(reply.get()) / 4;
        return std::find(atoms, atoms + count, atoms_.request) != atoms + count;
    }

    xcb_connection_t* x_;
    Atoms atoms_;
    std::vector<std::pair<xcb_window_t, bool>> supportedOn_; // by root
};

} // namespace

std::optional<QMargins> x11FrameBeforeMapping(const QWindow& window) {
    // The offscreen platform answers as an X11 application too (for GLX), with a connection of
    // its own or none, and its windows are none of the X server's.
    if (platform() != Platform::X11)
        return std::nullopt;
    xcb_connection_t* x =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    FrameQuestions& server = FrameQuestions::of(x);
    const xcb_window_t root = rootOf(x, id);
    if (root == XCB_WINDOW_NONE || !server.requestSupported(root))
        return std::nullopt; // no window manager, or one that cannot say: no frame to allow for

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = server.request();
    xcb_send_event(x, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x);
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    do {
        if (const auto frame = frameExtents(x, id, server.extents()))
            return frame;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}
#else
std::optional<QMargins> x11FrameBeforeMapping(const QWindow&) { return std::nullopt; }
#endif

} // namespace toolkit

#if QT_CONFIG(xcb)
#include "x11_frame.moc"
#endif
