// One running copy per user: an advisory lock on a file in the user's runtime folder.
#pragma once

#include <QByteArray>

namespace aromelle {

// Holds an advisory lock on a file for the life of the object (or the process).
// The kernel drops the lock when the process ends, however it ends, so a crashed
// copy never blocks the next start.
class InstanceGuard {
public:
    explicit InstanceGuard(const QByteArray &lockPath);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard &) = delete;
    InstanceGuard &operator=(const InstanceGuard &) = delete;

    // False only when another copy holds the lock. When no lock can be had at all,
    // the program cannot tell: it says so on standard error and lets this copy run.
    bool acquired() const { return !m_refused; }

    // In the user's runtime folder ($XDG_RUNTIME_DIR, or else the user's own folder
    // under usersRuntimeRoot), or else in a folder of the user's own made in the cache
    // folder; empty when none is private to the user.
    static QByteArray defaultLockPath(const QByteArray &usersRuntimeRoot = "/run/user");

private:
    int m_fd = -1;
    bool m_refused = false;
};

} // namespace aromelle
