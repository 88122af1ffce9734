#include "support.h"

#include "frm_main.h"
#include "links.h"
#include "look.h"
#include "settings_file.h"
#include "windows.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace testing_support {

aromelle::Services Harness::recorders() {
    auto message = [this](aromelle::MessageKind kind, const QString &text, QWidget *asker) {
        messages.append({kind, text});
        // The session's end closes a question as its No would.
        if (kind == aromelle::MessageKind::Question && answer == QMessageBox::NoButton)
            sessionEnds = true;
        if (realMessageBoxes)
            return aromelle::showMessageBox(kind, text, asker);
        return kind == aromelle::MessageKind::Question && answer == QMessageBox::Yes;
    };
    return {.message = message,
            .openPage = [this](const QString &address) { openedPages.append(address); },
            .today = [this] { return todayIs; },
            .storedDate = [this] { return settingsFile ? aromelle::storedDate() : reminderDate; },
            .storeDate =
                [this](const QString &date) {
                    if (settingsFile)
                        return aromelle::storeDate(date);
                    reminderDate = date;
                    return true;
                },
            .random =
                [this] {
                    if (randomNumbers.empty())
                        return 0.5;
                    const double r = randomNumbers.front();
                    randomNumbers.pop_front();
                    return r;
                },
            .sessionEnding = [this] { return sessionEnds; },
            .endProcess = [this](int) { ++processEnds; }};
}

Harness::Harness() {
    // As main sets the application up: the program's style, with Fusion's palette,
    // which draws the focus rings and flat faces, and the chosen fonts.
    aromelle::look::setUpApplication();
    resetWindows();
}

Harness::~Harness() {
    m_windows.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget *Harness::loaded(const char *name) {
    // Unloaded windows are freed once their events are done.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(name))
            return window;
    return nullptr;
}

void Harness::resetWindows() {
    m_windows.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_windows.emplace(recorders());
}

QStringList Harness::messageTexts() const {
    QStringList texts;
    for (const Message &m : messages)
        texts.append(m.text);
    return texts;
}

void Harness::clear() {
    messages.clear();
    openedPages.clear();
}

void setEntries(aromelle::FrmMain &input, const QString &first, const QString &last, int month,
                int day, int year) {
    constexpr int kFirstYear = 1900;
    child<QLineEdit>(input, "txtFirstName")->setText(first);
    child<QLineEdit>(input, "txtLastName")->setText(last);
    child<QComboBox>(input, "cboMonth")->setCurrentIndex(month - 1);
    child<QComboBox>(input, "cboDate")->setCurrentIndex(day - 1);
    child<QComboBox>(input, "cboYear")->setCurrentIndex(year - kFirstYear);
}

void whenModal(std::function<void(QWidget *)> action) {
    constexpr int kIntervalMs = 10;
    constexpr int kGiveUpAfter = 500; // five seconds: a test must never hang on a box
    auto *timer = new QTimer;
    timer->setInterval(kIntervalMs);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, tries] {
        if (++*tries > kGiveUpAfter)
            qFatal("no modal window appeared and became active");
        // Shown is not enough: until the window system has activated it, the box
        // has no focus widget and its shortcuts do not fire.
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isActiveWindow()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

void plant(const QString &what, const QString &path, const QString &linkTarget) {
    if (what.isEmpty())
        return;
    const QByteArray encoded = QFile::encodeName(path);
    const QByteArray dated =
        "[Settings]\nDuration=" + what.section(QLatin1Char(' '), -1).toLatin1() + "\n";
    const auto write = [](const QString &file, const QByteArray &bytes) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes), bytes.size());
    };
    if (what == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else if (what == QLatin1String("FIFO")) {
        QCOMPARE(::mkfifo(encoded.constData(), 0600), 0);
    } else if (what == QLatin1String("link to nowhere")) {
        QCOMPARE(::symlink(QFile::encodeName(linkTarget).constData(), encoded.constData()), 0);
    } else if (what.startsWith(QLatin1String("a file dated "))) {
        write(path, dated);
    } else if (what.startsWith(QLatin1String("link to a file dated "))) {
        write(linkTarget, dated);
        QCOMPARE(::symlink(QFile::encodeName(linkTarget).constData(), encoded.constData()), 0);
    } else if (what.startsWith(QLatin1String("hard link to a file dated "))) {
        write(linkTarget, dated);
        QCOMPARE(::link(QFile::encodeName(linkTarget).constData(), encoded.constData()), 0);
    } else if (what.startsWith(QLatin1String("file over 64 KiB dated "))) {
        constexpr qsizetype kReadLimit = 64 * 1024;
        write(path, dated + "; " + QByteArray(kReadLimit, 'x') + "\n");
    } else if (what.startsWith(QLatin1String("read-only file dated "))) {
        write(path, dated);
        QCOMPARE(::chmod(encoded.constData(), 0400), 0);
    } else if (what.startsWith(QLatin1String("unreadable file dated "))) {
        write(path, dated);
        QCOMPARE(::chmod(encoded.constData(), 0200), 0);
    } else if (what.startsWith(QLatin1String("file with a byte-order mark dated "))) {
        write(path, "\xEF\xBB\xBF" + dated);
    } else {
        QFAIL(qPrintable(QStringLiteral("nothing to plant for \"%1\"").arg(what)));
    }
}

} // namespace testing_support
