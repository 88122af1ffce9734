// Aromelle's entry point: answer the command line, refuse a second copy, otherwise
// start up and run. The one owner of the windows lives here, with the real services.
#include "command_line.h"
#include "instance_guard.h"
#include "links.h"
#include "look.h"
#include "real_services.h"
#include "startup.h"
#include "version.h"
#include "windows.h"

#include <QApplication>

#include <csignal>
#include <sys/stat.h>

namespace {

// Where there is no session bus, keeps D-Bus from starting one for this program
// alone, which would be left running after it. Called before QApplication.
void noSessionBusLaunch() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // The bus a systemd or elogind session runs for the user, which D-Bus finds
    // by itself when the variable is not set.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat status {};
    if (!runtime.isEmpty() && ::stat((runtime + "/bus").constData(), &status) == 0 &&
        S_ISSOCK(status.st_mode))
        return;
    // No session bus: D-Bus would start one through dbus-launch (for the screen
    // reader's bridge), and it would outlive the program. An address of no known
    // kind makes every attempt fail at once, and starts nothing. The browser the
    // program opens does not inherit it (open_link).
    qputenv("DBUS_SESSION_BUS_ADDRESS", aromelle::kNoSessionBus);
}

} // namespace

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

    noSessionBusLaunch();
    QApplication app(argc, argv);
    // The menu entry's name: the Wayland app id, which docks match the window by.
    QApplication::setDesktopFileName(QStringLiteral("com.quorvane.aromelle"));
    if (QApplication::windowIcon().isNull()) // -qwindowicon gives another
        QApplication::setWindowIcon(aromelle::look::programIcon());
    // Closing a working window puts the exit screen up; only it ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    aromelle::look::setUpApplication(commandLine.styleChosen);

    aromelle::InstanceGuard guard(aromelle::InstanceGuard::defaultLockPath());
    aromelle::Windows windows(aromelle::realServices());
    if (!guard.acquired()) {
        windows.services().message(aromelle::MessageKind::Information,
                                   QStringLiteral("Application is already running"), nullptr);
        windows.EndApplication();
        return 0;
    }

    aromelle::startUp(windows);
    // A logout during the start-up question ends the program before its main loop.
    if (windows.services().sessionEnding())
        return 0;
    aromelle::stopWatchingSessionEnd();
    return windows.isEnding() ? 0 : app.exec();
}
