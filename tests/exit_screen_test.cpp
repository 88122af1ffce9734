// The exit screen: placeholders, the address boxes' space refusal, the checks of a
// refer-a-friend submit and the address it opens; and the way out of the program.
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "links.h"
#include "support.h"
#include "tell_a_friend.h"
#include "windows.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrlQuery>
#include <QtTest>

using namespace aromelle;
using testing_support::Harness;

class ExitScreenTest : public QObject {
    Q_OBJECT

    static FrmExitScreen &screen(Harness &h) {
        FrmExitScreen &s = h.windows().exitScreen();
        h.windows().show(s);
        return s;
    }
    QLineEdit *box(QWidget &w, const char *name) {
        auto *found = w.findChild<QLineEdit *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no box %s", name);
        return found;
    }
    // Types into a box as a person would: focus it first, so its placeholder goes.
    void fill(QWidget &w, const char *name, const QString &text) {
        QLineEdit *b = box(w, name);
        b->setFocus();
        QApplication::processEvents();
        b->setText(text);
    }

private slots:
    // The plea chosen from the random number when loading (engine_tests hold each
    // number's plea).
    void loadsWithItsPleaAndPlaceholders() {
        Harness h;
        h.randomNumbers = {0.80};
        FrmExitScreen &s = h.windows().exitScreen();
        QVERIFY(!s.isVisible());
        QVERIFY(s.windowFlags() & Qt::WindowStaysOnTopHint);
        // The plea is chosen at loading; the controls wait for the first show.
        QVERIFY(s.findChildren<QWidget *>().isEmpty());
        s.cmdSubmit_Click(); // no form yet: nothing to send
        QVERIFY(h.messages.isEmpty() && h.openedPages.isEmpty());
        h.randomNumbers = {0.10};
        h.windows().show(s);
        QCOMPARE(s.findChild<QLabel *>("Label2")->text(),
                 QStringLiteral("Our forum at http://forum.quorvane.com needs your help. Your "
                                "regular visits and your part in its discussions help us "
                                "maintain this program and develop many more."));
        // Two paragraphs, the second on the next line: no blank line between.
        const QStringList paragraphs = s.findChild<QLabel *>("Label3")->text().split('\n');
        QCOMPARE(paragraphs.size(), 2);
        QVERIFY(!paragraphs.contains(QString()));
        QCOMPARE(box(s, "txtName")->text(), QStringLiteral("Your Name"));
        QCOMPARE(box(s, "txtEmail")->text(), QStringLiteral("Your Email Address"));
        QCOMPARE(box(s, "txtFriendName")->text(), QStringLiteral("Friend's Name"));
        QCOMPARE(box(s, "txtFriendEmail")->text(), QStringLiteral("Friend's Email Address"));
        QCOMPARE(s.focusWidget()->objectName(), QStringLiteral("cmdClose"));
    }

    void placeholdersClearAndReturn() {
        Harness h;
        FrmExitScreen &s = screen(h);
        QVERIFY(QTest::qWaitForWindowActive(&s));
        QLineEdit *name = box(s, "txtName");
        // Passed through before the event loop runs: the placeholder stays.
        name->setFocus();
        box(s, "txtEmail")->setFocus();
        s.findChild<QWidget *>("cmdSubmit")->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(name->text(), QStringLiteral("Your Name"));
        // Cleared once the screen reader has been told of the focus.
        name->setFocus();
        QTRY_COMPARE(name->text(), QString());
        name->setText(QStringLiteral("   "));
        box(s, "txtEmail")->setFocus();
        QCOMPARE(name->text(), QStringLiteral("Your Name"));
        QTRY_COMPARE(box(s, "txtEmail")->text(), QString());
        box(s, "txtEmail")->setText(QStringLiteral("ann@example.org"));
        name->setFocus();
        name->setText(QStringLiteral("ANN"));
        box(s, "txtEmail")->setFocus();
        QCOMPARE(name->text(), QStringLiteral("ANN"));
        QCOMPARE(box(s, "txtEmail")->text(), QStringLiteral("ann@example.org"));
        // The hidden message box holds "Your Message" and a line break: not a placeholder.
        auto *message = s.findChild<QPlainTextEdit *>("txtMessage");
        message->setFocus();
        QCOMPARE(message->toPlainText(), QStringLiteral("Your Message\n"));
    }

    void placeholdersNeverMixWithWhatIsPut_data() {
        QTest::addColumn<QString>("name");      // the box
        QTest::addColumn<QString>("how");       // how the text gets there
        QTest::addColumn<QString>("clipboard"); // null: the clipboard is empty
        QTest::addColumn<QString>("expected");
        const QString kim = QStringLiteral("Kim");
        QTest::newRow("typed") << "txtFriendName"
                               << "typed" << kim << kim;
        QTest::newRow("Ctrl+V") << "txtFriendName"
                                << "ctrl-v" << kim << kim;
        QTest::newRow("menu Paste") << "txtFriendName"
                                    << "menu" << kim << kim;
        QTest::newRow("menu Paste, message box") << "txtMessage"
                                                 << "menu" << kim << kim;
        QTest::newRow("screen reader inserts") << "txtFriendName"
                                               << "insert" << kim << kim;
        QTest::newRow("screen reader inserts, message box") << "txtMessage"
                                                            << "insert" << kim << kim;
        QTest::newRow("screen reader sets") << "txtEmail"
                                            << "set" << kim << kim;
        // Every reading empties the clipboard; a paste then brings nothing.
        QTest::newRow("Ctrl+V, nothing to paste") << "txtMessage"
                                                  << "ctrl-v" << QString() << "Your Message\n";
        QTest::newRow("Ctrl+V in a name, nothing to paste") << "txtFriendEmail"
                                                            << "ctrl-v" << QString() << "";
    }

    // Whatever way a text reaches a box that shows its placeholder, the box then holds
    // that text alone.
    void placeholdersNeverMixWithWhatIsPut() {
        QFETCH(QString, name);
        QFETCH(QString, how);
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        Harness h;
        FrmExitScreen &s = screen(h);
        QVERIFY(QTest::qWaitForWindowActive(&s));
        auto *box = s.findChild<QWidget *>(name);
        QVERIFY(box);
        const auto textOf = [box] {
            if (auto *line = qobject_cast<QLineEdit *>(box))
                return line->text();
            return qobject_cast<QPlainTextEdit *>(box)->toPlainText();
        };
        // The message box shows its placeholder once it has been left empty.
        if (name == QLatin1String("txtMessage") && !clipboard.isNull()) {
            qobject_cast<QPlainTextEdit *>(box)->clear();
            box->setFocus();
            s.findChild<QWidget *>("cmdSubmit")->setFocus();
        }
        const QString placeholder = textOf();
        QVERIFY(placeholder.startsWith(QLatin1String("Your")) ||
                placeholder.startsWith(QLatin1String("Friend")));
        if (clipboard.isNull())
            QApplication::clipboard()->clear();
        else
            QApplication::clipboard()->setText(clipboard);

        if (how == QLatin1String("typed")) {
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("Kim"));
        } else if (how == QLatin1String("ctrl-v")) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (how == QLatin1String("menu")) {
            // A right click takes the focus, and the menu that opens takes it away.
            auto *area = qobject_cast<QAbstractScrollArea *>(box);
            QWidget *surface = area ? area->viewport() : box;
            const QPoint at(4, 4);
            QTest::mousePress(surface, Qt::RightButton, {}, at);
            QContextMenuEvent request(QContextMenuEvent::Mouse, at, surface->mapToGlobal(at));
            QApplication::sendEvent(surface, &request);
            QTest::mouseRelease(surface, Qt::RightButton, {}, at);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QAction *paste = nullptr;
            for (QAction *action : menu->actions())
                if (action->text().startsWith(QLatin1String("&Paste")))
                    paste = action;
            QVERIFY(paste);
            paste->trigger();
            menu->close();
        } else {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
            QVERIFY(accessible);
            if (how == QLatin1String("insert"))
                accessible->editableTextInterface()->insertText(int(placeholder.size()),
                                                                QStringLiteral("Kim"));
            else
                accessible->setText(QAccessible::Value, QStringLiteral("Kim"));
        }
        QApplication::processEvents();
        QCOMPARE(textOf(), expected);
    }

    void submitChecksInOrder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("friendName");
        QTest::addColumn<QString>("friendEmail");
        QTest::addColumn<QString>("message");
        const QString none;
        QTest::newRow("nothing typed")
            << none << none << none << none << QStringLiteral("Please Enter Proper Email Address");
        QTest::newRow("all given") << QStringLiteral("ANN") << QStringLiteral("a@b.c")
                                   << QStringLiteral("BO") << QStringLiteral("b@c.d") << none;
    }

    void submitChecksInOrder() {
        QFETCH(QString, name);
        QFETCH(QString, email);
        QFETCH(QString, friendName);
        QFETCH(QString, friendEmail);
        QFETCH(QString, message);
        Harness h;
        FrmExitScreen &s = screen(h);
        // Empty entries keep the box's placeholder, as when the user never typed there.
        const auto enter = [&](const char *boxName, const QString &text) {
            if (!text.isEmpty())
                box(s, boxName)->setText(text);
        };
        enter("txtName", name);
        enter("txtEmail", email);
        enter("txtFriendName", friendName);
        enter("txtFriendEmail", friendEmail);
        QTest::mouseClick(s.findChild<QPushButton *>("cmdSubmit"), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(h.messages.isEmpty());
            // The hidden message box sends its text, lines ended CR LF.
            QCOMPARE(h.openedPages,
                     QStringList{"http://www.quorvane.com/qrvs-refer-a-friend.php?taf1=ANN"
                                 "&taf2=a%40b.c&taf3=Your%20Message%0D%0A&taf4=BO&taf5=b%40c.d"
                                 "&taf6=http%3A%2F%2Faromelle.quorvane.com%2F"});
            // Submitting again opens the page again; the boxes keep their contents.
            QTest::mouseClick(s.findChild<QPushButton *>("cmdSubmit"), Qt::LeftButton);
            QCOMPARE(h.openedPages.size(), 2);
            QCOMPARE(box(s, "txtName")->text(), name);
        } else {
            QCOMPARE(h.messageTexts(), QStringList{message});
            QCOMPARE(h.messages.first().kind, MessageKind::Error);
            QVERIFY(h.openedPages.isEmpty());
        }
        QVERIFY(s.isVisible());
        QCOMPARE(h.processEnds, 0);
    }

    // ------------------------------------------------------------ leaving

    void closingAWorkingWindowShowsTheExitScreen_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("input Exit button") << "input-button";
        QTest::newRow("input Exit menu") << "input-menu";
        QTest::newRow("input close box") << "input-close";
        QTest::newRow("profile Exit menu") << "profile-menu";
        QTest::newRow("profile close box") << "profile-close";
        // Alt+X presses Exit a moment later; by then a message may be up.
        QTest::newRow("input Alt+X, a message up") << "input-alt-x";
    }

    void closingAWorkingWindowShowsTheExitScreen() {
        QFETCH(QString, how);
        Harness h;
        Windows &windows = h.windows();
        FrmMain &input = windows.main();
        windows.show(input);
        QWidget *closing = &input;
        if (how.startsWith(QLatin1String("profile"))) {
            input.findChild<QLineEdit *>("txtFirstName")->setText("ANN");
            input.findChild<QLineEdit *>("txtLastName")->setText("LEE");
            input.cmdNext_Click();
            closing = &windows.display();
        }
        QPointer<QWidget> window(closing);
        QString message;
        if (how == QLatin1String("input-alt-x")) {
            h.realMessageBoxes = true; // a real box, in whose loop the delayed click comes
            QVERIFY(QTest::qWaitForWindowActive(&input));
            QTest::keyClick(&input, Qt::Key_X, Qt::AltModifier);
            testing_support::whenModal([&message](QWidget *modal) {
                const QPointer<QMessageBox> box = qobject_cast<QMessageBox *>(modal);
                constexpr int kPastTheClickMs = 300; // a button's animated click takes 100
                QTest::qWait(kPastTheClickMs);
                if (box) {
                    message = box->text();
                    QTest::keyClick(box, Qt::Key_Return);
                }
            });
            QTest::keyClick(input.findChild<QLineEdit *>("txtFirstName"), Qt::Key_1);
            QCOMPARE(message, QStringLiteral("Please Enter Only Alphabet"));
        } else if (how == QLatin1String("input-button"))
            input.findChild<QPushButton *>("cmdExit")->click();
        else if (how.endsWith(QLatin1String("menu")))
            closing->findChild<QAction *>("mnuExit")->trigger();
        else
            closing->close();
        QTRY_VERIFY(window.isNull());
        QVERIFY(Harness::loaded("frmExitScreen"));
        QVERIFY(windows.exitScreen().isVisible());
        // The other working window is not brought back.
        if (Harness::loaded("frmMain"))
            QVERIFY(!windows.main().isVisible());
        QCOMPARE(h.processEnds, 0);
    }

    void closingTheExitScreenEndsTheProgramOnce_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit button") << "button";
        QTest::newRow("close box") << "close";
        QTest::newRow("from the profile window, input hidden") << "after-reading";
    }

    void closingTheExitScreenEndsTheProgramOnce() {
        QFETCH(QString, how);
        Harness h;
        Windows &windows = h.windows();
        FrmMain &input = windows.main();
        windows.show(input);
        if (how == QLatin1String("after-reading")) {
            input.findChild<QLineEdit *>("txtFirstName")->setText("ANN");
            input.findChild<QLineEdit *>("txtLastName")->setText("LEE");
            input.cmdNext_Click();
            windows.display().close();
        } else {
            input.close();
        }
        FrmExitScreen &exit = windows.exitScreen();
        QVERIFY(exit.isVisible());
        if (how == QLatin1String("button"))
            exit.findChild<QPushButton *>("cmdClose")->click();
        else
            exit.close();
        QCOMPARE(h.processEnds, 1);
        QVERIFY(windows.isEnding());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        // Once shutdown has begun nothing can be shown again.
        windows.showExitScreen();
        QVERIFY(!Harness::loaded("frmExitScreen") || !windows.exitScreen().isVisible());
        windows.EndApplication();
        QCOMPARE(h.processEnds, 1);
    }

    void endApplicationClosesHiddenWindowsAndRunsTheirHandlers() {
        Harness h;
        Windows &windows = h.windows();
        windows.main(); // loaded, never shown
        windows.exitScreen();
        QWidget notOurs; // the owner closes its own windows only
        notOurs.show();
        // Closing the input window brings an exit screen up, but not at shutdown.
        class ExitScreenShows : public QObject {
        public:
            int count = 0;
            bool eventFilter(QObject *watched, QEvent *event) override {
                count += event->type() == QEvent::Show &&
                         watched->objectName() == QLatin1String("frmExitScreen");
                return false;
            }
        } exitScreenShows;
        qApp->installEventFilter(&exitScreenShows);
        QVERIFY(Harness::loaded("frmMain"));
        windows.EndApplication();
        QCOMPARE(h.processEnds, 1);
        // The input window's close handler ran: it let itself be unloaded.
        QTRY_VERIFY(!Harness::loaded("frmMain"));
        qApp->removeEventFilter(&exitScreenShows);
        QCOMPARE(exitScreenShows.count, 0);
        QVERIFY(notOurs.isVisible());
    }
};

QTEST_MAIN(ExitScreenTest)
#include "exit_screen_test.moc"
