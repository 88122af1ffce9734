// Nothing is clipped: every control lies inside its container and every caption
// fits its box, at the normal scale and doubled (QT_SCALE_FACTOR=2).
#include "frm_about.h"
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "placement.h"
#include "style.h"
#include "support.h"
#include "windows.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

using namespace aromelle;
using testing_support::Harness;

namespace {

// Placed out of sight on purpose: reached by the keyboard only.
const QStringList kHiddenOnPurpose = {"cmdExit", "txtMessage"};

// The families the windows may ask for: Verdana where the machine has it, else
// DejaVu Sans, and MS Sans Serif for the captions, else Liberation Sans. Which of
// each a desktop has depends on its optional fonts (ttf-mscorefonts-installer
// brings Verdana), so here either will do, as long as it is given as asked (a
// family the machine lacks is not). layout_test_verdana, whose machine has
// Verdana, names the one it must be.
QStringList expectedFamilies() {
    const QString design = qEnvironmentVariable("AROMELLE_TEST_DESIGN_FAMILY");
    QStringList families =
        design.isEmpty() ? QStringList{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")}
                         : QStringList{design};
    return families << QStringLiteral("MS Sans Serif") << QStringLiteral("Liberation Sans");
}

// Whether a control wears a ring in its text colour once it has the focus: a band
// two pixels wide round it, or round its caption or current tab, turns more pixels
// to that colour than its two short sides alone hold, far more than a text cursor.
bool wearsRing(QWidget *control) {
    control->clearFocus();
    const QImage without = control->grab().toImage();
    control->setFocus(Qt::TabFocusReason);
    const QImage with = control->grab().toImage();
    const QPalette &palette = control->palette();
    const QList<QColor> textColours = {palette.color(QPalette::WindowText),
                                       palette.color(QPalette::Text),
                                       palette.color(QPalette::ButtonText)};
    qsizetype turned = 0;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            const QColor colour = with.pixelColor(x, y);
            turned += colour != without.pixelColor(x, y) && textColours.contains(colour);
        }
    }
    return turned > 4 * with.height();
}

QStringList clipped(QWidget *window) {
    const QStringList families = expectedFamilies();
    QStringList problems;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isWindow() || !w->isVisibleTo(window) || w->objectName().isEmpty() ||
            w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (kHiddenOnPurpose.contains(w->objectName()))
            continue;
        // Any text is in one of the chosen families, given as asked: no fallback.
        auto *label = qobject_cast<QLabel *>(w);
        const QString asked = w->font().family();
        const QString given = QFontInfo(w->font()).family();
        if ((!label || label->pixmap().isNull()) && (!families.contains(asked) || given != asked))
            problems
                << QStringLiteral("%1 asked for %2, given %3").arg(w->objectName(), asked, given);
        QWidget *parent = w->parentWidget();
        if (!parent->rect().contains(w->geometry()))
            problems << QStringLiteral("%1 (%2,%3 %4x%5) outside %6 (%7x%8)")
                            .arg(w->objectName())
                            .arg(w->x())
                            .arg(w->y())
                            .arg(w->width())
                            .arg(w->height())
                            .arg(parent->objectName())
                            .arg(parent->width())
                            .arg(parent->height());
        if (label && label->pixmap().isNull()) {
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(label->width()) <= label->height()
                                  : label->sizeHint().width() <= label->width();
            if (!fits)
                problems << QStringLiteral("%1 text cut").arg(w->objectName());
        }
        if (auto *button = qobject_cast<QAbstractButton *>(w);
            button && button->sizeHint().width() > button->width())
            problems << QStringLiteral("%1 caption cut").arg(w->objectName());
        // A coloured button's face is flat, of its colour, not shaded; a focused
        // picture wears the ring in its text colour over the picture's edge.
        if (w->property(look::kFlatFaceProperty).toBool()) {
            const QImage face = w->grab().toImage();
            // Inside the outline and any ring, in device pixels.
            const QPoint at = QPoint(5, w->height() / 2) * face.devicePixelRatio();
            if (face.pixelColor(at) != w->palette().color(QPalette::Button))
                problems << QStringLiteral("%1 face not flat").arg(w->objectName());
        }
        // A frame's caption is bold, whatever the frame's own font: as drawn, the strip
        // above its controls is what it would be in its font made bold.
        if (auto *frame = qobject_cast<QGroupBox *>(w)) {
            int top = frame->height();
            for (QWidget *inside : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                top = std::min(top, inside->y());
            const QRect caption(0, 0, frame->width(), top);
            const QImage asDrawn = frame->grab(caption).toImage();
            const QFont own = frame->font();
            const bool ownFont = frame->testAttribute(Qt::WA_SetFont);
            QFont bold = own;
            bold.setBold(true);
            frame->setFont(bold);
            const bool isBold = frame->grab(caption).toImage() == asDrawn;
            frame->setFont(ownFont ? own : QFont());
            if (!isBold)
                problems << QStringLiteral("%1 caption not bold").arg(w->objectName());
        }
        if (label && !label->pixmap().isNull() && label->focusPolicy() != Qt::NoFocus) {
            label->setFocus();
            if (w->grab().toImage().pixelColor(0, 0) != w->palette().color(QPalette::WindowText))
                problems << QStringLiteral("%1 wears no ring").arg(w->objectName());
        } else if ((w->focusPolicy() & Qt::TabFocus) && // a tab control's focus: its tab bar
                   !wearsRing(w->focusProxy() ? w->focusProxy() : w)) {
            problems << QStringLiteral("%1 wears no ring").arg(w->objectName());
        }
    }
    return problems;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    // The program's own style, which draws the flat faces and the focus rings.
    void initTestCase() { QApplication::setStyle(new look::ProgramStyle); }

    void nothingIsClipped_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("clientSize");
        QTest::addColumn<int>("frameTop"); // the frames' top line, in pixels from their top
        QTest::newRow("input") << "frmMain" << QSize(497, 297) << 18;
        QTest::newRow("profile, sun-sign tab") << "frmDisplay0" << QSize(561, 437) << 0;
        QTest::newRow("profile, perfume tab") << "frmDisplay1" << QSize(561, 437) << 0;
        QTest::newRow("about") << "frmAbout" << QSize(455, 258) << 0;
        QTest::newRow("exit screen") << "frmExitScreen" << QSize(741, 315) << 19;
    }

    void nothingIsClipped() {
        QFETCH(QString, window);
        QFETCH(QSize, clientSize);
        QFETCH(int, frameTop);
        Harness h;
        Windows &windows = h.windows();
        std::unique_ptr<FrmAbout> about;
        QWidget *w = nullptr;
        QSize client;
        if (window == QLatin1String("frmMain")) {
            w = &windows.main();
            w->show();
            client = windows.main().centralWidget()->size();
        } else if (window.startsWith(QLatin1String("frmDisplay"))) {
            FrmMain &input = windows.main();
            input.findChild<QLineEdit *>("txtFirstName")->setText("ANN");
            input.findChild<QLineEdit *>("txtLastName")->setText("LEE");
            // The longest texts: Sagittarius's perfume list and Leo's traits.
            input.findChild<QComboBox *>("cboMonth")->setCurrentIndex(11);
            input.findChild<QComboBox *>("cboDate")->setCurrentIndex(0);
            windows.show(input);
            input.cmdNext_Click();
            w = &windows.display();
            w->findChild<QTabWidget *>("SSTab1")->setCurrentIndex(window.back().digitValue());
            client = windows.display().centralWidget()->size();
        } else if (window == QLatin1String("frmAbout")) {
            about = std::make_unique<FrmAbout>(h.services());
            w = about.get();
            w->show();
            client = w->size();
        } else {
            w = &windows.exitScreen();
            windows.show(*w);
            client = w->size();
        }
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(client, clientSize);
        // The tabs' panels sit where they were drawn in the tab control, 120 and 360
        // twips from its corner, whatever height the style gives the tabs.
        if (auto *tabs = w->findChild<QTabWidget *>()) {
            for (const char *panel : {"Frame3", "Frame4"})
                QCOMPARE(w->findChild<QWidget *>(panel)->mapTo(tabs, QPoint(0, 0)), QPoint(8, 24));
        }
        const QStringList problems = clipped(w);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1String("; "))));
        // Every frame's top line, below its caption, on the row it has on every Qt.
        for (QGroupBox *frame : w->findChildren<QGroupBox *>()) {
            const QImage drawn = frame->grab().toImage();
            const qreal ratio = drawn.devicePixelRatio();
            const int x = drawn.width() - qRound(3 * ratio); // clear of the caption
            int row = 0;
            while (row < drawn.height() && drawn.pixel(x, row) == drawn.pixel(x, 0))
                ++row;
            QVERIFY2(qRound(row / ratio) == frameTop, qPrintable(frame->objectName()));
        }
        // A fixed window keeps its size, though Wayland's title bars offer maximize.
        w->setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(!w->isMaximized());
    }

    // A window opens centred, frame included, and a window larger than the screen
    // keeps its title bar and close box on it.
    void windowsOpenOnTheScreen_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("fits") << QRect(0, 0, 1024, 768) << QSize(499, 336) << QPoint(262, 216);
        QTest::newRow("below a panel")
            << QRect(0, 30, 1024, 738) << QSize(499, 336) << QPoint(262, 231);
        QTest::newRow("wider than the screen")
            << QRect(0, 0, 640, 480) << QSize(743, 336) << QPoint(0, 72);
        QTest::newRow("larger than the screen, second monitor")
            << QRect(1024, 0, 640, 480) << QSize(1683, 1428) << QPoint(1024, 0);
    }

    void windowsOpenOnTheScreen() {
        QFETCH(QRect, available);
        QFETCH(QSize, outer);
        QFETCH(QPoint, corner);
        QCOMPARE(placement::framePlacement(available, outer), corner);
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
