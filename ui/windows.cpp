#include "windows.h"

#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QWidget>

namespace aromelle {

Windows &Windows::instance() {
    static Windows windows;
    return windows;
}

FrmMain &Windows::main() {
    if (!m_main)
        m_main = new FrmMain;
    return *m_main;
}

FrmDisplay &Windows::display() {
    if (!m_display)
        m_display = new FrmDisplay;
    return *m_display;
}

FrmExitScreen &Windows::exitScreen() {
    if (!m_exitScreen)
        m_exitScreen = new FrmExitScreen;
    return *m_exitScreen;
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

void Windows::unloadDisplay() {
    if (m_display)
        m_display->close();
}

void Windows::unloadDisplayForBack() {
    m_goingBack = true;
    unloadDisplay();
    m_goingBack = false;
}

void Windows::unloaded(QWidget *window) {
    if (window == m_main)
        m_main = nullptr;
    else if (window == m_display)
        m_display = nullptr;
    else if (window == m_exitScreen)
        m_exitScreen = nullptr;
    window->deleteLater();
}

void Windows::closeWorkingWindow(QWidget *window, QCloseEvent *event) {
    if (m_goingBack)
        exitScreen();
    else
        showExitScreen();
    event->accept();
    unloaded(window);
}

void Windows::endApplication() {
    // A close handler run below may call this again; the outer call is already
    // ending the process, so the inner one has nothing left to do.
    if (m_ending)
        return;
    m_ending = true;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isWindow())
            window->close();
    if (m_endProcess)
        m_endProcess(0);
    else
        QCoreApplication::exit(0);
}

void Windows::setProcessEnder(std::function<void(int)> ender) {
    m_endProcess = std::move(ender);
}

void Windows::reset() {
    delete m_display.data();
    delete m_exitScreen.data();
    delete m_main.data();
    m_ending = false;
}

} // namespace aromelle

void EndApplication() {
    aromelle::Windows::instance().endApplication();
}
