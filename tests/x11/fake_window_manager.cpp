// fake_window_manager.cpp: the fake window manager's answers, on a thread and connection of
// its own, so that it answers while the program waits for it.
#include "fake_window_manager.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void setValues(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
               const std::vector<std::uint32_t>& values) {
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, window, name, type, 32,
                        static_cast<std::uint32_t>(values.size()), values.data());
}

// A configure request's values, in the order of its mask's bits.
std::vector<std::uint32_t> valuesOf(const xcb_configure_request_event_t& request) {
    std::vector<std::uint32_t> values;
    const std::uint16_t mask = request.value_mask;
    if (mask & XCB_CONFIG_WINDOW_X)
        values.push_back(static_cast<std::uint32_t>(request.x)); // sign-extended, as X wants
    if (mask & XCB_CONFIG_WINDOW_Y)
        values.push_back(static_cast<std::uint32_t>(request.y));
    if (mask & XCB_CONFIG_WINDOW_WIDTH)
        values.push_back(request.width);
    if (mask & XCB_CONFIG_WINDOW_HEIGHT)
        values.push_back(request.height);
    if (mask & XCB_CONFIG_WINDOW_BORDER_WIDTH)
        values.push_back(request.border_width);
    if (mask & XCB_CONFIG_WINDOW_SIBLING)
        values.push_back(request.sibling);
    if (mask & XCB_CONFIG_WINDOW_STACK_MODE)
        values.push_back(request.stack_mode);
    return values;
}

} // namespace

FakeWindowManager::FakeWindowManager(QMargins frame)
    : frame_(frame), x_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(x_))
        throw std::runtime_error("the fake window manager cannot reach the X display");
    root_ = xcb_setup_roots_iterator(xcb_get_setup(x_)).data->root;
    const std::uint32_t redirect =
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Only one client may redirect the root's children: the window manager.
    if (xcb_generic_error_t* taken = xcb_request_check(
            x_, xcb_change_window_attributes_checked(x_, root_, XCB_CW_EVENT_MASK, &redirect))) {
        std::free(taken);
        return;
    }
    manages_ = true;
    request_ = atom(x_, "_NET_REQUEST_FRAME_EXTENTS");
    extents_ = atom(x_, "_NET_FRAME_EXTENTS");
    const xcb_atom_t check = atom(x_, "_NET_SUPPORTING_WM_CHECK");
    check_ = xcb_generate_id(x_);
    const std::uint32_t unmanaged = 1;
    xcb_create_window(x_, XCB_COPY_FROM_PARENT, check_, root_, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT,
                      &unmanaged);
    setValues(x_, check_, check, XCB_ATOM_WINDOW, {check_});
    setValues(x_, root_, check, XCB_ATOM_WINDOW, {check_});
    // The request last: a search of the list that stops one short misses it.
    setValues(x_, root_, atom(x_, "_NET_SUPPORTED"), XCB_ATOM_ATOM, {check, extents_, request_});
    xcb_flush(x_);
    answering_ = std::thread([this] { answer(); });
}

FakeWindowManager::~FakeWindowManager() {
    if (answering_.joinable()) {
        xcb_client_message_event_t stop{};
        stop.response_type = XCB_CLIENT_MESSAGE;
        stop.format = 32;
        stop.window = check_;
        xcb_send_event(x_, 0, check_, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&stop));
        xcb_flush(x_);
        answering_.join();
    }
    xcb_disconnect(x_);
}

void FakeWindowManager::sayFrame(xcb_window_t window) {
    setValues(x_, window, extents_, XCB_ATOM_CARDINAL,
              {std::uint32_t(frame_.left()), std::uint32_t(frame_.right()),
               std::uint32_t(frame_.top()), std::uint32_t(frame_.bottom())});
}

void FakeWindowManager::answer() {
    while (xcb_generic_event_t* event = xcb_wait_for_event(x_)) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
        switch (event->response_type & 0x7f) {
        case XCB_MAP_REQUEST: {
            const xcb_window_t window = reinterpret_cast<xcb_map_request_event_t*>(event)->window;
            sayFrame(window);
            xcb_map_window(x_, window);
            break;
        }
        case XCB_CONFIGURE_REQUEST: {
            const auto& request = *reinterpret_cast<xcb_configure_request_event_t*>(event);
            xcb_configure_window(x_, request.window, request.value_mask, valuesOf(request).data());
            break;
        }
        case XCB_CLIENT_MESSAGE: {
            const auto& message = *reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message.window == check_)
                return;
            if (message.type == request_)
                sayFrame(message.window);
            break;
        }
        default:
            break;
        }
        xcb_flush(x_);
    }
}
