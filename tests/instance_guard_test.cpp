// One running copy per user, with real processes: a second copy is refused, a copy
// killed outright no longer counts, and of two started together exactly one runs.
#include "startup.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class InstanceGuardTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString lockPath() const { return m_dir.filePath(QStringLiteral("aromelle.lock")); }

    std::unique_ptr<QProcess> start() {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(LOCK_HOLDER), {lockPath()});
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
        aromelle::InstanceGuard guard(lockPath());
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
        aromelle::InstanceGuard guard(QStringLiteral("/nonexistent-dir/aromelle.lock"));
        QVERIFY(guard.acquired());
    }
};

QTEST_MAIN(InstanceGuardTest)
#include "instance_guard_test.moc"
