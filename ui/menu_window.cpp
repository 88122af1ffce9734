#include "menu_window.h"

#include "accessible.h"
#include "links.h"
#include "look.h"
#include "messages.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace aromelle {

namespace {

// Followed by the home page's address.
constexpr char kForumPromotion[] =
    "Talk astrology, tarot and numerology with friends on our free discussion board. Visit us "
    "at ";
constexpr char kCobrandText[] =
    "Co-brand this software for your own web site: put your name and logo on it and give it "
    "to your visitors as a free gift. Click Here for more info on co-branding.";
constexpr char kFullBrandText[] =
    "Home Business Opportunity. Start your own Internet business and make money online. Get "
    "this software fully branded for your website. Click here for more details.";

constexpr double kForumPoints = look::points::kLink;
constexpr double kOfferPoints = look::points::kText;

// A menu entry, or an entry of the menu bar itself, named and running its handler.
template <typename Handler>
QAction *addEntry(QWidget *menu, const char *name, const char *caption, Handler handler) {
    QAction *action = menu->addAction(QString::fromLatin1(caption), std::move(handler));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

MenuWindow::MenuWindow(const Layout &geometry, const PageOpener &openPage) : m_openPage(openPage) {
    accessible::install(); // the link labels are links to screen readers
    using namespace look;
    setWindowTitle(programTitle());
    makeFixedWindow(this);
    setFont(uiFont(points::kText));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // Made before the client, so that screen readers meet it first, as on screen.
    menuBar();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(geometry.client);
    setColours(client, kPeach, kIndigo);
    setCentralWidget(client);

    QFrame *strip = indigoStrip(client, "Frame2", geometry.topStrip);
    linkLabel(strip, "Label61",
              QString::fromLatin1(kForumPromotion) + QLatin1String(urls::kHomePage),
              geometry.forumLink, kForumPoints, page(modHelp::OpenHomePage));

    whenFirstShown(this, [this] {
        firstShown();
        centreOnScreen(this);
    });
}

void MenuWindow::addMenus(const MenuNames &names, const std::function<void()> &first,
                          const std::function<void()> &exit) {
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QString::fromLatin1(names.file));
    addEntry(file, names.firstEntry, names.firstCaption, first);
    addEntry(file, "mnuExit", "E&xit", exit);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addEntry(help, "mnuOnline", "&Online Help", page(modHelp::OpenOnlineHelp));
    addEntry(help, "mnuVisit", "&Visit Us Online", page(modHelp::OpenHomePage));
    help->addSeparator()->setObjectName(QString::fromLatin1(names.firstSeparator));
    addEntry(help, "mnuUpdate", names.updateCaption, page(modHelp::OpenDownloadPage));
    help->addSeparator()->setObjectName(QString::fromLatin1(names.secondSeparator));
    addEntry(help, "mnuAbout", "&About Software", [this] { emit aboutRequested(); });

    addEntry(menuBar(), "mnuDonate", "&Donate", page(modHelp::OpenDonatePage));
    addEntry(menuBar(), "mnumakemoney", "Make Money &Online", page(modHelp::OpenFullyBrandedPage));
}

MenuWindow::Offers MenuWindow::addOffers(QWidget *strip, const QRect &cobrand,
                                         const QRect &fullBrand, InFront front) {
    using namespace look;
    const auto offer = [strip](const char *name, const char *text, const QRect &rect,
                               const std::function<void()> &handler) {
        return linkLabel(strip, name, QString::fromLatin1(text), rect, kOfferPoints, handler,
                         kIndigo);
    };
    // The one built later lies in front.
    Offers offers{};
    if (front == InFront::FullBrand) {
        offers.cobrand = offer("lblCobrand", kCobrandText, cobrand, page(modHelp::OpenCoBrandPage));
        offers.fullBrand =
            offer("lblFullBrand", kFullBrandText, fullBrand, page(modHelp::OpenFullyBrandedPage));
    } else {
        offers.fullBrand =
            offer("lblFullBrand", kFullBrandText, fullBrand, page(modHelp::OpenFullyBrandedPage));
        offers.cobrand = offer("lblCobrand", kCobrandText, cobrand, page(modHelp::OpenCoBrandPage));
    }
    return offers;
}

std::function<void()> MenuWindow::page(void (*open)(const PageOpener &)) const {
    return [this, open] { open(m_openPage); };
}

void MenuWindow::closeEvent(QCloseEvent *event) {
    if (closeGoesAhead(this, event))
        emit closed();
}

} // namespace aromelle
