// Where a window is, as Qt believes it, under a window manager that reports another
// place than where it put the window (lying_wm, run by placement_test.sh).
#include "frm_about.h"
#include "placement.h"
#include "support.h"

#include <QScreen>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace aromelle;
using testing_support::Harness;

namespace {

// Where the X server has the window's top-left corner.
QPoint placeOnServer(QWidget &window) {
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_translate_coordinates_reply_t *reply = xcb_translate_coordinates_reply(
        connection,
        xcb_translate_coordinates(connection, static_cast<xcb_window_t>(window.winId()), root, 0,
                                  0),
        nullptr);
    const QPoint at = reply ? QPoint(reply->dst_x, reply->dst_y) : QPoint(-1, -1);
    std::free(reply);
    return at;
}

} // namespace

class PlacementTest : public QObject {
    Q_OBJECT

private slots:
    // The about window, a modal dialog, opens one title bar above the centre, where
    // the window manager put it; Qt must know it there, or its popups, tooltips and
    // what screen readers report would be that far off.
    void qtKnowsWhereTheWindowManagerPutTheWindow() {
        QVERIFY(qGuiApp->nativeInterface<QNativeInterface::QX11Application>());
        Harness h;
        FrmAbout about(h.services());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        constexpr int kTitleBar = 19; // lying_wm's
        const QPoint centred =
            placement::framePlacement(about.screen()->availableGeometry(), about.size());
        QTRY_COMPARE(placeOnServer(about), centred - QPoint(0, kTitleBar));
        QTRY_COMPARE(about.geometry().topLeft(), placeOnServer(about));
        QCOMPARE(about.mapToGlobal(QPoint(0, 0)), placeOnServer(about));
    }
};

QTEST_MAIN(PlacementTest)
#include "placement_test.moc"
