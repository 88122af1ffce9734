// The owner of the program's windows. A window is built the first time anything asks
// for it, stays loaded while hidden, and is gone once unloaded, so the next request
// builds it afresh. Shutdown (EndApplication) lives here too, because it is the one
// place that knows every loaded window.
#pragma once

#include <QPointer>

#include <functional>

class FrmMain;
class FrmDisplay;
class FrmExitScreen;
class QCloseEvent;
class QWidget;

namespace aromelle {

class Windows {
public:
    static Windows &instance();

    FrmMain &main();
    FrmDisplay &display();
    FrmExitScreen &exitScreen();

    bool isMainLoaded() const { return !m_main.isNull(); }
    bool isDisplayLoaded() const { return !m_display.isNull(); }
    bool isExitScreenLoaded() const { return !m_exitScreen.isNull(); }

    // Shows a window unless shutdown has begun; nothing is shown after that.
    void show(QWidget &window);
    void showExitScreen();
    // Closes the profile window (its close handler runs) and forgets it.
    void unloadDisplay();
    // Back: closes the profile window as unloadDisplay does, but its close handler
    // only loads the exit screen, which Back would hide again at once. Put up for
    // that instant, a window manager would flash it and give it the focus.
    void unloadDisplayForBack();
    // Called by a window whose close went through: forget it and free it later.
    void unloaded(QWidget *window);
    // The close handler of both working windows: put the exit screen up, then let
    // the window close and unload.
    void closeWorkingWindow(QWidget *window, QCloseEvent *event);

    bool isEnding() const { return m_ending; }
    void endApplication();

    // How the process ends; tests record instead.
    void setProcessEnder(std::function<void(int)> ender);
    // Frees every window now and forgets the shutdown; for tests and main's exit.
    void reset();

private:
    Windows() = default;

    QPointer<FrmMain> m_main;
    QPointer<FrmDisplay> m_display;
    QPointer<FrmExitScreen> m_exitScreen;
    bool m_ending = false;
    bool m_goingBack = false;
    std::function<void(int)> m_endProcess;
};

} // namespace aromelle

// Closes every loaded window and ends the process with status 0.
void EndApplication();
