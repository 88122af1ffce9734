#include "startup.h"

#include "frm_main.h"
#include "look.h"
#include "services.h"
#include "update_reminder.h"
#include "windows.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::int16_t intCoBrandRandomNumber = 0;

namespace aromelle {

InstanceGuard::InstanceGuard(const QString &lockPath) {
    const QByteArray path = QFile::encodeName(lockPath);
    // Close-on-exec, so a browser started from the program cannot keep the lock.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_refused = errno == EWOULDBLOCK;
        ::close(fd);
        return;
    }
    m_fd = fd;
}

InstanceGuard::~InstanceGuard() {
    if (m_fd >= 0)
        ::close(m_fd);
}

QString InstanceGuard::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/aromelle.lock");
}

int coBrandNumber(double r) {
    const double x = r * 6.0 + 1.0;
    const double below = std::floor(x);
    const double fraction = x - below;
    int n = static_cast<int>(below);
    if (fraction > 0.5 || (fraction == 0.5 && n % 2 != 0))
        ++n;
    return n;
}

void CoBrand_Randomize() {
    intCoBrandRandomNumber = static_cast<std::int16_t>(coBrandNumber(randomNumber()));
    FrmMain &input = Windows::instance().main();
    switch (intCoBrandRandomNumber) {
    case 1:
    case 3:
    case 5:
        input.lblCobrand()->raise();
        break;
    case 2:
    case 4:
    case 6:
        input.lblFullBrand()->raise();
        break;
    default:
        break; // 7: the order the window was built in stays
    }
}

void startUp() {
    randomize();
    modHelp::UpdateReminder();
    Windows &windows = Windows::instance();
    windows.show(windows.main());
    CoBrand_Randomize();
}

} // namespace aromelle
