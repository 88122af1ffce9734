// The update reminder's states: when it asks, what it stores, and what a store
// that cannot be read or written does to it.
#include "links.h"
#include "support.h"
#include "update_reminder.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace aromelle;
using testing_support::Harness;

class UpdateReminderTest : public QObject {
    Q_OBJECT

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
        QTest::newRow("first run") << "" << int(QMessageBox::Yes) << false << today << false;
        QTest::newRow("today") << today << int(QMessageBox::Yes) << false << today << false;
        QTest::newRow("14 days ago")
            << "2026-11-23" << int(QMessageBox::Yes) << false << "2026-11-23" << false;
        QTest::newRow("14 days ahead")
            << "2026-12-21" << int(QMessageBox::Yes) << false << "2026-12-21" << false;
        QTest::newRow("15 days ago, Yes")
            << "2026-11-22" << int(QMessageBox::Yes) << true << today << true;
        QTest::newRow("15 days ago, No")
            << "2026-11-22" << int(QMessageBox::No) << true << today << false;
        QTest::newRow("15 days ahead, Yes")
            << "2026-12-22" << int(QMessageBox::Yes) << true << today << true;
        QTest::newRow("years ago, No")
            << "1999-01-01" << int(QMessageBox::No) << true << today << false;
        QTest::newRow("not a date")
            << "yesterday" << int(QMessageBox::Yes) << false << today << false;
        QTest::newRow("impossible date")
            << "2026-02-30" << int(QMessageBox::Yes) << false << today << false;
    }

    void states() {
        QFETCH(QString, stored);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(QString, storedAfter);
        QFETCH(bool, opensPage);
        Harness h;
        h.answer = QMessageBox::StandardButton(answer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("aromelle.conf"));
        if (!stored.isEmpty()) {
            QSettings seed(path, QSettings::IniFormat);
            seed.setValue(QStringLiteral("Settings/Duration"), stored);
        }
        QSettings store(path, QSettings::IniFormat);
        modHelp::UpdateReminder(store);

        QCOMPARE(h.messages.size(), asks ? 1 : 0);
        if (asks) {
            QCOMPARE(h.messages.first().kind, MessageKind::Question);
            QCOMPARE(h.messages.first().text,
                     QStringLiteral("There maybe an update to this software available\r"
                                    "Do you want to check for an update?"));
        }
        QCOMPARE(storedIn(path), storedAfter);
        QCOMPARE(h.openedPages,
                 opensPage ? QStringList{QString::fromLatin1(urls::kDownloadPage)} : QStringList());
    }

    void dateIsStoredBeforeThePageOpens() {
        Harness h;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("aromelle.conf"));
        QSettings(path, QSettings::IniFormat).setValue("Settings/Duration", "2020-01-01");
        QString storedWhenOpened;
        setLinkOpener([&](const QString &) { storedWhenOpened = storedIn(path); });
        QSettings store(path, QSettings::IniFormat);
        modHelp::UpdateReminder(store);
        QCOMPARE(storedWhenOpened, QStringLiteral("2026-12-07"));
    }

    void unwritableStore_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("opensPage");
        QTest::newRow("first run") << "" << int(QMessageBox::Yes) << false << false;
        QTest::newRow("old date, Yes") << "2020-01-01" << int(QMessageBox::Yes) << true << true;
        QTest::newRow("old date, No") << "2020-01-01" << int(QMessageBox::No) << true << false;
    }

    // A store whose every write fails, whoever runs the test (file permissions do
    // not stop root).
    void unwritableStore() {
        QFETCH(QString, stored);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(bool, opensPage);
        Harness h;
        h.answer = QMessageBox::StandardButton(answer);
        static const auto format = QSettings::registerFormat(
            QStringLiteral("readonly"),
            [](QIODevice &device, QSettings::SettingsMap &map) {
                for (const QByteArray &line : device.readAll().split('\n'))
                    if (const auto eq = line.indexOf('='); eq > 0)
                        map.insert(QString::fromLatin1(line.left(eq)),
                                   QString::fromLatin1(line.mid(eq + 1)));
                return true;
            },
            [](QIODevice &, const QSettings::SettingsMap &) { return false; });
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("aromelle.readonly"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (!stored.isEmpty())
            file.write("Settings/Duration=" + stored.toLatin1() + "\n");
        file.close();

        QSettings store(path, format);
        modHelp::UpdateReminder(store);
        QCOMPARE(store.status(), QSettings::AccessError);
        QCOMPARE(h.messages.size(), asks ? 1 : 0);
        QCOMPARE(h.openedPages.size(), opensPage ? 1 : 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(file.readAll()).contains(QLatin1String("2026-12-07")), false);
    }

    void garbageAndEmptyFilesActAsNoValue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\x01[[[=\n\x7f", 10);
        QTest::newRow("other keys only") << QByteArray("[Other]\nDuration=2020-01-01\n");
        QTest::newRow("a list, not a date") << QByteArray("[Settings]\nDuration=a, b\n");
    }

    void garbageAndEmptyFilesActAsNoValue() {
        QFETCH(QByteArray, content);
        Harness h;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("aromelle.conf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QSettings store(path, QSettings::IniFormat);
        modHelp::UpdateReminder(store);
        QVERIFY(h.messages.isEmpty());
        QVERIFY(h.openedPages.isEmpty());
    }

    void unreadableStoreActsAsNoValue() {
        Harness h;
        static const auto format = QSettings::registerFormat(
            QStringLiteral("unreadable"),
            [](QIODevice &, QSettings::SettingsMap &) { return false; },
            [](QIODevice &, const QSettings::SettingsMap &) { return false; });
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("aromelle.unreadable"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Settings/Duration=2020-01-01\n");
        file.close();
        QSettings store(path, format);
        modHelp::UpdateReminder(store);
        QVERIFY(h.messages.isEmpty());
        QVERIFY(h.openedPages.isEmpty());
    }

    void settingsDirectoryInsteadOfAFile() {
        Harness h;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("aromelle.conf"));
        QVERIFY(QDir().mkpath(path));
        QSettings store(path, QSettings::IniFormat);
        modHelp::UpdateReminder(store);
        QVERIFY(h.messages.isEmpty());
    }

    void defaultStoreLivesInTheUsersConfigFolder() {
        Harness h;
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        modHelp::UpdateReminder();
        const QString path = dir.filePath(QStringLiteral("aromelle/aromelle.conf"));
        QVERIFY(QFile::exists(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(file.readAll()).trimmed(),
                 QStringLiteral("[Settings]\nDuration=2026-12-07"));
    }
};

QTEST_MAIN(UpdateReminderTest)
#include "update_reminder_test.moc"
