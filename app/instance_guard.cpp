#include "instance_guard.h"

#include "user_folders.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace aromelle {

namespace {

constexpr char kLockName[] = "aromelle.lock";
constexpr char kLockFolder[] = "aromelle";

// A folder only this user can put anything in. Elsewhere another user could hold
// the lock, refusing every start, or plant a link.
bool isPrivateFolder(const QByteArray &path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// flock needs no write access, so whatever stands at the path can be locked once
// it is open: a read-only file, another user's file, a directory. Never through a
// link, and never waiting on a FIFO. Close-on-exec, so a browser started from the
// program cannot keep the lock.
int openForLocking(const QByteArray &path) {
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(path.constData(), O_RDONLY | O_CREAT | kFlags, 0600);
    if (fd < 0 && errno == EISDIR)
        fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | kFlags);
    if (fd < 0 && errno == EACCES) {
        // A file this user may write but not read.
        fd = ::open(path.constData(), O_WRONLY | kFlags);
        if (fd < 0)
            errno = EACCES;
    }
    return fd;
}

void reportUnguarded(const QByteArray &lockPath, int error) {
    const QByteArray reason =
        error == ELOOP ? QByteArray("it is a symbolic link") : QByteArray(std::strerror(error));
    std::fprintf(stderr,
                 "aromelle: cannot take the single-instance lock at %s: %s; running unguarded\n",
                 lockPath.constData(), reason.constData());
}

} // namespace

InstanceGuard::InstanceGuard(const QByteArray &lockPath) {
    if (lockPath.isEmpty()) {
        std::fprintf(stderr, "aromelle: no private folder for the single-instance lock; "
                             "running unguarded\n");
        return;
    }
    int fd = openForLocking(lockPath);
    if (fd < 0) {
        // Something that cannot be locked stands at the path (a link, a socket). Every
        // copy sees the same thing there, so every copy falls back alike, to the lock
        // file's folder itself: a folder of the user's own, which nothing else locks.
        const int error = errno;
        fd =
            ::open(folderOf(lockPath).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            reportUnguarded(lockPath, error);
            return;
        }
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        m_refused = error == EWOULDBLOCK;
        if (!m_refused)
            reportUnguarded(lockPath, error);
        return;
    }
    m_fd = fd;
}

InstanceGuard::~InstanceGuard() {
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray InstanceGuard::defaultLockPath(const QByteArray &usersRuntimeRoot) {
    // Every copy of one user must find the same lock, with or without a desktop
    // session's environment (su, cron, ssh): the folder $XDG_RUNTIME_DIR names, or
    // else the one the login manager makes for the user, which it names in a session.
    // The paths stay the environment's bytes: a name that is not UTF-8 is kept as it is.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && isPrivateFolder(runtime))
        return runtime + '/' + kLockName;
    const QByteArray usersOwn = usersRuntimeRoot + '/' + QByteArray::number(::geteuid());
    if (isPrivateFolder(usersOwn))
        return usersOwn + '/' + kLockName;

    // A folder of the program's own in the user's cache folder, never the cache folder
    // or a home that is not there.
    const QByteArray cache = baseFolder("XDG_CACHE_HOME", ".cache");
    if (cache.isEmpty())
        return {};
    const QByteArray folder = cache + '/' + kLockFolder;
    ::mkdir(folder.constData(), 0700); // one already there is checked like a new one
    if (!isPrivateFolder(folder))
        return {};
    return folder + '/' + kLockName;
}

} // namespace aromelle
