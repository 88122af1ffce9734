#include "menus.h"

#include "frm_about.h"
#include "links.h"

#include <QMenu>
#include <QMenuBar>

namespace aromelle {

namespace {

QAction *addEntry(QMenu *menu, const char *name, const char *caption, void (*handler)()) {
    QAction *action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, action, [handler] { handler(); });
    return action;
}

} // namespace

void addHelpMenus(QMenuBar *bar, const HelpMenuNames &names) {
    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addEntry(help, "mnuOnline", "&Online Help", modHelp::OpenOnlineHelp);
    addEntry(help, "mnuVisit", "&Visit Us Online", modHelp::OpenHomePage);
    help->addSeparator()->setObjectName(QString::fromLatin1(names.firstSeparator));
    addEntry(help, "mnuUpdate", names.updateCaption, modHelp::OpenDownloadPage);
    help->addSeparator()->setObjectName(QString::fromLatin1(names.secondSeparator));
    addEntry(help, "mnuAbout", "&About Software", showAboutWindow);

    QAction *donate = bar->addAction(QStringLiteral("&Donate"));
    donate->setObjectName(QStringLiteral("mnuDonate"));
    QObject::connect(donate, &QAction::triggered, donate, [] { modHelp::OpenDonatePage(); });
    QAction *money = bar->addAction(QStringLiteral("Make Money &Online"));
    money->setObjectName(QStringLiteral("mnumakemoney"));
    QObject::connect(money, &QAction::triggered, money, [] { modHelp::OpenFullyBrandedPage(); });
}

void showAboutWindow() {
    FrmAbout about;
    about.exec();
}

} // namespace aromelle
