#include "links.h"

#include <QDesktopServices>
#include <QUrl>

namespace aromelle {

namespace {

void openWithDesktop(const QString &address) {
    // The address is already encoded; keep it byte for byte rather than letting
    // QUrl re-interpret it.
    QDesktopServices::openUrl(QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode));
}

LinkOpener &opener() {
    static LinkOpener current = openWithDesktop;
    return current;
}

} // namespace

void open_link(const QString &address) {
    opener()(address);
}

void setLinkOpener(LinkOpener replacement) {
    opener() = replacement ? std::move(replacement) : LinkOpener(openWithDesktop);
}

} // namespace aromelle

namespace modHelp {

using namespace aromelle;

void OpenHomePage() {
    open_link(QString::fromLatin1(urls::kHomePage));
}
void OpenSoftwareCatalogue() {
    open_link(QString::fromLatin1(urls::kSoftwareCatalogue));
}
void OpenOnlineHelp() {
    open_link(QString::fromLatin1(urls::kOnlineHelp));
}
void OpenDownloadPage() {
    open_link(QString::fromLatin1(urls::kDownloadPage));
}
void OpenDonatePage() {
    open_link(QString::fromLatin1(urls::kDonatePage));
}
void OpenFullyBrandedPage() {
    open_link(QString::fromLatin1(urls::kFullyBrandedPage));
}
void OpenCoBrandPage() {
    open_link(QString::fromLatin1(urls::kCoBrandPage));
}

} // namespace modHelp
