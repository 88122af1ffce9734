// Aromelle's entry point: refuse a second copy, otherwise start up and run.
#include "look.h"
#include "services.h"
#include "startup.h"
#include "style.h"
#include "windows.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("aromelle"));
    QApplication::setOrganizationName(QStringLiteral("aromelle"));
    QApplication::setDesktopFileName(QStringLiteral("aromelle"));
    QApplication::setWindowIcon(aromelle::look::programIcon());
    // Closing a working window puts the exit screen up; only it ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new aromelle::look::ProgramStyle);
    aromelle::look::installFontSubstitutes();

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
