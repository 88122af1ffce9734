#include "links.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace aromelle {

void open_link(const QString &address) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")) ==
        QLatin1String(kNoSessionBus))
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    // The address goes as one argument, byte for byte: it is already encoded.
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({address});
    opener.setProcessEnvironment(environment);
    opener.setStandardInputFile(QProcess::nullDevice());
    opener.startDetached();
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
