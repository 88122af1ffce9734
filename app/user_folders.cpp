#include "user_folders.h"

#include <pwd.h>
#include <unistd.h>

namespace aromelle {

QByteArray userHome() {
    QByteArray home = qgetenv("HOME");
    if (!home.startsWith('/'))
        if (const passwd *entry = ::getpwuid(::geteuid()))
            home = entry->pw_dir;
    return home.startsWith('/') ? home : QByteArray();
}

QByteArray baseFolder(const char *variable, const char *inHome) {
    const QByteArray set = qgetenv(variable);
    if (set.startsWith('/'))
        return set;
    const QByteArray home = userHome();
    return home.isEmpty() ? QByteArray() : home + '/' + inHome;
}

QByteArray folderOf(const QByteArray &path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash > 0 ? path.left(slash) : QByteArray(slash == 0 ? "/" : ".");
}

} // namespace aromelle
