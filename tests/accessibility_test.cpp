// What a screen reader can tell along each window's Tab chain: every control names
// its field apart from its value, and every value of a reading is told with its
// caption on something the chain reaches.
#include "frm_about.h"
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "profiles.h"
#include "support.h"
#include "windows.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>
#include <QtTest>

#include <memory>

using namespace aromelle;
using testing_support::child;
using testing_support::Harness;

namespace {

enum class Window { Main, Display, About, ExitScreen };

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The controls the Tab key reaches, in order, from the one with the focus.
QList<QWidget *> tabChain(QWidget &window) {
    QList<QWidget *> chain;
    QWidget *start = window.focusWidget();
    QWidget *w = start;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled() &&
            w->isVisibleTo(&window) && w->window() == &window)
            chain << w;
        w = w->nextInFocusChain();
    } while (w != start);
    return chain;
}

// What a screen reader says of a focused control: its name, and its description
// where its name is its value. A tab bar is told by its tabs, which the arrow keys
// move between.
struct Told {
    QString field;
    QString value;
    QStringList texts; // everything it tells, captions and values
};

QList<Told> toldBy(QWidget *control) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
    QList<QAccessibleInterface *> parts{iface};
    if (iface->role() == QAccessible::PageTabList) {
        parts.clear();
        for (int i = 0; i < iface->childCount(); ++i)
            parts << iface->child(i);
    }
    QList<Told> told;
    for (QAccessibleInterface *part : parts) {
        const QString name = part->text(QAccessible::Name);
        const QString value = part->text(QAccessible::Value);
        const QString description = part->text(QAccessible::Description);
        const QString field = name.isEmpty() || name == value ? description : name;
        told << Told{field, value, {name, description}};
    }
    return told;
}

} // namespace

Q_DECLARE_METATYPE(Window)

// Under tests/accessibility_bus_test.sh Qt's bridge is switched on, and it becomes
// active once it has found the accessibility bus.
static bool screenReaderListens() {
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        return false;
    constexpr int kPatienceMs = 20000;
    return QTest::qWaitFor([] { return QAccessible::isActive(); }, kPatienceMs) ||
           (qFatal("the accessibility bus is there, but Qt's bridge never became active"), false);
}

// A screen reader's view of this program, from AT-SPI's client library in another
// process (atspi_showing.py); the program answers its questions meanwhile.
class ScreenReader {
public:
    ScreenReader() {
        // Debian's own Python, which has the library's bindings, whatever else is on
        // the path.
        m_reader.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral(AROMELLE_TESTS_DIR "/atspi_showing.py"),
                        QCoreApplication::applicationName()});
    }
    ~ScreenReader() {
        m_reader.kill();
        m_reader.waitForFinished();
    }
    ScreenReader(const ScreenReader &) = delete;
    ScreenReader &operator=(const ScreenReader &) = delete;

    bool listening() {
        return QTest::qWaitFor([this] { return m_reader.canReadLine() || finished(); },
                               kPatienceMs) &&
               m_reader.readLine().trimmed() == "listening";
    }

    // The windows that show, each with what shows in it.
    QJsonArray showing() {
        m_reader.write("shown\n");
        m_reader.closeWriteChannel();
        if (!QTest::qWaitFor([this] { return finished(); }, kPatienceMs))
            qFatal("the screen reader's view did not come");
        if (m_reader.exitStatus() != QProcess::NormalExit || m_reader.exitCode() != 0)
            qFatal("the screen reader failed: %s", m_reader.readAllStandardError().constData());
        return QJsonDocument::fromJson(m_reader.readAllStandardOutput()).array();
    }

private:
    static constexpr int kPatienceMs = 60000;
    bool finished() const { return m_reader.state() == QProcess::NotRunning; }
    QProcess m_reader;
};

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void tabChainTellsFieldsAndEveryValue_data() {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QStringList>("stops"); // each tab's Tab chain, from the focus
        QTest::newRow("input window")
            << Window::Main << QAccessible::Window
            << QStringList{"txtFirstName,txtMiddleName,txtLastName,cboMonth,cboDate,cboYear,"
                           "cmdNext,cmdExit"};
        QTest::newRow("profile window")
            << Window::Display << QAccessible::Window
            << QStringList{"cmdBack,qt_tabwidget_tabbar,txtSunSignPositiveTraits,"
                           "txtSunSignNegativeTraits,picSunSign",
                           "cmdBack,qt_tabwidget_tabbar,txtAromelle"};
        QTest::newRow("about window")
            << Window::About << QAccessible::Dialog << QStringList{"cmdOK,Picture1"};
        QTest::newRow("exit screen")
            << Window::ExitScreen << QAccessible::Window
            << QStringList{"cmdClose,Check1,Picture1,txtName,cmdSubmit,txtEmail,txtFriendEmail,"
                           "txtFriendName,txtMessage"};
    }

    void tabChainTellsFieldsAndEveryValue() {
        QFETCH(Window, window);
        QFETCH(QAccessible::Role, role);
        QFETCH(QStringList, stops);
        Harness h;
        std::unique_ptr<FrmAbout> about;
        QWidget *w = nullptr;
        QStringList expected; // caption and value, as a reading tells them
        switch (window) {
        case Window::Main:
            w = &h.windows().main();
            break;
        case Window::Display: {
            FrmMain &input = h.windows().main();
            testing_support::setEntries(input, "ANN", "LEE", 1, 1, 1980);
            input.cmdNext_Click();
            w = &h.windows().display();
            const SignProfile &p = profileOf(SunSign::Capricorn);
            const std::pair<const char *, std::string_view> values[] = {
                {"Your Sun Sign", "Capricorn"},
                {"Element", p.element},
                {"Birthstone", p.birthstone},
                {"Lucky Number", p.lucky_number},
                {"Lucky Day", p.lucky_day},
                {"Compatibility", p.compatibility},
                {"Fragrances", p.fragrances},
                {"Perfumes", p.perfumes},
                {"Positive Traits", p.positive_traits},
                {"Negative Traits", p.negative_traits},
                {"Perfume Preferences", p.perfume_preferences}};
            for (const auto &[caption, value] : values)
                expected << QString::fromLatin1(caption) + QStringLiteral(": ") + q(value);
            break;
        }
        case Window::About:
            about = std::make_unique<FrmAbout>(h.services());
            w = about.get();
            break;
        case Window::ExitScreen:
            w = &h.windows().exitScreen();
            break;
        }
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QAccessible::queryAccessibleInterface(w)->role(), role);

        // On the profile window the user walks each tab's chain in turn.
        auto *tabs = w->findChild<QTabWidget *>();
        QStringList told;
        for (int page = 0; page < (tabs ? tabs->count() : 1); ++page) {
            if (tabs)
                tabs->setCurrentIndex(page);
            const QList<QWidget *> chain = tabChain(*w);
            QStringList names;
            for (const QWidget *control : chain)
                names << control->objectName();
            // Read round from the window's first stop, wherever the focus is now.
            const qsizetype first = names.indexOf(stops.at(page).section(QLatin1Char(','), 0, 0));
            QVERIFY(first >= 0);
            names = names.mid(first) + names.first(first);
            QCOMPARE(names.join(QLatin1Char(',')), stops.at(page));
            for (QWidget *control : chain) {
                control->setFocus(Qt::TabFocusReason);
                QCoreApplication::processEvents(); // a box's placeholder goes
                // A tab's description is for screen readers: hovered, it shows nothing.
                if (auto *tabBar = qobject_cast<QTabBar *>(control)) {
                    const QPoint at = tabBar->tabRect(tabBar->currentIndex()).center();
                    QHelpEvent hover(QEvent::ToolTip, at, tabBar->mapToGlobal(at));
                    QApplication::sendEvent(tabBar, &hover);
                    QVERIFY(!QToolTip::isVisible());
                }
                for (const Told &t : toldBy(control)) {
                    QVERIFY2(!t.field.isEmpty() && t.field != t.value,
                             qPrintable(control->objectName() + " has no field name"));
                    told << t.texts;
                    // A box is told by its field and then its text.
                    told << t.field + QStringLiteral(": ") + t.value;
                }
            }
        }
        for (const QString &value : expected)
            QVERIFY2(told.join(QStringLiteral(". ")).contains(value), qPrintable(value));
    }

    // What a screen reader is told as it happens. Qt tells assistive technology
    // nothing until a screen reader is there: tests/accessibility_bus_test.sh runs
    // these two on X11 with an accessibility bus; the plain run skips them.
    void tabBarFocusIsToldOnTheCurrentTab() {
        if (!screenReaderListens())
            QSKIP("needs an accessibility bus (tests/accessibility_bus_test.sh)");
        Harness h;
        FrmMain &input = h.windows().main();
        testing_support::setEntries(input, "ANN", "LEE", 1, 1, 1980);
        input.cmdNext_Click();
        FrmDisplay &display = h.windows().display();
        QVERIFY(QTest::qWaitForWindowExposed(&display));
        auto *bar = display.findChild<QTabBar *>();
        QVERIFY(bar);
        static QList<std::pair<QObject *, int>> focusTold;
        focusTold.clear();
        const auto before = QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            if (event->type() == QAccessible::Focus)
                focusTold.append({event->object(), event->child()});
        });
        bar->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(focusTold.contains({bar, bar->currentIndex()}));
        QAccessible::installUpdateHandler(before);
    }

    // The exit screen is loaded hidden and its controls are built just before it first
    // shows, while Qt already tells screen readers of them. Once it shows, a screen
    // reader that listened all along must hold the window and each control as showing,
    // as it holds those of a window built in view.
    void exitScreenIsShowingToAScreenReader() {
        if (!screenReaderListens())
            QSKIP("needs an accessibility bus (tests/accessibility_bus_test.sh)");
        Harness h;
        FrmExitScreen &screen = h.windows().exitScreen();
        ScreenReader reader;
        QVERIFY(reader.listening());
        h.windows().showExitScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const QJsonArray windows = reader.showing();
        const auto shown = std::find_if(windows.begin(), windows.end(), [&](const QJsonValue &w) {
            return w[QLatin1String("name")].toString() == screen.windowTitle();
        });
        QVERIFY2(shown != windows.end(), "the exit screen is not showing to the screen reader");
        QStringList names;
        for (const QJsonValue &node : (*shown)[QLatin1String("showing")].toArray())
            names << node[QLatin1String("name")].toString();
        int controls = 0;
        for (QWidget *control : screen.findChildren<QWidget *>()) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(control);
            const QString name = a ? a->text(QAccessible::Name) : QString();
            if (!control->isVisible() || name.isEmpty())
                continue;
            ++controls;
            QVERIFY2(
                names.contains(name),
                qPrintable(control->objectName() + QStringLiteral(" is not showing on the bus")));
        }
        QVERIFY(controls > 0);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
