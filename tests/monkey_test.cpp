// A monkey at the keyboard and mouse: thousands of random clicks, keys, typed
// text, tab switches, menu entries, closes and refer-a-friend entries, with the
// program's invariants checked after every one. The seed is fixed (override with
// AROMELLE_MONKEY_SEED) and printed on failure, so a run can be repeated.
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "startup.h"
#include "support.h"
#include "windows.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

#include <random>

using namespace aromelle;
using testing_support::Harness;

namespace {

constexpr int kEvents = 4000;
constexpr std::uint64_t kDefaultSeed = 20261207;

struct Entries {
    QStringList texts;
    QList<int> positions;
    bool operator==(const Entries &) const = default;
};

Entries entriesOf(FrmMain &input) {
    Entries e;
    for (const char *name : {"txtFirstName", "txtMiddleName", "txtLastName"})
        e.texts << input.findChild<QLineEdit *>(name)->text();
    for (const char *name : {"cboMonth", "cboDate", "cboYear"})
        e.positions << input.findChild<QComboBox *>(name)->currentIndex();
    return e;
}

// Types any text, not only what QTest's ASCII key table knows.
void typeText(QWidget *widget, const QString &text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

class Monkey {
public:
    Monkey(std::uint64_t seed, Harness &harness) : m_random(seed), m_harness(harness) {}

    // Returns an empty string, or what went wrong.
    QString step(int index) {
        if (m_harness.processEnds > 0) {
            // The program has ended; start a new one, as a person would.
            m_harness.resetWindows();
            m_harness.processEnds = 0;
            m_exitScreenShownByClose = false;
            m_harness.windows().show(m_harness.windows().main());
            CoBrand_Randomize(m_harness.windows());
        }
        Windows &windows = m_harness.windows();
        QWidget *window = pickVisibleWindow();
        if (!window)
            return QStringLiteral("no window is visible while the program runs");

        const bool inputWasLoaded = Harness::loaded("frmMain");
        const Entries before = inputWasLoaded ? entriesOf(windows.main()) : Entries{};
        const bool editsInput = act(window);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return check(index, inputWasLoaded && !editsInput, before);
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    QWidget *pickVisibleWindow() {
        QList<QWidget *> visible;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && !qobject_cast<QMenu *>(w))
                visible << w;
        return visible.isEmpty() ? nullptr : visible.at(pick(int(visible.size())));
    }

    template <typename T> T *pickChild(QWidget *window) {
        QList<T *> found;
        for (T *w : window->findChildren<T *>())
            if (w->isVisibleTo(window) && w->isEnabled())
                found << w;
        return found.isEmpty() ? nullptr : found.at(pick(int(found.size())));
    }

    QString randomText() {
        static const QString pool = QStringLiteral("abcxyzABCXYZ 019-'@.&=#%+\u00e9\u05d0");
        QString text;
        const int length = 1 + pick(8);
        for (int i = 0; i < length; ++i)
            text += pool.at(pick(int(pool.size())));
        return text;
    }

    // Does one random thing; returns whether it may change the input window's entries.
    bool act(QWidget *window) {
        FrmMain *input = qobject_cast<FrmMain *>(window);
        switch (pick(9)) {
        case 0: { // type into a box
            QWidget *box = pick(2) ? static_cast<QWidget *>(pickChild<QLineEdit>(window))
                                   : static_cast<QWidget *>(pickChild<QPlainTextEdit>(window));
            if (box) {
                box->setFocus();
                typeText(box, randomText());
            }
            return input != nullptr;
        }
        case 1: { // a key to whatever has the focus
            static const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> keys = {
                {Qt::Key_Tab, {}},
                {Qt::Key_Backtab, Qt::ShiftModifier},
                {Qt::Key_Return, {}},
                {Qt::Key_Escape, {}},
                {Qt::Key_Backspace, {}},
                {Qt::Key_Space, {}},
                {Qt::Key_Down, {}},
                {Qt::Key_Up, {}},
                {Qt::Key_X, Qt::AltModifier},
                {Qt::Key_B, Qt::AltModifier},
                {Qt::Key_N, Qt::AltModifier},
                {Qt::Key_C, Qt::ControlModifier},
                {Qt::Key_V, Qt::ControlModifier}};
            const auto &[key, modifiers] = keys.at(pick(int(keys.size())));
            QWidget *target = window->focusWidget() ? window->focusWidget() : window;
            QTest::keyClick(target, key, modifiers);
            return input != nullptr;
        }
        case 2: { // click a button, check box or link
            QWidget *target = pick(2) ? static_cast<QWidget *>(pickChild<QAbstractButton>(window))
                                      : static_cast<QWidget *>(pickChild<QLabel>(window));
            if (target)
                QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
            return false;
        }
        case 3: { // a menu entry
            QList<QAction *> actions;
            for (QAction *a : window->findChildren<QAction *>())
                if (!a->isSeparator() && !a->menu() && !a->objectName().isEmpty())
                    actions << a;
            if (actions.isEmpty())
                return false;
            QAction *action = actions.at(pick(int(actions.size())));
            if (action->objectName() == QLatin1String("mnuAbout"))
                testing_support::whenModal([](QWidget *about) { about->close(); });
            action->trigger();
            return false;
        }
        case 4: // switch tabs
            if (auto *tabs = window->findChild<QTabWidget *>())
                tabs->setCurrentIndex(pick(2));
            return false;
        case 5: // close the window
            if (pick(4) == 0)
                window->close();
            return false;
        case 6: // pick a date
            if (auto *list = pickChild<QComboBox>(window))
                list->setCurrentIndex(pick(list->count()));
            return input != nullptr;
        case 7: // fill the refer-a-friend form with something plausible, or not
            if (auto *box = pickChild<QLineEdit>(window)) {
                if (!input) {
                    box->setFocus();
                    box->setText(pick(2) ? QStringLiteral("x%1@example.org").arg(pick(3))
                                         : randomText());
                }
            }
            return false;
        default: // the reading, with names so that it can pass
            if (input) {
                for (const char *name : {"txtFirstName", "txtLastName"})
                    if (input->findChild<QLineEdit *>(name)->text().isEmpty())
                        input->findChild<QLineEdit *>(name)->setText(QStringLiteral("ANN"));
                input->cmdNext_Click();
                return true;
            }
            if (auto *display = qobject_cast<FrmDisplay *>(window))
                display->cmdBack_Click();
            return false;
        }
    }

    QString check(int index, bool entriesMustHold, const Entries &before) {
        Windows &windows = m_harness.windows();
        const auto fail = [&](const QString &what) {
            return QStringLiteral("event %1: %2").arg(index).arg(what);
        };
        if (m_harness.processEnds > 1)
            return fail(QStringLiteral("the process ended %1 times").arg(m_harness.processEnds));
        if (QApplication::activeModalWidget())
            return fail(QStringLiteral("a modal window stayed open"));
        if (entriesMustHold && Harness::loaded("frmMain") && !(entriesOf(windows.main()) == before))
            return fail(QStringLiteral("the input window's entries changed"));

        const bool inputShown = Harness::loaded("frmMain") && windows.main().isVisible();
        const bool profileShown = Harness::loaded("frmDisplay") && windows.display().isVisible();
        const bool exitShown = Harness::loaded("frmExitScreen") && windows.exitScreen().isVisible();
        if (m_harness.processEnds == 1) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    return fail(QStringLiteral("%1 visible after the end").arg(w->objectName()));
            return {};
        }
        if (inputShown && profileShown)
            return fail(QStringLiteral("input and profile windows both visible"));
        if (exitShown)
            m_exitScreenShownByClose = true;
        if (m_exitScreenShownByClose && (inputShown || profileShown))
            return fail(QStringLiteral("a working window came back after the exit screen"));
        if (m_exitScreenShownByClose && !exitShown)
            return fail(QStringLiteral("the exit screen went away without ending the program"));
        return {};
    }

    std::mt19937_64 m_random;
    Harness &m_harness;
    bool m_exitScreenShownByClose = false;
};

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void invariantsHoldUnderRandomUse() {
        const QByteArray fromEnv = qgetenv("AROMELLE_MONKEY_SEED");
        const std::uint64_t seed = fromEnv.isEmpty() ? kDefaultSeed : fromEnv.toULongLong();
        Harness h;
        Windows &windows = h.windows();
        windows.show(windows.main());
        CoBrand_Randomize(h.windows());
        Monkey monkey(seed, h);
        int endings = 0;
        for (int i = 0; i < kEvents; ++i) {
            const QString problem = monkey.step(i);
            QVERIFY2(
                problem.isEmpty(),
                qPrintable(QStringLiteral("%1 (AROMELLE_MONKEY_SEED=%2)").arg(problem).arg(seed)));
            endings += h.processEnds;
        }
        qInfo("%d events, %d program ends, seed %llu", kEvents, endings,
              static_cast<unsigned long long>(seed));
        QVERIFY(endings > 0); // the monkey did reach the way out
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
