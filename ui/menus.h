// The Help, Donate and Make Money menus that both working windows carry.
#pragma once

class QMenuBar;
class QString;

namespace aromelle {

struct HelpMenuNames {
    const char *firstSeparator;
    const char *secondSeparator;
    const char *updateCaption;
};

void addHelpMenus(QMenuBar *bar, const HelpMenuNames &names);

// Shows the about window modally and waits until it is closed.
void showAboutWindow();

} // namespace aromelle
