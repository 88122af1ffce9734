// Every control and menu entry that leads to the maker's site opens its own page,
// and the about window opens, shows and closes as it should; the rules of the name
// boxes and of the refer-a-friend form.
#include "frm_about.h"
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "links.h"
#include "look.h"
#include "name_rule.h"
#include "support.h"
#include "tell_a_friend.h"
#include "windows.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace aromelle;
using testing_support::Harness;

namespace {

enum class Window { Main, Display, About, ExitScreen };

} // namespace

Q_DECLARE_METATYPE(Window)

class LinksTest : public QObject {
    Q_OBJECT

private slots:
    void linkTable_data() {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("address");
        const QString help = "http://aromelle.quorvane.com/aromelle-help.html";
        const QString download = "http://aromelle.quorvane.com/download-aromelle.html";
        const QString donate = "http://help.quorvane.com/donate.html";
        const QString fully = "http://help.quorvane.com/fully-branded.html";
        const QString cobrand = "http://help.quorvane.com/co-brand.html";
        const QString homePage = "http://www.quorvane.com";
        for (Window w : {Window::Main, Window::Display}) {
            const char *prefix = w == Window::Main ? "input" : "profile";
            QTest::addRow("%s Label61", prefix) << w << "Label61" << homePage;
            QTest::addRow("%s lblFullBrand", prefix) << w << "lblFullBrand" << fully;
            QTest::addRow("%s lblCobrand", prefix) << w << "lblCobrand" << cobrand;
            QTest::addRow("%s mnuOnline", prefix) << w << "mnuOnline" << help;
            QTest::addRow("%s mnuVisit", prefix) << w << "mnuVisit" << homePage;
            QTest::addRow("%s mnuUpdate", prefix) << w << "mnuUpdate" << download;
            QTest::addRow("%s mnuDonate", prefix) << w << "mnuDonate" << donate;
            QTest::addRow("%s mnumakemoney", prefix) << w << "mnumakemoney" << fully;
        }
        QTest::newRow("input Label2") << Window::Main << "Label2" << fully;
        QTest::newRow("about lblHomePage") << Window::About << "lblHomePage" << homePage;
        QTest::newRow("about lblCoBrand") << Window::About << "lblCoBrand" << fully;
        QTest::newRow("exit lblGoToHome") << Window::ExitScreen << "lblGoToHome"
                                          << "http://www.quorvane.com/quorvanesoftwares";
        QTest::newRow("exit Check1") << Window::ExitScreen << "Check1" << homePage;
    }

    void linkTable() {
        QFETCH(Window, window);
        QFETCH(QString, control);
        QFETCH(QString, address);
        Harness h;
        std::unique_ptr<FrmAbout> about;
        QWidget *w = nullptr;
        switch (window) {
        case Window::Main:
            w = &h.windows().main();
            break;
        case Window::Display:
            w = &h.windows().display();
            break;
        case Window::ExitScreen:
            w = &h.windows().exitScreen();
            break;
        case Window::About:
            about = std::make_unique<FrmAbout>(h.services());
            w = about.get();
            break;
        }
        w->show();
        // Twice in a row: nothing is remembered between clicks. The first is a double
        // click, which opens the page once.
        const auto doubleClick = [](QWidget *control) {
            QTest::mouseClick(control, Qt::LeftButton);
            QTest::mouseDClick(control, Qt::LeftButton);
            QTest::mouseRelease(control, Qt::LeftButton);
        };
        for (int click = 0; click < 2; ++click) {
            if (auto *action = w->findChild<QAction *>(control)) {
                action->trigger();
            } else if (auto *box = w->findChild<QCheckBox *>(control)) {
                if (click == 0)
                    doubleClick(box);
                else
                    QTest::mouseClick(box, Qt::LeftButton);
                QVERIFY(!box->isChecked());
            } else {
                auto *label = w->findChild<look::LinkLabel *>(control);
                QVERIFY2(label, qPrintable(control));
                QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
                // Out of the Tab chain, but a link a screen reader can follow.
                QCOMPARE(label->focusPolicy(), Qt::NoFocus);
                QAccessibleInterface *link = QAccessible::queryAccessibleInterface(label);
                QCOMPARE(link->role(), QAccessible::Link);
                QCOMPARE(link->text(QAccessible::Name), label->text());
                if (click == 0)
                    doubleClick(label);
                else
                    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            }
        }
        QCOMPARE(h.openedPages, QStringList(2, address));
        QVERIFY(h.messages.isEmpty());
    }

    void menusInTheirOrder_data() {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("input") << Window::Main
                               << QStringList{"nuFile",      "mnuNext",   "mnuExit",
                                              "mnuHelp",     "mnuOnline", "mnuVisit",
                                              "mnuFileSep1", "mnuUpdate", "mnuFileSep2",
                                              "mnuAbout",    "mnuDonate", "mnumakemoney"};
        QTest::newRow("profile") << Window::Display
                                 << QStringList{"mnuFile",  "mnuBack",   "mnuExit",
                                                "mnuHelp",  "mnuOnline", "mnuVisit",
                                                "mnuSep1",  "mnuUpdate", "mnuSep2",
                                                "mnuAbout", "mnuDonate", "mnumakemoney"};
    }

    void menusInTheirOrder() {
        QFETCH(Window, window);
        QFETCH(QStringList, entries);
        Harness h;
        MenuWindow *w = window == Window::Main ? static_cast<MenuWindow *>(&h.windows().main())
                                               : &h.windows().display();
        QStringList seen;
        for (QAction *top : w->menuBar()->actions()) {
            if (QMenu *menu = top->menu()) {
                seen << menu->objectName();
                for (QAction *entry : menu->actions())
                    seen << entry->objectName();
            } else {
                seen << top->objectName();
            }
        }
        QCOMPARE(seen, entries);
    }

    void messageBoxesLookAlike_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::newRow("information")
            << int(MessageKind::Information) << int(QMessageBox::Information)
            << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        QTest::newRow("error") << int(MessageKind::Error) << int(QMessageBox::Critical)
                               << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        QTest::newRow("question") << int(MessageKind::Question) << int(QMessageBox::Information)
                                  << int(QMessageBox::Yes | QMessageBox::No)
                                  << int(QMessageBox::Yes);
    }

    void messageBoxesLookAlike() {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        auto box = makeMessageBox(MessageKind(kind), QStringLiteral("First\rSecond"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Aromelle"));
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(int(box->standardButtons()), buttons);
        QCOMPARE(int(box->standardButton(box->defaultButton())), defaultButton);
        // A lone carriage return still breaks the line.
        QCOMPARE(box->text(), QStringLiteral("First\nSecond"));
    }

    // A box belongs to the window that asks, so that a window manager keeps it above
    // that window, the exit screen that stays on top included, whichever window is
    // active; with no window yet it stays on top itself.
    void realMessageBoxIsOwnedAndAnsweredWithEnter_data() {
        QTest::addColumn<QString>("asker");
        QTest::addColumn<QString>("active");
        QTest::newRow("no window yet") << QString() << QString();
        QTest::newRow("input window") << "frmMain"
                                      << "frmMain";
        QTest::newRow("exit screen") << "frmExitScreen"
                                     << "frmExitScreen";
        QTest::newRow("input window, the exit screen active") << "frmMain"
                                                              << "frmExitScreen";
    }

    void realMessageBoxIsOwnedAndAnsweredWithEnter() {
        QFETCH(QString, asker);
        QFETCH(QString, active);
        Harness h;
        h.realMessageBoxes = true;
        const auto window = [&h](const QString &name) -> QWidget * {
            if (name.isEmpty())
                return nullptr;
            if (name == QLatin1String("frmMain"))
                return &h.windows().main();
            return &h.windows().exitScreen();
        };
        QWidget *owner = window(asker);
        if (QWidget *user = window(active)) {
            if (owner)
                owner->show();
            user->show();
            user->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(user));
        }
        QWidget *parent = nullptr;
        bool onTop = false;
        testing_support::whenModal([&](QWidget *modal) {
            parent = modal->parentWidget();
            onTop = modal->windowFlags() & Qt::WindowStaysOnTopHint;
            QTest::keyClick(modal, Qt::Key_Return);
        });
        QVERIFY(h.services().message(MessageKind::Question, QStringLiteral("Go?"), owner));
        QCOMPARE(parent, owner);
        QCOMPARE(onTop, owner == nullptr);
    }

    // The refer-a-friend checks, first failing one first; an empty refusal sends.
    void referRefusal_data() {
        QTest::addColumn<QStringList>("values"); // name, address, message, friend, address
        QTest::addColumn<QString>("refusal");
        const QString proper = "Please Enter Proper Email Address";
        const auto row = [](const char *name, const char *email, const char *friendName,
                            const char *friendEmail, const QString &refusal) {
            QTest::newRow(name[0] ? name : "(no name)")
                << QStringList{name, email, "Hi", friendName, friendEmail} << refusal;
        };
        QTest::newRow("the placeholders")
            << QStringList{"Your Name", "Your Email Address", "Your Message\r\n", "Friend's Name",
                           "Friend's Email Address"}
            << proper;
        row("same addresses", "a@b.c", "BO", "a@b.c", "Please Enter Distinct Email Addresses");
        row("same but for case passes", "a@b.c", "BO", "A@b.c", "");
        row("own without at", "ab.c", "BO", "b@c.d", proper);
        row("friend's without at", "a@b.c", "BO", "bc.d", proper);
        row("own without dot", "a@bc", "BO", "b@c.d", proper);
        row("friend's without dot", "a@b.c", "BO", "b@cd", proper);
        row("pasted spaces pass", "a @b.c", "BO", "b@c .d", "");
        row("", "a@b.c", "BO", "b@c.d", "Please Enter Your Name");
        row("Your Name", "a@b.c", "BO", "b@c.d", "Please Enter Your Name");
        row("   ", "a@b.c", "BO", "b@c.d", "Please Enter Your Name");
        row("no friend's name", "a@b.c", "", "b@c.d", "Please Enter Your Friend's Name");
        row("friend's name placeholder", "a@b.c", "Friend's Name", "b@c.d",
            "Please Enter Your Friend's Name");
        QTest::newRow("no message")
            << QStringList{"ANN", "a@b.c", "  ", "BO", "b@c.d"} << "Please Enter Your Message";
        // The desktop hands the address to the browser as one argument, which Linux
        // takes up to 32 pages of 4096 bytes, its end included.
        const QString head =
            "http://www.quorvane.com/qrvs-refer-a-friend.php?taf1=ANN&taf2=a%40b.c&taf3=";
        const QString tail = "&taf4=BO&taf5=b%40c.d&taf6=http%3A%2F%2Faromelle.quorvane.com%2F";
        const QString fits(32 * 4096 - 1 - head.size() - tail.size(), QLatin1Char('x'));
        QTest::newRow("the longest address the desktop takes")
            << QStringList{"ANN", "a@b.c", fits, "BO", "b@c.d"} << "";
        QTest::newRow("a byte longer") << QStringList{"ANN", "a@b.c", fits + 'x', "BO", "b@c.d"}
                                       << "Your Entries Are Too Long To Send. Please Shorten Them.";
    }

    void referRefusal() {
        QFETCH(QStringList, values);
        QFETCH(QString, refusal);
        const ReferValues referred{values[0], values[1], values[2], values[3], values[4]};
        QCOMPARE(aromelle::referRefusal(referred).value_or(QString()), refusal);
    }

    void referAddressCarriesTheEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("friendName");
        QTest::addColumn<QString>("email");
        QTest::newRow("Ann Lee and Bo") << "Ann Lee"
                                        << "Bo"
                                        << "ann@example.org";
        QTest::newRow("ampersand and equals") << "Ann&taf5=x#y"
                                              << "Bo=1&2"
                                              << "a&b@c.d";
        QTest::newRow("percent and plus") << "100% A+B"
                                          << "%41"
                                          << "a+b@c.d";
        QTest::newRow("quotes") << "O'Neil \"Jr\""
                                << "<Bo>"
                                << "a@b.c";
        QTest::newRow("line breaks") << "Ann\r\nLee"
                                     << "Bo\n"
                                     << "a@b.c";
        QTest::newRow("non-ASCII letters")
            << QString::fromUtf8("Zoë Ünal") << QString::fromUtf8("Бо")
            << QString::fromUtf8("zoë@exämple.de");
    }

    // Each entry comes back whole from its own key, and the address is plain ASCII.
    void referAddressCarriesTheEntries() {
        QFETCH(QString, name);
        QFETCH(QString, friendName);
        QFETCH(QString, email);
        const QString message = QStringLiteral("Your Message\r\n");
        const QString friendEmail = QStringLiteral("bo@example.net");
        const QString address = referAddress({name, email, message, friendName, friendEmail});
        for (QChar c : address)
            QVERIFY2(c.unicode() > 32 && c.unicode() < 127, qPrintable(address));
        const QString page = QStringLiteral("http://www.quorvane.com/qrvs-refer-a-friend.php?");
        QVERIFY(address.startsWith(page));
        QList<QPair<QString, QString>> query;
        for (const QString &pair : address.mid(page.size()).split(QLatin1Char('&'))) {
            const auto eq = pair.indexOf(QLatin1Char('='));
            query.append({pair.left(eq), QUrl::fromPercentEncoding(pair.mid(eq + 1).toUtf8())});
        }
        const QList<QPair<QString, QString>> expected = {
            {"taf1", name},       {"taf2", email},       {"taf3", message},
            {"taf4", friendName}, {"taf5", friendEmail}, {"taf6", "http://aromelle.quorvane.com/"}};
        QCOMPARE(query, expected);
    }

    void annLeeAddressEncodesTheSpace() {
        QCOMPARE(
            referAddress(
                {"Ann Lee", "ann@example.org", "Your Message\r\n", "Bo", "bo@example.net"}),
            QStringLiteral("http://www.quorvane.com/qrvs-refer-a-friend.php?taf1=Ann%20Lee"
                           "&taf2=ann%40example.org&taf3=Your%20Message%0D%0A&taf4=Bo"
                           "&taf5=bo%40example.net&taf6=http%3A%2F%2Faromelle.quorvane.com%2F"));
    }

    void trimRemovesSpacesOnly() {
        QCOMPARE(trimSpaces("  a b  "), QStringLiteral("a b"));
        QCOMPARE(trimSpaces("\tab\r\n"), QStringLiteral("\tab\r\n"));
        QCOMPARE(trimSpaces("    "), QString());
    }

    // What a key does in a name box, as Qt reports it (key, modifiers, text).
    void nameKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("capital");
        const int edit = int(NameKeyAction::Edit), insert = int(NameKeyAction::Insert),
                  swallow = int(NameKeyAction::Swallow), refuse = int(NameKeyAction::Refuse);
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
                  alt = Qt::AltModifier;
        QTest::newRow("a") << int(Qt::Key_A) << none << "a" << insert << "A";
        QTest::newRow("z") << int(Qt::Key_Z) << none << "z" << insert << "Z";
        QTest::newRow("Shift+A, as typed") << int(Qt::Key_A) << shift << "A" << edit << "";
        QTest::newRow("space") << int(Qt::Key_Space) << none << " " << edit << "";
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << edit << "";
        QTest::newRow("Backspace, no text") << int(Qt::Key_Backspace) << none << "" << edit << "";
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << "\r" << edit << "";
        QTest::newRow("hyphen") << int(Qt::Key_Minus) << none << "-" << refuse << "";
        QTest::newRow("the letter after z") << 0 << none << "{" << refuse << "";
        QTest::newRow("e acute") << 0 << none << QString::fromUtf8("\u00e9") << refuse << "";
        QTest::newRow("emoji, two halves")
            << 0 << none << QString::fromUtf8("\U0001F600") << refuse << "";
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << "\x03" << refuse << "";
        QTest::newRow("Ctrl+V, no text") << int(Qt::Key_V) << ctrl << "" << refuse << "";
        QTest::newRow("Ctrl+Backspace: DEL")
            << int(Qt::Key_Backspace) << ctrl << "" << refuse << "";
        QTest::newRow("Ctrl+Enter: line feed") << int(Qt::Key_Enter) << ctrl << "" << refuse << "";
        QTest::newRow("Delete, X11's 0x7F") << int(Qt::Key_Delete) << none << "\x7f" << edit << "";
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << edit << "";
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << shift << "" << edit << "";
        QTest::newRow("Left") << int(Qt::Key_Left) << none << "" << edit << "";
        QTest::newRow("Alt+z") << int(Qt::Key_Z) << alt << "z" << swallow << "";
        QTest::newRow("Alt+Left") << int(Qt::Key_Left) << alt << "" << edit << "";
    }

    void nameKey() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, action);
        QFETCH(QString, capital);
        const NameKeyOutcome outcome =
            aromelle::nameKey(key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(int(outcome.action), action);
        if (outcome.action == NameKeyAction::Insert)
            QCOMPARE(QString(outcome.capital), capital);
    }

    // An input method's commit: its letters as capitals and its spaces go in.
    void nameCommit_data() {
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<bool>("refused");
        QTest::newRow("letters together") << "am"
                                          << "AM" << false;
        QTest::newRow("a space") << " "
                                 << " " << false;
        QTest::newRow("a dead key's e acute") << QString::fromUtf8("\u00e9") << "" << true;
        QTest::newRow("a syllable with one refused")
            << QString::fromUtf8("vi\u1ec7t") << "VIT" << true;
        QTest::newRow("Cyrillic") << QString::fromUtf8("\u0430\u043c") << "" << true;
        QTest::newRow("a hyphenated name") << "ann-lee"
                                           << "ANNLEE" << true;
    }

    void nameCommit() {
        QFETCH(QString, commit);
        QFETCH(QString, accepted);
        QFETCH(bool, refused);
        const NameCommit result = aromelle::nameCommit(commit);
        QCOMPARE(result.accepted, accepted);
        QCOMPARE(result.refused, refused);
    }

    // What a paste or a screen reader put into a box that showed its placeholder.
    void withoutPlaceholder_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("put before") << "KimFriend's Name"
                                    << "Kim";
        QTest::newRow("put after") << "Friend's NameKim"
                                   << "Kim";
        QTest::newRow("put inside") << "Friend'sKim Name"
                                    << "Kim";
        QTest::newRow("after, ending as it ends") << "Friend's Namee"
                                                  << "e";
        QTest::newRow("in place of all of it") << "Kim"
                                               << "Kim";
        QTest::newRow("in place of a part") << "Friend's Kim"
                                            << "Kim";
    }

    void withoutPlaceholder() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(aromelle::withoutPlaceholder(text, QStringLiteral("Friend's Name")), expected);
    }

    // The desktop's answer: a page that cannot be opened is told, with its address.
    void openLinkTellsWhenThePageCannotBeOpened_data() {
        QTest::addColumn<QByteArray>("opener"); // the xdg-open on PATH; empty: none
        QTest::addColumn<bool>("told");
        QTest::newRow("opened") << QByteArray("exit 0") << false;
        QTest::newRow("xdg-open fails") << QByteArray("echo no browser >&2; exit 3") << true;
        QTest::newRow("no xdg-open") << QByteArray() << true;
    }

    void openLinkTellsWhenThePageCannotBeOpened() {
        QFETCH(QByteArray, opener);
        QFETCH(bool, told);
        QTemporaryDir bin;
        if (!opener.isEmpty()) {
            QFile script(bin.filePath(QStringLiteral("xdg-open")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\n" + opener + "\n");
            script.close();
            QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        int failures = 0;
        open_link(QString::fromLatin1(urls::kHomePage), [&failures] { ++failures; });
        qputenv("PATH", path);
        // Done once the opener has gone: its process object is freed then.
        QTRY_VERIFY(QCoreApplication::instance()->findChildren<QProcess *>().isEmpty());
        QCOMPARE(failures, told ? 1 : 0);
        // The address, for opening by hand; a huge one cut to fit a message box.
        QVERIFY(pageNotOpenedMessage(QStringLiteral("http://a.b/")).endsWith("\nhttp://a.b/"));
        QVERIFY(pageNotOpenedMessage(QString(130000, QLatin1Char('x'))).size() < 400);
    }

    void aboutWindowCloses_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK clicked") << "click";
        QTest::newRow("Enter") << "enter";
        QTest::newRow("Esc") << "escape";
        QTest::newRow("Alt+O") << "alt-o";
        QTest::newRow("close box") << "close";
    }

    void aboutWindowCloses() {
        QFETCH(QString, how);
        Harness h;
        FrmMain &input = h.windows().main();
        input.show();
        QString title;
        QString focused;
        bool isAbout = false;
        testing_support::whenModal([&](QWidget *modal) {
            title = modal->windowTitle();
            focused =
                QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            isAbout = modal->objectName() == QLatin1String("frmAbout");
            if (how == QLatin1String("click"))
                QTest::mouseClick(modal->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
            else if (how == QLatin1String("enter"))
                QTest::keyClick(modal, Qt::Key_Return);
            else if (how == QLatin1String("escape"))
                QTest::keyClick(modal, Qt::Key_Escape);
            else if (how == QLatin1String("alt-o"))
                QTest::keyClick(modal, Qt::Key_O, Qt::AltModifier);
            else
                modal->close();
        });
        input.findChild<QAction *>("mnuAbout")->trigger(); // returns once it has closed
        QCOMPARE(title, QStringLiteral("Aromelle v1.0"));
        QCOMPARE(focused, QStringLiteral("cmdOK"));
        QVERIFY(isAbout);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(input.isVisible());
        QVERIFY(h.openedPages.isEmpty());
    }
};

QTEST_MAIN(LinksTest)
#include "links_test.moc"
