// Opening pages of the maker's web site. The program opens every page through the
// opener its services carry; open_link is the real one, which hands the address to
// the desktop and returns at once. modHelp holds the seven fixed pages.
#pragma once

#include "services.h"

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

// Opens an absolute, already percent-encoded address in the user's default browser,
// through xdg-open, with the environment the user started the program with, and
// returns at once. When the desktop cannot open it (no xdg-open, or xdg-open reports
// a failure) `failed` runs later, from the event loop.
void open_link(const QString &address, std::function<void()> failed = {});

// What the user is told when a page could not be opened: the address, so that it can
// be opened by hand (shortened in the middle where it is too long to show).
QString pageNotOpenedMessage(const QString &address);

// A message's text as a box shows it. The texts may separate lines with a lone
// carriage return, or CR LF; a label only breaks lines at line feeds.
QString messageLines(const QString &text);

// The value start-up gives DBUS_SESSION_BUS_ADDRESS where there is no session bus,
// so that the program starts none; a browser it opens must not inherit it.
inline constexpr char kNoSessionBus[] = "disabled:";

} // namespace aromelle

// Each opens its page with the opener given.
namespace modHelp {
void OpenHomePage(const aromelle::PageOpener &open);
void OpenSoftwareCatalogue(const aromelle::PageOpener &open);
void OpenOnlineHelp(const aromelle::PageOpener &open);
void OpenDownloadPage(const aromelle::PageOpener &open);
void OpenDonatePage(const aromelle::PageOpener &open);
void OpenFullyBrandedPage(const aromelle::PageOpener &open);
void OpenCoBrandPage(const aromelle::PageOpener &open);
} // namespace modHelp
