#include "links.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

namespace aromelle {

namespace {

// Longer addresses (refer-a-friend's may be 128 KiB) are shown cut in the middle.
constexpr qsizetype kLongestShownAddress = 300;
constexpr qsizetype kShownEnd = 60;

} // namespace

void open_link(const QString &address, std::function<void()> failed) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")) ==
        QLatin1String(kNoSessionBus))
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    // Owned by the application: xdg-open may wait for the browser it starts, and
    // the answer is read from the event loop.
    auto *opener = new QProcess(QCoreApplication::instance());
    opener->setProgram(QStringLiteral("xdg-open"));
    // The address goes as one argument, byte for byte: it is already encoded.
    opener->setArguments({address});
    opener->setProcessEnvironment(environment);
    opener->setStandardInputFile(QProcess::nullDevice());
    const auto report = [opener, failed = std::move(failed)](bool opened) {
        opener->deleteLater();
        if (!opened && failed)
            failed();
    };
    QObject::connect(opener, &QProcess::finished, opener,
                     [report](int code, QProcess::ExitStatus status) {
                         report(status == QProcess::NormalExit && code == 0);
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [report](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) // no xdg-open: finished never comes
                             report(false);
                     });
    opener->start();
}

QString pageNotOpenedMessage(const QString &address) {
    QString shown = address;
    if (shown.size() > kLongestShownAddress)
        shown = shown.left(kLongestShownAddress - kShownEnd - 1) + QChar(0x2026) +
                shown.right(kShownEnd);
    return QStringLiteral("This page could not be opened. Please open it in your web browser:\n") +
           shown;
}

QString messageLines(const QString &text) {
    return QString(text)
        .replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace aromelle

namespace modHelp {

using namespace aromelle;

void OpenHomePage(const PageOpener &open) {
    open(QString::fromLatin1(urls::kHomePage));
}
void OpenSoftwareCatalogue(const PageOpener &open) {
    open(QString::fromLatin1(urls::kSoftwareCatalogue));
}
void OpenOnlineHelp(const PageOpener &open) {
    open(QString::fromLatin1(urls::kOnlineHelp));
}
void OpenDownloadPage(const PageOpener &open) {
    open(QString::fromLatin1(urls::kDownloadPage));
}
void OpenDonatePage(const PageOpener &open) {
    open(QString::fromLatin1(urls::kDonatePage));
}
void OpenFullyBrandedPage(const PageOpener &open) {
    open(QString::fromLatin1(urls::kFullyBrandedPage));
}
void OpenCoBrandPage(const PageOpener &open) {
    open(QString::fromLatin1(urls::kCoBrandPage));
}

} // namespace modHelp
