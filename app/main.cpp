// Aromelle's entry point: answer the command line, refuse a second copy, otherwise
// start up and run.
#include "command_line.h"
#include "look.h"
#include "messages.h"
#include "seams.h"
#include "startup.h"
#include "style.h"
#include "version.h"
#include "windows.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[]) {
    // Under a file-size limit (a shell's `ulimit -f`), a write past it fails with an
    // error, as on a full disk, instead of killing the program: whatever writes a
    // file (the settings, a font cache) goes on without it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication::setApplicationName(QStringLiteral("aromelle"));
    QApplication::setApplicationVersion(QStringLiteral(AROMELLE_VERSION));
    QApplication::setOrganizationName(QStringLiteral("aromelle"));
    // Before QApplication, which needs a display.
    const aromelle::CommandLine commandLine = aromelle::readCommandLine(argc, argv);
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;

    aromelle::noSessionBusLaunch();
    QApplication app(argc, argv);
    // The menu entry's name: the Wayland app id, which docks match the window by.
    QApplication::setDesktopFileName(QStringLiteral("com.quorvane.aromelle"));
    if (QApplication::windowIcon().isNull()) // -qwindowicon gives another
        QApplication::setWindowIcon(aromelle::look::programIcon());
    // Closing a working window puts the exit screen up; only it ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows are drawn for Fusion, unless the user asked for another style.
    if (!commandLine.styleChosen)
        QApplication::setStyle(new aromelle::look::ProgramStyle);
    aromelle::look::chooseFontFamilies();
    aromelle::disablePixmapCache();

    // What the program takes from outside: everything its own, but the update
    // question, which a message box asks.
    aromelle::installSeams({.askUpdate = aromelle::askUpdateInMessageBox});

    aromelle::InstanceGuard guard(aromelle::InstanceGuard::defaultLockPath());
    aromelle::Windows &windows = aromelle::Windows::instance();
    if (!guard.acquired()) {
        aromelle::showMessage(aromelle::MessageKind::Information,
                              QStringLiteral("Application is already running"));
        EndApplication();
        windows.reset();
        return 0;
    }

    aromelle::startUp();
    const int status = windows.isEnding() ? 0 : app.exec();
    windows.reset();
    return status;
}
