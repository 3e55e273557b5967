// placement_watch.cpp: the root's children followed through their structure events.
#include "placement_watch.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

QString place(QPoint at) { return QStringLiteral("%1,%2").arg(at.x()).arg(at.y()); }

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Returns once the server has carried out every request sent on the connection so far.
void sync(xcb_connection_t* x) {
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
}

} // namespace

PlacementWatch::PlacementWatch(xcb_connection_t* program)
    : program_(program), x_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(x_))
        throw std::runtime_error("the watch cannot reach the X display");
    root_ = xcb_setup_roots_iterator(xcb_get_setup(x_)).data->root;
    frameExtents_ = atom(x_, "_NET_FRAME_EXTENTS");
    requestFrameExtents_ = atom(x_, "_NET_REQUEST_FRAME_EXTENTS");
    const std::uint32_t children = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x_, root_, XCB_CW_EVENT_MASK, &children);
    probe_ = xcb_generate_id(x_);
    const std::uint32_t properties = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(x_, XCB_COPY_FROM_PARENT, probe_, root_, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &properties);
    sync(x_); // the server listens for us before the program's first window is made
}

PlacementWatch::~PlacementWatch() { xcb_disconnect(x_); }

bool PlacementWatch::catchUp() {
    // The window manager answers requests in turn, so once it has answered one for the
    // probe it has handled all the program had asked of it before; what it did then came
    // to the watch before its answer.
    sync(program_);
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = probe_;
    request.type = requestFrameExtents_;
    xcb_send_event(x_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(x_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::unique_ptr<xcb_generic_event_t, FreeReply> event(xcb_poll_for_event(x_));
        if (!event) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        const auto& changed = reinterpret_cast<const xcb_property_notify_event_t&>(*event);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && changed.window == probe_ &&
            changed.atom == frameExtents_)
            return true;
        take(*event);
    }
    return false;
}

void PlacementWatch::take(const xcb_generic_event_t& event) {
    switch (event.response_type & 0x7f) {
    case XCB_CREATE_NOTIFY: {
        const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(event);
        children_[created.window] = Placement{QPoint(created.x, created.y), false, {}};
        break;
    }
    case XCB_CONFIGURE_NOTIFY: {
        const auto& configured = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
        Placement& child = children_[configured.window];
        const QPoint at(configured.x, configured.y);
        if (child.mapped && at != child.at)
            child.moves << place(child.at) + QStringLiteral(" -> ") + place(at);
        child.at = at;
        break;
    }
    case XCB_MAP_NOTIFY: {
        Placement& child = children_[reinterpret_cast<const xcb_map_notify_event_t&>(event).window];
        child.mapped = true;
        child.moves.clear();
        break;
    }
    case XCB_UNMAP_NOTIFY:
        children_[reinterpret_cast<const xcb_unmap_notify_event_t&>(event).window].mapped = false;
        break;
    case XCB_REPARENT_NOTIFY: {
        const auto& moved = reinterpret_cast<const xcb_reparent_notify_event_t&>(event);
        if (moved.parent == root_)
            children_[moved.window] = Placement{QPoint(moved.x, moved.y), false, {}};
        else
            children_.erase(moved.window); // into a frame, which is followed instead
        break;
    }
    case XCB_DESTROY_NOTIFY:
        children_.erase(reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window);
        break;
    default:
        break;
    }
}

xcb_window_t PlacementWatch::topLevelOf(xcb_window_t window) const {
    for (;;) {
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(x_, xcb_query_tree(x_, window), nullptr));
        if (!tree || tree->parent == root_)
            return window;
        window = tree->parent;
    }
}

QStringList PlacementWatch::movesAfterMapping(xcb_window_t client) {
    if (!catchUp())
        return {QStringLiteral("the window manager did not answer")};
    const auto child = children_.find(topLevelOf(client));
    if (child == children_.end() || !child->second.mapped)
        return {QStringLiteral("never seen mapped")};
    return child->second.moves;
}

std::optional<QMargins> PlacementWatch::frameExtents(xcb_window_t client) const {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        x_, xcb_get_property(x_, 0, client, frameExtents_, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    // Left, right, top, bottom.
    const auto* side = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(side[0]), int(side[2]), int(side[1]), int(side[3]));
}

QRect PlacementWatch::clientOnScreen(xcb_window_t client) const {
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x_, xcb_get_geometry(x_, client), nullptr));
    const Reply<xcb_translate_coordinates_reply_t> at(xcb_translate_coordinates_reply(
        x_, xcb_translate_coordinates(x_, client, root_, 0, 0), nullptr));
    return {at->dst_x, at->dst_y, geometry->width, geometry->height};
}

QSize PlacementWatch::screenSize() const {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x_)).data;
    return {screen->width_in_pixels, screen->height_in_pixels};
}
