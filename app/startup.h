// Start-up: one running copy per user, the update reminder, the input window, and
// the once-per-run choice of which offer the input window shows.
#pragma once

#include <QString>

#include <cstdint>

namespace aromelle {

// Holds an advisory lock on a file for the life of the object (or the process).
// The kernel drops the lock when the process ends, however it ends, so a crashed
// copy never blocks the next start.
class InstanceGuard {
public:
    explicit InstanceGuard(const QString &lockPath);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard &) = delete;
    InstanceGuard &operator=(const InstanceGuard &) = delete;

    // False only when another copy holds the lock. When no lock can be had at all,
    // the program cannot tell: it says so on standard error and lets this copy run.
    bool acquired() const { return !m_refused; }

    // In the user's runtime folder ($XDG_RUNTIME_DIR, or else the user's own folder
    // under usersRuntimeRoot), or else in a folder of the user's own under the cache
    // location, made if need be; empty when none is private to the user.
    static QString defaultLockPath(const QString &usersRuntimeRoot = QStringLiteral("/run/user"));

private:
    int m_fd = -1;
    bool m_refused = false;
};

// Where there is no session bus, keeps D-Bus from starting one for this program
// alone, which would be left running after it. Called before QApplication.
void noSessionBusLaunch();

// r in [0, 1) → 1..7, a half going to the even neighbour.
int coBrandNumber(double r);

// Brings one of the input window's offers to the front, or leaves them be.
void CoBrand_Randomize();

// Turns off Qt's cache of drawn images. Its keys carry the palette, and each reading
// draws a fresh profile window with palettes of its own, so what it keeps is never
// drawn again, and what it keeps outlives the windows, scattering the heap. With
// Qt's 10 MB the memory grew by 12 MB over 1,000 readings and Backs, and with even
// 64 kB it still grew by 4 MB over 3,000; without it, by 2 MB at 1,000 and no more
// by 3,000. Readings are no slower: drawing an image again at each paint costs less
// than the measures can see.
void disablePixmapCache();

// The update reminder's question, asked in a message box: true for Yes.
bool askUpdateInMessageBox(const QString &question);

// Start-up after the guard has let this process run: seed, remind, show.
void startUp();

} // namespace aromelle

extern std::int16_t intCoBrandRandomNumber;
