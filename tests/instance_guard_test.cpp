// One running copy per user, with real processes: a second copy is refused, a copy
// killed outright no longer counts, of two started together exactly one runs, and
// this holds whatever stands at the lock's path. The lock is kept in a folder of
// the user's own, never in a shared one.
#include "instance_guard.h"
#include "support.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

bool isRoot() {
    return ::geteuid() == 0;
}

// Sets an environment variable for the life of the object.
class EnvironmentSetting {
public:
    EnvironmentSetting(const char *name, const QByteArray &value)
        : m_name(name), m_was(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentSetting() {
        if (m_wasSet)
            qputenv(m_name, m_was);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    QByteArray m_was;
    bool m_wasSet;
};

} // namespace

class InstanceGuardTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString lockPath() const { return m_dir.filePath(QStringLiteral("aromelle.lock")); }

    // The lock holder where another user can run it: the build tree may sit in a
    // folder only its owner can enter.
    static QString holderForAnyone() {
        static QTemporaryDir shared;
        const QString copy = shared.filePath(QStringLiteral("lock_holder"));
        if (!QFile::exists(copy)) {
            QFile::copy(QStringLiteral(LOCK_HOLDER), copy);
            ::chmod(QFile::encodeName(shared.path()).constData(), 0755);
            ::chmod(QFile::encodeName(copy).constData(), 0755);
        }
        return copy;
    }

    // A copy taking the lock at the path given, as another user when uid is set.
    std::unique_ptr<QProcess> start(const QString &path = {}, uid_t uid = ::geteuid()) {
        auto process = std::make_unique<QProcess>();
        QString holder = QStringLiteral(LOCK_HOLDER);
        if (uid != ::geteuid()) {
            holder = holderForAnyone();
            process->setChildProcessModifier([uid] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0)
                    ::_exit(3);
            });
        }
        process->start(holder, {path.isEmpty() ? lockPath() : path});
        process->waitForStarted();
        return process;
    }
    static QString answer(QProcess &process) {
        if (!process.canReadLine() && !process.waitForReadyRead(10000))
            return QStringLiteral("(no answer)");
        return QString::fromLatin1(process.readLine()).trimmed();
    }

private slots:
    void secondCopyIsRefusedUntilTheFirstEnds() {
        auto first = start();
        QCOMPARE(answer(*first), QStringLiteral("running"));
        auto second = start();
        QCOMPARE(answer(*second), QStringLiteral("refused"));
        QVERIFY(second->waitForFinished(10000));
        first->closeWriteChannel(); // a normal end
        QVERIFY(first->waitForFinished(10000));
        auto third = start();
        QCOMPARE(answer(*third), QStringLiteral("running"));
        third->closeWriteChannel();
        QVERIFY(third->waitForFinished(10000));
    }

    void aKilledCopyNoLongerCounts() {
        auto first = start();
        QCOMPARE(answer(*first), QStringLiteral("running"));
        ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished(10000));
        QVERIFY(QFile::exists(lockPath())); // the stale file is still there
        auto next = start();
        QCOMPARE(answer(*next), QStringLiteral("running"));
        next->closeWriteChannel();
        QVERIFY(next->waitForFinished(10000));
    }

    void ofTwoStartedTogetherExactlyOneRuns() {
        for (int round = 0; round < 10; ++round) {
            auto a = std::make_unique<QProcess>();
            auto b = std::make_unique<QProcess>();
            a->start(QStringLiteral(LOCK_HOLDER), {lockPath()});
            b->start(QStringLiteral(LOCK_HOLDER), {lockPath()});
            QVERIFY(a->waitForStarted() && b->waitForStarted());
            const QStringList answers = {answer(*a), answer(*b)};
            QCOMPARE(answers.count(QStringLiteral("running")), 1);
            QCOMPARE(answers.count(QStringLiteral("refused")), 1);
            a->closeWriteChannel();
            b->closeWriteChannel();
            QVERIFY(a->waitForFinished(10000) && b->waitForFinished(10000));
        }
    }

    void childProcessesDoNotInheritTheLock() {
        const aromelle::InstanceGuard guard(QFile::encodeName(lockPath()));
        QVERIFY(guard.acquired());
        // A long-lived child (as a browser would be) started while the lock is held.
        QProcess child;
        child.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(child.waitForStarted());
        const QString fdDir = QStringLiteral("/proc/%1/fd").arg(child.processId());
        for (const QFileInfo &fd : QDir(fdDir).entryInfoList(QDir::NoDotAndDotDot | QDir::System))
            QVERIFY2(fd.symLinkTarget() != lockPath(), qPrintable(fd.filePath()));
        child.kill();
        child.waitForFinished();
    }

    void unusableLockPathLetsTheProgramRun() {
        const aromelle::InstanceGuard guard("/nonexistent-dir/aromelle.lock");
        QVERIFY(guard.acquired());
    }

    void whateverStandsAtThePath_data() {
        QTest::addColumn<QString>("thing");
        for (const char *thing : {"directory", "FIFO", "read-only file", "another user's file",
                                  "link to nowhere", "link to a file dated 2020-01-01"})
            QTest::newRow(thing) << thing;
    }

    // Root is not stopped by file modes, so as root the copies run as nobody.
    void whateverStandsAtThePath() {
        QFETCH(QString, thing);
        // The lock's folder belongs to the user running the copies.
        const uid_t user = isRoot() ? kNobody : ::geteuid();
        QTemporaryDir dir;
        QCOMPARE(::chown(QFile::encodeName(dir.path()).constData(), user, user), 0);
        const QString path = dir.filePath(QStringLiteral("aromelle.lock"));
        const QByteArray encoded = QFile::encodeName(path);
        const QString target = dir.filePath(QStringLiteral("target"));
        if (!thing.endsWith(QLatin1String(" file"))) {
            testing_support::plant(thing, path, target);
        } else {
            if (thing == QLatin1String("another user's file") && !isRoot())
                QSKIP("making another user's file needs root");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            QCOMPARE(::chmod(encoded.constData(), 0444), 0);
        }
        if (thing != QLatin1String("another user's file"))
            QCOMPARE(::lchown(encoded.constData(), user, user), 0);
        const bool targetWasThere = QFile::exists(target);

        auto first = start(path, user);
        QCOMPARE(answer(*first), QStringLiteral("running"));
        auto second = start(path, user);
        QCOMPARE(answer(*second), QStringLiteral("refused"));
        for (QProcess *copy : {first.get(), second.get()}) {
            copy->closeWriteChannel();
            QVERIFY(copy->waitForFinished(10000));
        }
        QCOMPARE(QFile::exists(target), targetWasThere); // a link never makes its target
    }

    void lockFolder_data() {
        QTest::addColumn<QString>("runtime"); // how $XDG_RUNTIME_DIR stands
        QTest::addColumn<QString>("cache");   // how the cache folder stands before
        QTest::addColumn<QString>("used");    // the folder that holds the lock
        const QString none;
        QTest::newRow("private") << "private" << none << "runtime";
        QTest::newRow("private, named in bytes that are not UTF-8")
            << "private, not UTF-8" << none << "runtime";
        QTest::newRow("not set") << "not set" << none << "cache";
        QTest::newRow("not set, the login manager's folder") << "not set" << none << "user's own";
        QTest::newRow("open to all") << "open to all" << none << "cache";
        QTest::newRow("open to all, the login manager's folder")
            << "open to all" << none << "user's own";
        QTest::newRow("another user's") << "another user's" << none << "cache";
        QTest::newRow("not set, cache folder another user's") << "not set"
                                                              << "another user's"
                                                              << "none";
        QTest::newRow("not set, cache home relative") << "not set"
                                                      << "relative"
                                                      << "home cache";
        QTest::newRow("not set, no home") << "not set"
                                          << "no home"
                                          << "none";
    }

    // Never a folder others can write to: there another user could hold the lock
    // or plant a link. Without $XDG_RUNTIME_DIR (su, cron, ssh), the lock is where a
    // desktop session's copy keeps it, in the folder the login manager made.
    void lockFolder() {
        QFETCH(QString, runtime);
        QFETCH(QString, cache);
        QFETCH(QString, used);
        const QLatin1String anotherUsers("another user's");
        if ((runtime == anotherUsers || cache == anotherUsers) && !isRoot())
            QSKIP("making another user's folder needs root");
        QTemporaryDir home;
        const bool notUtf8 = runtime.endsWith(QLatin1String("not UTF-8"));
        // As bytes: a folder name need not be UTF-8.
        const QByteArray encoded = QFile::encodeName(home.path()) + (notUtf8 ? "/run\xff" : "/run");
        const QString runtimeDir = QFile::decodeName(encoded);
        const QString usersRoot = home.filePath(QStringLiteral("users"));
        const QString usersOwn = usersRoot + QStringLiteral("/%1").arg(::geteuid());
        const QString cacheFolder = home.filePath(QStringLiteral("cache/aromelle"));
        QCOMPARE(::mkdir(encoded.constData(), 0700), 0);
        QCOMPARE(
            ::chmod(encoded.constData(), runtime == QLatin1String("open to all") ? 01777 : 0700),
            0);
        if (runtime == anotherUsers)
            QCOMPARE(::chown(encoded.constData(), kNobody, kNobody), 0);
        // The cache folders a home has; the program makes only its own inside.
        for (const char *existing : {"cache", ".cache"})
            QVERIFY(QDir(home.path()).mkdir(QString::fromLatin1(existing)));
        if (cache == anotherUsers) {
            QVERIFY(QDir().mkpath(cacheFolder));
            QCOMPARE(::chown(QFile::encodeName(cacheFolder).constData(), kNobody, kNobody), 0);
        }
        if (used == QLatin1String("user's own")) {
            QVERIFY(QDir().mkpath(usersOwn));
            QCOMPARE(::chmod(QFile::encodeName(usersOwn).constData(), 0700), 0);
        }
        EnvironmentSetting runtimeSetting(
            "XDG_RUNTIME_DIR", runtime == QLatin1String("not set") ? QByteArray() : encoded);
        const bool noHome = cache == QLatin1String("no home");
        EnvironmentSetting cacheSetting(
            "XDG_CACHE_HOME", cache == QLatin1String("relative") ? QByteArray("cache")
                              : noHome                           ? QByteArray()
                                       : QFile::encodeName(home.filePath(QStringLiteral("cache"))));
        EnvironmentSetting homeSetting(
            "HOME",
            QFile::encodeName(home.filePath(noHome ? QStringLiteral("gone/home") : QString())));

        const QByteArray path =
            aromelle::InstanceGuard::defaultLockPath(QFile::encodeName(usersRoot));
        const QMap<QString, QString> folders = {
            {QStringLiteral("none"), QString()},
            {QStringLiteral("runtime"), runtimeDir},
            {QStringLiteral("user's own"), usersOwn},
            {QStringLiteral("cache"), cacheFolder},
            {QStringLiteral("home cache"), home.filePath(QStringLiteral(".cache/aromelle"))}};
        const QByteArray folder =
            used == QLatin1String("runtime") ? encoded : QFile::encodeName(folders.value(used));
        QCOMPARE(path, folder.isEmpty() ? QByteArray() : folder + "/aromelle.lock");
        // Nothing is made where the user named nothing: no home, no look-alike folder.
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("gone"))));
        QCOMPARE(::access((QFile::encodeName(home.path()) + "/run\xEF\xBF\xBD").constData(), F_OK),
                 -1);
        if (used.endsWith(QLatin1String("cache"))) {
            struct stat status {};
            QCOMPARE(::lstat(folder.constData(), &status), 0);
            QCOMPARE(status.st_mode & 07777, mode_t(0700));
        }
    }
};

QTEST_MAIN(InstanceGuardTest)
#include "instance_guard_test.moc"
