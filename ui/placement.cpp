#include "placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <thread>

#if QT_CONFIG(xcb) && defined(AROMELLE_HAS_XCB)
#define AROMELLE_ASKS_X11 1
#include <xcb/xcb.h>
#else
#define AROMELLE_ASKS_X11 0
#endif

namespace aromelle::placement {

// Not QStyle::alignedRect: it halves the two widths apart (W/2 - w/2), which puts a
// window of odd width one pixel right of the true centre, (W - w)/2.
QPoint framePlacement(const QRect &available, const QSize &outer) {
    return {available.x() + std::max(0, (available.width() - outer.width()) / 2),
            available.y() + std::max(0, (available.height() - outer.height()) / 2)};
}

#if AROMELLE_ASKS_X11
namespace {

// A window manager answers the request at once; on a loaded machine it may take a
// moment, but a window that opens a little off centre beats a start that waits.
constexpr int kPolls = 50;
constexpr std::chrono::milliseconds kPollInterval{5};

// The atoms this needs, interned together in one round trip to the X server. An
// atom stays the same for the life of the connection, so this runs once.
struct Atoms {
    xcb_atom_t supported = XCB_ATOM_NONE; // _NET_SUPPORTED
    xcb_atom_t request = XCB_ATOM_NONE;   // _NET_REQUEST_FRAME_EXTENTS
    xcb_atom_t extents = XCB_ATOM_NONE;   // _NET_FRAME_EXTENTS
};

Atoms intern(xcb_connection_t *connection) {
    const char *const names[] = {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS",
                                 "_NET_FRAME_EXTENTS"};
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (std::size_t i = 0; i < std::size(names); ++i)
        cookies[i] =
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(names[i])), names[i]);
    xcb_atom_t atoms[std::size(names)];
    for (std::size_t i = 0; i < std::size(names); ++i) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
    }
    return {atoms[0], atoms[1], atoms[2]};
}

// The four cardinals of a window property, or nothing.
bool cardinals(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
               uint32_t (&values)[4]) {
    const auto cookie = xcb_get_property(connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 4);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    const bool found = reply && reply->type == XCB_ATOM_CARDINAL && reply->format == 32 &&
                       xcb_get_property_value_length(reply) == int(sizeof values);
    if (found)
        std::memcpy(values, xcb_get_property_value(reply), sizeof values);
    std::free(reply);
    return found;
}

// Whether a window manager runs that answers a request for the frame.
bool wmSupports(xcb_connection_t *connection, xcb_window_t root, const Atoms &atoms) {
    constexpr uint32_t kMostAtoms = 1024;
    const auto cookie =
        xcb_get_property(connection, 0, root, atoms.supported, XCB_ATOM_ATOM, 0, kMostAtoms);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    bool found = false;
    if (reply && reply->format == 32) {
        const auto *supported = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / int(sizeof(xcb_atom_t));
        found = std::find(supported, supported + count, atoms.request) != supported + count;
    }
    std::free(reply);
    return found;
}

xcb_connection_t *x11Connection() {
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Watches a window until its first exposure, when the window manager has framed,
// placed and mapped it and has sent its report of the position; then checks that
// report against the server once and goes.
class PositionCheck : public QObject {
public:
    static constexpr char kName[] = "aromellePositionCheck";

    explicit PositionCheck(QWidget *window) : QObject(window), m_window(window) {
        setObjectName(QLatin1String(kName));
        window->windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Expose && m_window->windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            correct();
            deleteLater();
        }
        return false;
    }

private:
    void correct() {
        xcb_connection_t *connection = x11Connection();
        if (!connection)
            return;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const auto cookie = xcb_translate_coordinates(
            connection, static_cast<xcb_window_t>(m_window->winId()), root, 0, 0);
        xcb_translate_coordinates_reply_t *reply =
            xcb_translate_coordinates_reply(connection, cookie, nullptr);
        if (!reply)
            return;
        const double ratio = m_window->devicePixelRatioF();
        const QPoint real(qRound(reply->dst_x / ratio), qRound(reply->dst_y / ratio));
        std::free(reply);
        // Asked for where the window already is, the window manager moves nothing and
        // reports the true place, which Qt then keeps.
        if (real != m_window->geometry().topLeft())
            m_window->setGeometry(QRect(real, m_window->size()));
    }

    QWidget *m_window;
};

} // namespace
#endif

QMargins expectedFrameMargins(QWidget *window) {
#if AROMELLE_ASKS_X11
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return {};
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    static const Atoms atoms = intern(connection);
    if (atoms.supported == XCB_ATOM_NONE || atoms.request == XCB_ATOM_NONE ||
        atoms.extents == XCB_ATOM_NONE || !wmSupports(connection, root, atoms))
        return {};

    // Before mapping, the window manager can only estimate the frame; it answers by
    // setting the extents on the window.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = atoms.request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    uint32_t ltrb[4] = {}; // left, right, top, bottom
    for (int poll = 0; poll < kPolls; ++poll) {
        if (cardinals(connection, id, atoms.extents, ltrb)) {
            const double ratio = window->devicePixelRatioF();
            const auto logical = [ratio](uint32_t pixels) {
                return static_cast<int>(std::ceil(pixels / ratio));
            };
            return {logical(ltrb[0]), logical(ltrb[2]), logical(ltrb[1]), logical(ltrb[3])};
        }
        std::this_thread::sleep_for(kPollInterval);
    }
#else
    Q_UNUSED(window);
#endif
    return {};
}

void correctReportedPosition(QWidget *window) {
#if AROMELLE_ASKS_X11
    if (!x11Connection() || !window->windowHandle() ||
        window->findChild<QObject *>(QLatin1String(PositionCheck::kName),
                                     Qt::FindDirectChildrenOnly))
        return;
    new PositionCheck(window);
#else
    Q_UNUSED(window);
#endif
}

} // namespace aromelle::placement
