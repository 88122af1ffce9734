// The update reminder's states, with its date kept in memory: when it asks and
// what it stores. Then the program's own settings file, in a configuration folder
// of the test's own: what a file it cannot read does to the reminder, what a save
// clears from the folder, and where the file goes.
#include "links.h"
#include "support.h"
#include "update_reminder.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace aromelle;
using testing_support::Harness;

class UpdateReminderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_configHome;

    // The settings file in a fresh, empty configuration folder.
    QString freshSettingsPath() {
        m_configHome = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome->path()));
        QDir().mkpath(m_configHome->filePath(QStringLiteral("aromelle")));
        return m_configHome->filePath(QStringLiteral("aromelle/aromelle.conf"));
    }

    static void write(const QString &path, const QByteArray &content) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }

    static QString storedIn(const QString &path) {
        QSettings store(path, QSettings::IniFormat);
        return store.value(QStringLiteral("Settings/Duration")).toString();
    }

private slots:
    void states_data() {
        QTest::addColumn<QString>("stored"); // "" for no value
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<QString>("storedAfter");
        QTest::addColumn<bool>("opensPage");
        const QString today = "2026-12-07";
        const int yes = QMessageBox::Yes, no = QMessageBox::No, logout = QMessageBox::NoButton;
        QTest::newRow("first run") << "" << yes << false << today << false;
        QTest::newRow("today") << today << yes << false << today << false;
        QTest::newRow("14 days ago") << "2026-11-23" << yes << false << "2026-11-23" << false;
        QTest::newRow("14 days ahead") << "2026-12-21" << yes << false << "2026-12-21" << false;
        QTest::newRow("15 days ago, Yes") << "2026-11-22" << yes << true << today << true;
        QTest::newRow("15 days ago, No") << "2026-11-22" << no << true << today << false;
        QTest::newRow("15 days ahead, Yes") << "2026-12-22" << yes << true << today << true;
        QTest::newRow("years ago, No") << "1999-01-01" << no << true << today << false;
        QTest::newRow("15 days ago, a logout instead of an answer")
            << "2026-11-22" << logout << true << "2026-11-22" << false;
        QTest::newRow("not a date") << "yesterday" << yes << false << today << false;
        QTest::newRow("impossible date") << "2026-02-30" << yes << false << today << false;
    }

    void states() {
        QFETCH(QString, stored);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(QString, storedAfter);
        QFETCH(bool, opensPage);
        Harness h;
        h.answer = QMessageBox::StandardButton(answer);
        h.reminderDate = stored;
        QString storedWhenOpened;
        Services services = h.services();
        services.openPage = [&](const QString &address) {
            storedWhenOpened = *h.reminderDate;
            h.openedPages.append(address);
        };
        modHelp::UpdateReminder(services);

        QCOMPARE(h.messages.size(), asks ? 1 : 0);
        if (asks) {
            QCOMPARE(h.messages.first().kind, MessageKind::Question);
            QCOMPARE(h.messages.first().text,
                     QStringLiteral("There maybe an update to this software available\r"
                                    "Do you want to check for an update?"));
        }
        QCOMPARE(h.reminderDate, std::optional<QString>(storedAfter));
        QCOMPARE(h.openedPages,
                 opensPage ? QStringList{"http://aromelle.quorvane.com/download-aromelle.html"}
                           : QStringList());
        // The date is kept before the page opens.
        if (opensPage)
            QCOMPARE(storedWhenOpened, storedAfter);
    }

    void garbageAndEmptyFilesActAsNoValue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\x01[[[=\n\x7f", 10);
        QTest::newRow("other keys only") << QByteArray("[Other]\nDuration=2020-01-01\n");
        QTest::newRow("a list, not a date") << QByteArray("[Settings]\nDuration=a, b\n");
        // Larger than any settings file the program writes: not read at all.
        QTest::newRow("too large to be ours")
            << QByteArray("[Settings]\nDuration=2020-01-01\n").append(64 * 1024, '\n');
    }

    void garbageAndEmptyFilesActAsNoValue() {
        QFETCH(QByteArray, content);
        Harness h;
        h.settingsFile = true;
        write(freshSettingsPath(), content);
        modHelp::UpdateReminder(h.services());
        QVERIFY(h.messages.isEmpty());
        QVERIFY(h.openedPages.isEmpty());
    }

    void leftoversOfASaveAreClearedByTheNext_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("ours") << ".aromelle.conf-saving-Ab3xZ9" << true;
        QTest::newRow("a dot among the six") << ".aromelle.conf-saving-.ab123" << false;
        QTest::newRow("one letter short") << ".aromelle.conf-saving-Ab3xZ" << false;
        QTest::newRow("another spelling") << ".Aromelle.conf-saving-Ab3xZ9" << false;
        // A person's copies, whatever their names.
        QTest::newRow("a backup") << "aromelle.conf.bak" << false;
        QTest::newRow("six letters") << "aromelle.conf.backup" << false;
        QTest::newRow("six letters and digits") << "aromelle.conf.old123" << false;
        QTest::newRow("another program's") << "other.conf.Ab3xZ9" << false;
    }

    // A save clears what a crashed save of ours can leave, and only that.
    void leftoversOfASaveAreClearedByTheNext() {
        QFETCH(QString, name);
        QFETCH(bool, cleared);
        Harness h;
        h.settingsFile = true;
        const QString path = freshSettingsPath();
        const QString leftover = QFileInfo(path).dir().filePath(name);
        write(leftover, "[Settings]\nDuration=2020-01-01\n");
        modHelp::UpdateReminder(h.services());
        QCOMPARE(storedIn(path), QStringLiteral("2026-12-07"));
        QCOMPARE(QFile::exists(leftover), !cleared);
    }

    // Where the file goes, by $HOME and $XDG_CONFIG_HOME (below a fresh folder): only
    // the program's own folder is made, inside a configuration folder that is there,
    // under the very bytes the environment gave.
    void defaultStoreLivesInTheUsersConfigFolder_data() {
        QTest::addColumn<QByteArray>("home");       // $HOME
        QTest::addColumn<QByteArray>("configHome"); // $XDG_CONFIG_HOME; null: not set
        QTest::addColumn<QByteArray>("existing");   // the folder there before
        QTest::addColumn<QByteArray>("file");       // where the date is stored; empty: nowhere
        const QByteArray unset;
        QTest::newRow("set") << QByteArray("home") << QByteArray("config") << QByteArray("config")
                             << QByteArray("config/aromelle/aromelle.conf");
        QTest::newRow("relative: ignored")
            << QByteArray("home") << QByteArray("relative") << QByteArray("home/.config")
            << QByteArray("home/.config/aromelle/aromelle.conf");
        QTest::newRow("named in bytes that are not UTF-8")
            << QByteArray("home") << QByteArray("h\xff") << QByteArray("h\xff")
            << QByteArray("h\xff/aromelle/aromelle.conf");
        QTest::newRow("configuration folder missing")
            << QByteArray("home") << QByteArray("config") << QByteArray("home") << QByteArray();
        QTest::newRow("home missing")
            << QByteArray("gone/home") << unset << QByteArray("other") << QByteArray();
    }

    void defaultStoreLivesInTheUsersConfigFolder() {
        QFETCH(QByteArray, home);
        QFETCH(QByteArray, configHome);
        QFETCH(QByteArray, existing);
        QFETCH(QByteArray, file);
        Harness h;
        h.settingsFile = true;
        h.todayIs = QDate(2026, 12, 7);
        QTemporaryDir top;
        const QByteArray root = QFile::encodeName(top.path()) + '/';
        QByteArray made = root; // the existing folder, made in bytes
        for (const QByteArray &part : existing.split('/'))
            QCOMPARE(::mkdir((made += part + '/').constData(), 0700), 0);
        const QByteArray homeBefore = qgetenv("HOME");
        const QByteArray configBefore = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", root + home);
        if (configHome.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", configHome == "relative" ? configHome : root + configHome);
        // A relative value would be taken from the current folder: the top here.
        const QString current = QDir::currentPath();
        QDir::setCurrent(top.path());
        modHelp::UpdateReminder(h.services());
        QDir::setCurrent(current);
        qputenv("HOME", homeBefore);
        qputenv("XDG_CONFIG_HOME", configBefore);
        QVERIFY(h.messages.isEmpty()); // a first run, or nowhere to keep the date
        QCOMPARE(::access((root + "relative").constData(), F_OK), -1);
        QCOMPARE(::access((root + "gone").constData(), F_OK), -1);
        QCOMPARE(::access((root + "h\xEF\xBF\xBD").constData(), F_OK), -1);
        if (file.isEmpty()) {
            QCOMPARE(::access((root + existing + "/aromelle").constData(), F_OK), -1);
            return;
        }
        QFile stored(QFile::decodeName(root + file));
        const int fd = ::open((root + file).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0 && stored.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        QCOMPARE(stored.readAll().trimmed(), QByteArray("[Settings]\nDuration=2026-12-07"));
    }
};

QTEST_MAIN(UpdateReminderTest)
#include "update_reminder_test.moc"
