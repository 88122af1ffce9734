// Hostile input: every character code up to 0x2FF and a sample beyond typed into
// the name and address boxes, very long pasted names, and readings made with them,
// and a settings store damaged in every way a home folder can be. Each ends in a
// clear message or a quiet acceptance, never a crash or a hang, and nothing already
// typed is lost.
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "links.h"
#include "support.h"
#include "update_reminder.h"
#include "windows.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace aromelle;
using testing_support::child;
using testing_support::Harness;

namespace {

void typeCharacter(QWidget *box, char32_t code) {
    // Built by hand: fromUcs4 would drop U+FEFF as a byte-order mark.
    const QString text = code < 0x10000 ? QString(QChar(char16_t(code)))
                                        : QString(QChar(QChar::highSurrogate(code))) +
                                              QChar(QChar::lowSurrogate(code));
    const int key = code == 8 ? Qt::Key_Backspace : code == 13 ? Qt::Key_Return : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
}

bool isLetter(char32_t code) {
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

// The file type at a path, without following a link.
mode_t typeAt(const QString &path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

// Lends the test read access to a file the user has made unreadable.
class ReadableForAWhile {
public:
    explicit ReadableForAWhile(const QString &path) : m_path(QFile::encodeName(path)) {
        struct stat status {};
        if (::stat(m_path.constData(), &status) == 0 && !(status.st_mode & S_IRUSR) &&
            ::chmod(m_path.constData(), (status.st_mode | S_IRUSR) & 07777) == 0)
            m_modeBefore = status.st_mode & 07777;
    }
    ~ReadableForAWhile() {
        if (m_modeBefore)
            ::chmod(m_path.constData(), *m_modeBefore);
    }

private:
    QByteArray m_path;
    std::optional<mode_t> m_modeBefore;
};

// The date a plain settings file holds; nothing for anything else.
QString storedIn(const QString &path) {
    if (typeAt(path) != S_IFREG)
        return QString();
    const ReadableForAWhile readable(path);
    return QSettings(path, QSettings::IniFormat)
        .value(QStringLiteral("Settings/Duration"))
        .toString();
}

nlink_t linksTo(const QString &path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_nlink : 0;
}

// A plain file's bytes; nothing for anything else.
QByteArray contentOf(const QString &path) {
    QFile file(path);
    const ReadableForAWhile readable(path);
    if (typeAt(path) != S_IFREG || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Runs the update reminder in a child process, so that a store which makes it hang
// fails one row instead of stalling the run. The child's exit status counts the
// questions asked and, times ten, the pages opened; -1 when it had to be killed.
// With noRoom, no file can grow by a byte: a shell's `ulimit -f 0`, whose signal
// the program must survive.
int reminderInAChild(const Harness &h, bool noRoom) {
    constexpr int kPatienceMs = 10000;
    constexpr int kPollMs = 50;
    const pid_t child = ::fork();
    if (child == 0) {
        if (noRoom) {
            struct rlimit limit {};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 0;
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(100);
        }
        std::signal(SIGXFSZ, SIG_IGN); // as main does: a write past the limit fails
        modHelp::UpdateReminder(h.services());
        ::_exit(int(h.messages.size() + 10 * h.openedPages.size()));
    }
    int status = 0;
    for (int waited = 0; waited < kPatienceMs; waited += kPollMs) {
        if (::waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        QThread::msleep(kPollMs);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return -1;
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_configHome;

    void addCodes() {
        QTest::addColumn<uint>("code");
        for (char32_t code = 0; code <= 0x2FF; ++code)
            QTest::addRow("U+%04X", unsigned(code)) << uint(code);
        for (char32_t code :
             {0x05D0u, 0x200Eu, 0x200Fu, 0x202Eu, 0xFEFFu, 0xFFFDu, 0x1F600u, 0x1F9EAu, 0x10FFFDu})
            QTest::addRow("U+%04X", unsigned(code)) << uint(code);
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path())); }

    void nameBoxes_data() { addCodes(); }

    void nameBoxes() {
        QFETCH(uint, code);
        Harness h;
        FrmMain &input = h.windows().main();
        for (const char *name : {"txtFirstName", "txtMiddleName", "txtLastName"}) {
            h.clear();
            auto *box = input.findChild<QLineEdit *>(name);
            box->setText(QStringLiteral("AB"));
            box->setCursorPosition(2);
            typeCharacter(box, char32_t(code));
            const bool passes = isLetter(code) || code == 8 || code == 13 || code == 32;
            QCOMPARE(h.messages.size(), passes ? 0 : 1);
            if (!passes) {
                QCOMPARE(h.messages.first().text, QStringLiteral("Please Enter Only Alphabet"));
                QCOMPARE(box->text(), QStringLiteral("AB"));
            } else if (isLetter(code)) {
                QCOMPARE(box->text(),
                         QStringLiteral("AB") + QChar(QChar(char16_t(code)).toUpper()));
            } else if (code == 8) {
                QCOMPARE(box->text(), QStringLiteral("A"));
            } else if (code == 32) {
                QCOMPARE(box->text(), QStringLiteral("AB "));
            } else {
                QCOMPARE(box->text(), QStringLiteral("AB"));
            }
        }
    }

    void formBoxes_data() { addCodes(); }

    // The refer-a-friend boxes take any character, but an address takes no space.
    void formBoxes() {
        QFETCH(uint, code);
        Harness h;
        FrmExitScreen &screen = h.windows().exitScreen();
        h.windows().show(screen);
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        for (const char *name : {"txtEmail", "txtFriendEmail", "txtName", "txtFriendName"}) {
            h.clear();
            auto *box = screen.findChild<QLineEdit *>(name);
            box->setFocus();
            box->setText(QStringLiteral("a@b.c"));
            typeCharacter(box, char32_t(code));
            if (code == 32 && QByteArray(name).endsWith("Email")) {
                QCOMPARE(h.messageTexts(), QStringList{"Email Address Cannot Contain Space"});
                QCOMPARE(h.messages.first().kind, MessageKind::Error);
                QCOMPARE(box->text(), QStringLiteral("a@b.c"));
                QCOMPARE(QApplication::focusWidget(), box);
            } else if (code == 8) {
                QCOMPARE(box->text(), QStringLiteral("a@b.")); // an ordinary backspace
            } else {
                QVERIFY(h.messages.isEmpty());
                QVERIFY2(box->text().startsWith(QLatin1String("a@b.c")), qPrintable(box->text()));
            }
        }
    }

    void hugePastedNamesAreKeptAndStillGiveAReading() {
        Harness h;
        Windows &windows = h.windows();
        FrmMain &input = windows.main();
        windows.show(input);
        const QString huge = QString(100000, QLatin1Char('x')) + QString::fromUtf8("\u202e") +
                             QChar(0) + QString::fromUtf8("\U0001F600");
        for (const char *name : {"txtFirstName", "txtMiddleName", "txtLastName"}) {
            auto *box = input.findChild<QLineEdit *>(name);
            QApplication::clipboard()->setText(huge);
            box->setFocus();
            box->paste();
            QCOMPARE(box->text().size(), huge.size());
        }
        input.cmdNext_Click();
        QVERIFY(h.messages.isEmpty());
        QVERIFY(Harness::loaded("frmDisplay"));
        QCOMPARE(child<QLabel>(windows.display(), "lblSunSign")->text(),
                 QStringLiteral("Capricorn"));
        windows.display().cmdBack_Click();
        QCOMPARE(input.findChild<QLineEdit *>("txtFirstName")->text(), huge);
    }

    void damagedSettingsStore_data() {
        QTest::addColumn<QString>("conf");   // what stands at aromelle.conf
        QTest::addColumn<QString>("stray");  // a date in ~/.config/aromelle.conf
        QTest::addColumn<QString>("beside"); // a save's leftover where it was made
        QTest::addColumn<bool>("noRoom");    // no file may grow
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("outcome"); // questions + 10 × pages opened
        QTest::addColumn<QString>("storedAfter");
        const QString today = "2026-12-07";
        const QString none;
        const QString old = "a file dated 2020-01-01";
        const int yes = QMessageBox::Yes, no = QMessageBox::No;
        QTest::newRow("conf a directory")
            << "directory" << none << none << false << yes << 0 << none;
        QTest::newRow("conf a FIFO") << "FIFO" << none << none << false << yes << 0 << none;
        QTest::newRow("conf a link to nowhere")
            << "link to nowhere" << none << none << false << yes << 0 << none;
        QTest::newRow("conf over 64 KiB")
            << "file over 64 KiB dated 2020-01-01" << none << none << false << yes << 0 << today;
        QTest::newRow("only a stray file elsewhere")
            << none << "2020-01-01" << none << false << yes << 0 << today;
        // A write that fails keeps the old file whole, and Yes still opens the page.
        QTest::newRow("no room, first run") << none << none << none << true << yes << 0 << none;
        QTest::newRow("no room, Yes") << old << none << none << true << yes << 11 << "2020-01-01";
        QTest::newRow("no room, No") << old << none << none << true << no << 1 << "2020-01-01";
        // The store is the user's: what they made read-only or unreadable stays as it
        // is, and a save touches no file it did not make.
        QTest::newRow("read-only, Yes") << "read-only file dated 2020-01-01" << none << none
                                        << false << yes << 11 << "2020-01-01";
        QTest::newRow("unreadable") << "unreadable file dated 2020-01-01" << none << none << false
                                    << yes << 0 << "2020-01-01";
        QTest::newRow("byte-order mark, Yes") << "file with a byte-order mark dated 2020-01-01"
                                              << none << none << false << yes << 11 << today;
        QTest::newRow("hard link, Yes") << "hard link to a file dated 2020-01-01" << none << none
                                        << false << yes << 11 << today;
        QTest::newRow("a leftover beside a link's target")
            << "link to a file dated 2020-01-01" << none << "a leftover" << false << yes << 11
            << today;
    }

    // Whatever stands in the store, start-up goes on; only a plain file (or a link
    // to one) is read or written, and a link is never followed to make a file.
    void damagedSettingsStore() {
        QFETCH(QString, conf);
        QFETCH(QString, stray);
        QFETCH(QString, beside);
        QFETCH(bool, noRoom);
        QFETCH(int, answer);
        QFETCH(int, outcome);
        QFETCH(QString, storedAfter);
        Harness h;
        h.settingsFile = true;
        h.answer = QMessageBox::StandardButton(answer);
        const QString folder = m_configHome.filePath(QStringLiteral("aromelle"));
        QDir(folder).removeRecursively();
        QFile::remove(m_configHome.filePath(QStringLiteral("aromelle.conf")));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/aromelle.conf");
        const QString target = m_configHome.filePath(QStringLiteral("target"));
        QFile::remove(target);
        testing_support::plant(conf, path, target);
        if (!stray.isEmpty()) {
            QFile file(m_configHome.filePath(QStringLiteral("aromelle.conf")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Settings]\nDuration=" + stray.toLatin1() + "\n");
        }
        // A save that died where the link points.
        const QString leftover = m_configHome.filePath(".aromelle.conf-saving-Ab12Cd");
        if (beside == QLatin1String("a leftover"))
            testing_support::plant("a file dated 2019-01-01", leftover, target);
        const mode_t confType = typeAt(path);
        const QByteArray confBefore = contentOf(path);

        QCOMPARE(reminderInAChild(h, noRoom), outcome);
        if (storedAfter != h.todayIs.toString(Qt::ISODate)) // what is not saved stays as it was
            QCOMPARE(contentOf(path), confBefore);
        // Nothing of a save is left beside the file, nor where a link points.
        QStringList others = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                    QDir::Hidden | QDir::System);
        others.removeAll(QStringLiteral("aromelle.conf"));
        QCOMPARE(others, QStringList());
        QVERIFY(!QFile::exists(leftover));
        if (conf.startsWith(QLatin1String("hard link")))
            QCOMPARE(linksTo(path), nlink_t(2));
        if (!conf.isEmpty())
            QCOMPARE(typeAt(path), confType); // left as it was: never replaced by a file
        if (conf.startsWith(QLatin1String("link to nowhere")))
            QVERIFY2(!QFile::exists(target), "a file was made at the link's target");
        QCOMPARE(storedIn(conf.contains(QLatin1String("link to a file")) ? target : path),
                 storedAfter);
    }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
