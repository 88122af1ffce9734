#include "windows.h"

#include "frm_about.h"
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "profiles.h"
#include "sign_pictures.h"
#include "sunsign.h"

#include <initializer_list>

namespace aromelle {

namespace {

// A window is built at its first reference, and connected to its owner then.
template <typename Window, typename Connect>
Window &loaded(QPointer<Window> &window, const Services &services, Connect connect) {
    if (!window) {
        window = new Window(services);
        connect(window.data());
    }
    return *window;
}

} // namespace

Windows::Windows(Services services) : m_services(std::move(services)) {}

Windows::~Windows() {
    delete m_display.data();
    delete m_exitScreen.data();
    delete m_main.data();
}

FrmMain &Windows::main() {
    return loaded(m_main, m_services, [this](FrmMain *window) {
        QObject::connect(window, &FrmMain::readingRequested, window, [this] { show_reading(); });
        connectWorkingWindow(window);
    });
}

FrmDisplay &Windows::display() {
    return loaded(m_display, m_services, [this](FrmDisplay *window) {
        QObject::connect(window, &FrmDisplay::backRequested, window, [this] { back(); });
        connectWorkingWindow(window);
    });
}

FrmExitScreen &Windows::exitScreen() {
    return loaded(m_exitScreen, m_services, [this](FrmExitScreen *window) {
        QObject::connect(window, &FrmExitScreen::exitRequested, window,
                         [this] { EndApplication(); });
    });
}

void Windows::show(QWidget &window) {
    if (m_ending)
        return;
    window.show();
    window.raise();
    window.activateWindow();
}

void Windows::showExitScreen() {
    if (!m_ending)
        show(exitScreen());
}

void Windows::show_reading() {
    FrmMain &input = main();
    if (!input.check_entries())
        return;
    determine_sun_sign(input.monthPosition(), input.dayPosition());

    FrmDisplay &reading = display(); // a fresh window in its design state
    if (const SignProfile *profile = findProfile(modAromelle::current_sign))
        reading.showProfile(*profile, IMGSunsignList(profile->picture_position));

    input.hide();
    exitScreen().hide(); // loads it, hidden, at the first reading
    show(reading);
}

void Windows::back() {
    show(main());
    // The profile window's close handler would put the exit screen up, and Back would
    // hide it again at once; a window manager would flash it and give it the focus.
    // Back loads it as that handler does, never puts it up, and unloads the profile
    // window without its close handler.
    exitScreen();
    if (FrmDisplay *reading = m_display) {
        reading->hide();
        unload(reading);
    }
}

void Windows::connectWorkingWindow(MenuWindow *window) {
    QObject::connect(window, &MenuWindow::aboutRequested, window, [this] {
        // Modal, built afresh each time; the handler that asked waits until it closes.
        FrmAbout about(m_services);
        about.exec();
    });
    QObject::connect(window, &MenuWindow::closed, window,
                     [this, window] { workingWindowClosed(window); });
}

void Windows::workingWindowClosed(QWidget *window) {
    showExitScreen();
    unload(window);
}

void Windows::unload(QWidget *window) {
    if (window == m_main)
        m_main = nullptr;
    else if (window == m_display)
        m_display = nullptr;
    else if (window == m_exitScreen)
        m_exitScreen = nullptr;
    window->deleteLater();
}

void Windows::EndApplication() {
    // A close handler run below may call this again; the outer call is already
    // ending the process, so the inner one has nothing left to do.
    if (m_ending)
        return;
    m_ending = true;
    // Only the windows this owner holds: each runs its own close handler, which may
    // unload it. A box or window of anyone else's is not ours to close.
    for (QWidget *window : std::initializer_list<QWidget *>{m_main, m_display, m_exitScreen})
        if (window)
            window->close();
    m_services.endProcess(0);
}

} // namespace aromelle
