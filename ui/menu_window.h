// The frame of the two working windows: the caption and a fixed border, a menu bar
// (File, Help, Donate, Make Money Online) over an indigo client whose top strip
// carries the forum promotion, and the two offers of the bottom strip. Each window
// is centred on the screen when first shown, and says when it has closed.
#pragma once

#include "services.h"

#include <QMainWindow>

#include <functional>

namespace aromelle {

namespace look {
class LinkLabel;
}

class MenuWindow : public QMainWindow {
    Q_OBJECT
public:
    // Sizes and places, in pixels: the client area, and in it the top strip, and in
    // that the forum promotion.
    struct Layout {
        QSize client;
        QRect topStrip;
        QRect forumLink;
    };
    // The menus and link labels open their pages with openPage.
    MenuWindow(const Layout &geometry, const PageOpener &openPage);

signals:
    void closed();         // the user closed it, or shutdown did
    void aboutRequested(); // Help, "About Software"

protected:
    // The names of the menus and entries that differ between the two windows, given
    // by name (designated initialisers), so that two cannot be swapped unnoticed.
    struct MenuNames {
        const char *file;
        const char *firstEntry;
        const char *firstCaption;
        const char *firstSeparator;
        const char *secondSeparator;
        const char *updateCaption;
    };
    // The File menu runs `first` and `exit`; the Help, Donate and Make Money Online
    // entries open their pages or the about window.
    void addMenus(const MenuNames &names, const std::function<void()> &first,
                  const std::function<void()> &exit);

    // The co-branding and fully-branded offers over one another in the bottom strip.
    struct Offers {
        look::LinkLabel *cobrand;
        look::LinkLabel *fullBrand;
    };
    enum class InFront { Cobrand, FullBrand };
    Offers addOffers(QWidget *strip, const QRect &cobrand, const QRect &fullBrand, InFront front);

    // Runs once, just before the window is first shown and centred.
    virtual void firstShown() {}

    void closeEvent(QCloseEvent *event) override;

    // A handler that opens one of modHelp's pages.
    std::function<void()> page(void (*open)(const PageOpener &)) const;

private:
    const PageOpener &m_openPage;
};

} // namespace aromelle
