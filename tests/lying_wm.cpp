// A window manager that lies as icewm 3.3 does about a modal dialog: it puts each
// window it maps one title bar (19 px) above the place asked for, and reports the
// place asked for. Later requests it grants, and reports truly. Prints "ready" once
// it manages the screen; runs until killed.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

namespace {

constexpr int kTitleBar = 19;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// What the window is told of its place: a synthetic ConfigureNotify, which a
// client must take for the truth.
void report(xcb_connection_t *x, xcb_window_t window, int x0, int y0, int width, int height) {
    xcb_configure_notify_event_t notify{};
    notify.response_type = XCB_CONFIGURE_NOTIFY;
    notify.event = window;
    notify.window = window;
    notify.x = static_cast<int16_t>(x0);
    notify.y = static_cast<int16_t>(y0);
    notify.width = static_cast<uint16_t>(width);
    notify.height = static_cast<uint16_t>(height);
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&notify));
}

void mapOffByATitleBar(xcb_connection_t *x, xcb_window_t window) {
    Reply<xcb_get_geometry_reply_t> asked(
        xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr), std::free);
    if (!asked)
        return;
    const uint32_t y = static_cast<uint32_t>(asked->y - kTitleBar);
    xcb_configure_window(x, window, XCB_CONFIG_WINDOW_Y, &y);
    // Told before the window is mapped and exposed, as icewm does.
    report(x, window, asked->x, asked->y, asked->width, asked->height);
    xcb_map_window(x, window);
    xcb_set_input_focus(x, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
}

void grant(xcb_connection_t *x, const xcb_configure_request_event_t &request) {
    constexpr uint16_t kGeometry = XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y |
                                   XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;
    uint32_t values[4];
    int n = 0;
    const uint16_t mask = request.value_mask & kGeometry;
    if (mask & XCB_CONFIG_WINDOW_X)
        values[n++] = static_cast<uint32_t>(request.x);
    if (mask & XCB_CONFIG_WINDOW_Y)
        values[n++] = static_cast<uint32_t>(request.y);
    if (mask & XCB_CONFIG_WINDOW_WIDTH)
        values[n++] = request.width;
    if (mask & XCB_CONFIG_WINDOW_HEIGHT)
        values[n++] = request.height;
    xcb_configure_window(x, request.window, mask, values);
    Reply<xcb_get_geometry_reply_t> now(
        xcb_get_geometry_reply(x, xcb_get_geometry(x, request.window), nullptr), std::free);
    if (now)
        report(x, request.window, now->x, now->y, now->width, now->height);
}

} // namespace

int main() {
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "lying_wm: no X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t redirect =
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    Reply<xcb_generic_error_t> error(
        xcb_request_check(
            x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &redirect)),
        std::free);
    if (error) {
        std::fprintf(stderr, "lying_wm: another window manager runs\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    std::set<xcb_window_t> mapped;
    while (Reply<xcb_generic_event_t> event{xcb_wait_for_event(x), std::free}) {
        switch (event->response_type & 0x7f) {
        case XCB_MAP_REQUEST: {
            const xcb_window_t window =
                reinterpret_cast<xcb_map_request_event_t *>(event.get())->window;
            if (mapped.insert(window).second)
                mapOffByATitleBar(x, window);
            else
                xcb_map_window(x, window);
            break;
        }
        case XCB_CONFIGURE_REQUEST:
            grant(x, *reinterpret_cast<xcb_configure_request_event_t *>(event.get()));
            break;
        default:
            break;
        }
        xcb_flush(x);
    }
    return 0;
}
