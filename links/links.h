// Opening pages of the maker's web site. Every page the program offers goes through
// open_link, which hands the address to the desktop and returns at once; modHelp
// holds the seven fixed pages.
#pragma once

#include <QString>

#include <functional>

namespace aromelle {

// The fixed addresses. The home page has no trailing slash on purpose.
namespace urls {
inline constexpr char kHomePage[] = "http://www.quorvane.com";
inline constexpr char kSoftwareCatalogue[] = "http://www.quorvane.com/quorvanesoftwares";
inline constexpr char kOnlineHelp[] = "http://aromelle.quorvane.com/aromelle-help.html";
inline constexpr char kDownloadPage[] = "http://aromelle.quorvane.com/download-aromelle.html";
inline constexpr char kDonatePage[] = "http://help.quorvane.com/donate.html";
inline constexpr char kFullyBrandedPage[] = "http://help.quorvane.com/fully-branded.html";
inline constexpr char kCoBrandPage[] = "http://help.quorvane.com/co-brand.html";
inline constexpr char kReferAFriendPage[] = "http://www.quorvane.com/qrvs-refer-a-friend.php";
inline constexpr char kProgramHomePage[] = "http://aromelle.quorvane.com/";
inline constexpr char kForum[] = "http://forum.quorvane.com";
} // namespace urls

// Opens an absolute, already percent-encoded address in the user's default browser.
// Reports nothing: a missing browser is the desktop's business.
void open_link(const QString &address);

// Replaces how pages are opened (tests record the addresses); an empty function
// restores the desktop launcher. Set through installSeams (ui/seams.h).
using LinkOpener = std::function<void(const QString &)>;
void setLinkOpener(LinkOpener opener);

} // namespace aromelle

namespace modHelp {
void OpenHomePage();
void OpenSoftwareCatalogue();
void OpenOnlineHelp();
void OpenDownloadPage();
void OpenDonatePage();
void OpenFullyBrandedPage();
void OpenCoBrandPage();
} // namespace modHelp
