// The owner of the program's windows, made once by main (tests make their own). A
// window is built the first time anything asks for it, stays loaded while hidden, and
// is gone once unloaded, so the next request builds it afresh. The windows only say
// what the user asked for (a reading, Back, a close, Exit); the owner connects those
// requests when it builds each window and runs every sequence of showing, hiding and
// unloading here. Shutdown (EndApplication) lives here too, because this is the one
// place that knows every loaded window.
#pragma once

#include "services.h"

#include <QPointer>

class QWidget;

namespace aromelle {

class FrmMain;
class FrmDisplay;
class FrmExitScreen;
class MenuWindow;

class Windows {
public:
    // Each window it builds is given these services.
    explicit Windows(Services services);
    // Frees every window still loaded.
    ~Windows();
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    const Services &services() const { return m_services; }

    FrmMain &main();
    FrmDisplay &display();
    FrmExitScreen &exitScreen();

    // Shows a window unless shutdown has begun; nothing is shown after that.
    void show(QWidget &window);
    void showExitScreen();

    // A reading: check the entries, determine the sign, fill a fresh profile window
    // with the sign's profile, and swap it in for the input window.
    void show_reading();
    // Back: the input window again, as the user left it; the profile window unloaded.
    void back();

    // Closes every loaded window and ends the process through the services, once;
    // no window is shown after it has begun.
    void EndApplication();
    bool isEnding() const { return m_ending; }

private:
    // The requests both working windows make: the about window, and their closing.
    void connectWorkingWindow(MenuWindow *window);
    // The close handler of both working windows: the exit screen goes up, and the
    // window that closed is unloaded.
    void workingWindowClosed(QWidget *window);
    // Unloads a window that has closed: forgets it, and frees it once its events are
    // done.
    void unload(QWidget *window);

    const Services m_services;
    QPointer<FrmMain> m_main;
    QPointer<FrmDisplay> m_display;
    QPointer<FrmExitScreen> m_exitScreen;
    bool m_ending = false;
};

} // namespace aromelle
