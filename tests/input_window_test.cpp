// The input window: its lists, the name boxes' key filter, the checks before a
// reading, and the start-up choice of the offer in front.
#include "choices.h"
#include "frm_main.h"
#include "look.h"
#include "startup.h"
#include "support.h"
#include "windows.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <cmath>

using namespace aromelle;
using testing_support::child;
using testing_support::Harness;
using testing_support::setEntries;

class InputWindowTest : public QObject {
    Q_OBJECT

private:
    static FrmMain &shownInput(Harness &h) {
        FrmMain &input = h.windows().main();
        input.show();
        input.activateWindow();
        // Focus moves only within the active window, which the platform makes
        // active from its event queue.
        if (!QTest::qWaitForWindowActive(&input))
            qFatal("the input window did not become active");
        return input;
    }

private slots:
    void listsAreFilledAndStartOnTheFirstDay() {
        Harness h;
        FrmMain &input = h.windows().main();
        auto *day = child<QComboBox>(input, "cboDate");
        auto *month = child<QComboBox>(input, "cboMonth");
        auto *year = child<QComboBox>(input, "cboYear");
        QCOMPARE(day->count(), 31);
        QCOMPARE(day->itemText(0), QStringLiteral("1"));
        QCOMPARE(day->itemText(30), QStringLiteral("31"));
        QCOMPARE(month->count(), 12);
        QCOMPARE(month->itemText(8), QStringLiteral("September"));
        QCOMPARE(year->count(), 151);
        QCOMPARE(year->itemText(150), QStringLiteral("2050"));
        QCOMPARE(day->currentIndex(), 0);
        QCOMPARE(month->currentIndex(), 0);
        QCOMPARE(year->currentIndex(), 0);
        QVERIFY(!month->isEditable());
        // The menu bar stays in the window, whatever the desktop offers. The offscreen
        // platform offers no global menu, so the application's setting is what shows.
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_DontUseNativeMenuBar));
        // Told to screen readers as a window, its menu bar first.
        QCOMPARE(QAccessible::queryAccessibleInterface(&input)->child(0)->role(),
                 QAccessible::MenuBar);
    }

    void firstNameHasTheFocusAndTabFollowsTheScreen() {
        Harness h;
        FrmMain &input = shownInput(h);
        QVERIFY(QTest::qWaitForWindowActive(&input));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtFirstName"));
        const QStringList order = {"txtMiddleName", "txtLastName", "cboMonth", "cboDate",
                                   "cboYear",       "cmdNext",     "cmdExit"};
        for (const QString &name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void exitButtonLiesBelowTheClientArea() {
        Harness h;
        FrmMain &input = shownInput(h);
        auto *exit = child<QPushButton>(input, "cmdExit");
        QVERIFY(exit->geometry().top() >= input.centralWidget()->height());
    }

    void keyFilter_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("composed"); // input-method commits, split at '|', not typed
        // The rule itself is links_test's nameKey and nameCommit, and each single
        // character meets it in hostile_input_test; here, the boxes follow it, and what
        // follows a refused character still goes in.
        QTest::newRow("hyphen refused once") << "ab-cd"
                                             << "ABCD" << 1 << false;
        QTest::newRow("emoji refused") << QString::fromUtf8("a\U0001F600b") << "AB" << 1 << false;
        // ibus's Vietnamese telex commits "am" of "nam" whole.
        QTest::newRow("letters committed together go in as capitals") << "n|am| "
                                                                      << "NAM " << 0 << true;
        QTest::newRow("a commit with refused characters: its letters, one message")
            << QString::fromUtf8("vi\u1ec7t|\u0430\u043c|x") << "VITX" << 2 << true;
    }

    void keyFilter() {
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(int, messages);
        QFETCH(bool, composed);
        Harness h;
        FrmMain &input = shownInput(h);
        for (const char *name : {"txtFirstName", "txtMiddleName", "txtLastName"}) {
            h.clear();
            auto *box = child<QLineEdit>(input, name);
            box->clear();
            box->setFocus();
            if (composed) {
                for (const QString &text : keys.split(QLatin1Char('|'))) {
                    QInputMethodEvent commit;
                    commit.setCommitString(text);
                    QApplication::sendEvent(box, &commit);
                }
            }
            for (qsizetype i = 0; i < keys.size() && !composed; ++i) {
                QString ch = keys.at(i);
                if (keys.at(i).isHighSurrogate() && i + 1 < keys.size())
                    ch += keys.at(++i);
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, ch);
                QApplication::sendEvent(box, &press);
            }
            QCOMPARE(box->text(), expected);
            QCOMPARE(h.messages.size(), messages);
            for (const auto &m : h.messages) {
                QCOMPARE(m.text, QStringLiteral("Please Enter Only Alphabet"));
                QCOMPARE(m.kind, MessageKind::Information);
            }
        }
    }

    void keyFilterRefusesControlCharactersButEditsWithBackspace() {
        Harness h;
        FrmMain &input = shownInput(h);
        auto *box = child<QLineEdit>(input, "txtLastName");
        box->setFocus();
        QTest::keyClicks(box, "lee");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("LE"));
        QVERIFY(h.messages.isEmpty());
        QApplication::clipboard()->setText(QStringLiteral("xyz"));
        box->selectAll();
        // Ctrl+Backspace types DEL (127) and Ctrl+Enter a line feed (10): neither edits.
        for (Qt::Key key :
             {Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(box, key, Qt::ControlModifier);
        }
        QCOMPARE(box->text(), QStringLiteral("LE"));
        QCOMPARE(h.messageTexts(), QStringList(6, QStringLiteral("Please Enter Only Alphabet")));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("xyz"));
    }

    void editingKeysAndAltCombinationsTypeNothing() {
        Harness h;
        FrmMain &input = shownInput(h);
        auto *box = child<QLineEdit>(input, "txtFirstName");
        box->setFocus();
        QTest::keyClicks(box, "abc");
        box->setCursorPosition(0);
        // X11 gives Delete the text 0x7F; it still just deletes.
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
        QApplication::sendEvent(box, &del);
        QCOMPARE(box->text(), QStringLiteral("BC"));
        for (auto [key, text] :
             {std::pair{Qt::Key_1, "1"}, {Qt::Key_Z, "z"}, {Qt::Key_Minus, "-"}}) {
            QKeyEvent alt(QEvent::KeyPress, key, Qt::AltModifier, QString::fromLatin1(text));
            QApplication::sendEvent(box, &alt);
        }
        QCOMPARE(box->text(), QStringLiteral("BC"));
        QVERIFY(h.messages.isEmpty());
    }

    void pastedTextIsNotFiltered() {
        Harness h;
        FrmMain &input = shownInput(h);
        auto *box = child<QLineEdit>(input, "txtFirstName");
        QApplication::clipboard()->setText(QStringLiteral("o'neil 42"));
        box->paste();
        QCOMPARE(box->text(), QStringLiteral("o'neil 42"));
        QVERIFY(h.messages.isEmpty());
    }

    // The window shows the first refusal and moves the focus to the field to mend
    // (engine_tests hold every check).
    void checks_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString feb = QStringLiteral("Please Enter Correct Date Or Month!");
        const QString thirty = QStringLiteral("Please Enter Correct Date Or Month !");
        const auto row = [](const char *name, const char *first, const char *last, int month,
                            int day, int year, const QString &message, const char *focus) {
            QTest::newRow(name) << first << last << month << day << year << message << focus;
        };
        row("all given", "ANN", "LEE", 1, 1, 1900, "", "");
        row("spaces count as a name", "  ", " ", 1, 1, 1900, "", "");
        row("no names", "", "", 1, 1, 1900, "Please Enter Your First Name", "txtFirstName");
        row("no last name", "ANN", "", 1, 1, 1900, "Please Enter Your Last Name", "txtLastName");
        row("29 Feb 2001", "A", "B", 2, 29, 2001, feb, "cmdNext");
        row("31 April", "A", "B", 4, 31, 1980, thirty, "cmdNext");
    }

    void checks() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, year);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Harness h;
        FrmMain &input = shownInput(h);
        setEntries(input, first, last, month, day, year);
        child<QPushButton>(input, "cmdNext")->setFocus();
        const bool passed = input.check_entries();
        QCOMPARE(passed, message.isEmpty());
        QCOMPARE(h.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!focus.isEmpty())
            QCOMPARE(input.focusWidget()->objectName(), focus);
    }

    void failedCheckMakesNoReading() {
        Harness h;
        FrmMain &input = shownInput(h);
        setEntries(input, "", "LEE", 7, 25, 1970);
        QTest::mouseClick(child<QPushButton>(input, "cmdNext"), Qt::LeftButton);
        QVERIFY(!Harness::loaded("frmDisplay"));
        QVERIFY(input.isVisible());
    }

    // r, the number it gives (a half going to the even neighbour), and the offer
    // that ends in front.
    void coBrandRandomizeBringsTheRightOfferToTheFront_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("front");
        QTest::newRow("0") << 0.0 << 1 << "lblCobrand";
        QTest::newRow("just below 1/12") << 1.0 / 12 - 1e-9 << 1 << "lblCobrand";
        QTest::newRow("1/12 is 1.5, to 2") << 1.0 / 12 << 2 << "lblFullBrand";
        QTest::newRow("3/12 is 2.5, to 2") << 3.0 / 12 << 2 << "lblFullBrand";
        QTest::newRow("0.34 is 3") << 0.34 << 3 << "lblCobrand";
        QTest::newRow("5/12 is 3.5, to 4") << 5.0 / 12 << 4 << "lblFullBrand";
        QTest::newRow("0.68 is 5") << 0.68 << 5 << "lblCobrand";
        QTest::newRow("11/12 is 6.5, to 6") << 11.0 / 12 << 6 << "lblFullBrand";
        QTest::newRow("just above 11/12: nothing moves") << 11.0 / 12 + 1e-9 << 7 << "lblCobrand";
        QTest::newRow("largest below 1") << std::nextafter(1.0, 0.0) << 7 << "lblFullBrand";
    }

    void coBrandRandomizeBringsTheRightOfferToTheFront() {
        QFETCH(double, r);
        QFETCH(int, n);
        QFETCH(QString, front);
        QCOMPARE(coBrandNumber(r), n);
        Harness h;
        FrmMain &input = h.windows().main();
        // Put the other one in front first, so a missing raise shows; for 7, nothing
        // moves: the one put in front first stays there, so a stray raise of the other
        // shows (each row of 7 puts another one in front).
        QLabel *cobrand = input.lblCobrand(), *fullBrand = input.lblFullBrand();
        const bool cobrandFront = front == QLatin1String("lblCobrand");
        (cobrandFront == (n != 7) ? fullBrand : cobrand)->raise();
        h.randomNumbers = {r};
        CoBrand_Randomize(h.windows());
        const QObjectList siblings = input.lblCobrand()->parent()->children();
        const auto topmost = std::find_if(siblings.rbegin(), siblings.rend(), [](QObject *o) {
            return o->objectName().startsWith(QLatin1String("lbl"));
        });
        QCOMPARE((*topmost)->objectName(), front);
    }
};

QTEST_MAIN(InputWindowTest)
#include "input_window_test.moc"
