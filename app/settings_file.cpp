#include "settings_file.h"

#include "user_folders.h"

#include <QFile>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace aromelle {

namespace {

constexpr char kGroupLine[] = "[Settings]";
constexpr char kName[] = "Duration";
constexpr char kFolder[] = "aromelle";
constexpr char kFileName[] = "aromelle.conf";
// A save writes the new file under this name and a random tail, then renames it over
// the settings file. Hidden, and unlike any name a person would give a copy of the
// file, so the clean-up after a crash can never take one of the user's own files.
constexpr char kTemporaryPrefix[] = ".aromelle.conf-saving-";
constexpr char kTemporaryTail[] = "XXXXXX"; // mkostemp's six random letters and digits
// The program's own folder, as mkdir makes it (less what the umask takes away).
constexpr mode_t kNewFolderMode = 0777;
// Far more than the one line the program writes; anything larger is not its file.
constexpr qint64 kMostBytes = 64 * 1024;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// The user's own mode bits count, even for root, who could write or read past them:
// a settings file made read-only (or unreadable) is meant to stay as it is.
bool userMayWrite(const QByteArray &path, const struct stat &status) {
    return ::access(path.constData(), W_OK) == 0 && (status.st_mode & 0222) != 0;
}
bool userMayRead(const struct stat &status) {
    return (status.st_mode & 0444) != 0;
}

// The program's own settings file, read and written without QSettings. Its path is
// kept as the bytes the environment gave, through to the system calls: a folder
// whose name is not UTF-8 is the one the user named, not a look-alike. QSettings
// waits for ever on a FIFO in place of the file and on anything but a plain file
// in place of its lock file, and it also reads files of the same name elsewhere.
// Only one copy of the program gets this far, so the file needs no lock of its own.
class SettingsFile {
public:
    explicit SettingsFile(QByteArray path) : m_path(std::move(path)) {}

    // The stored date: empty when there is no plain file (or link to one), or when
    // what stands there is not the program's file; nothing at all when a file stands
    // there that the user has made unreadable, which is then left alone.
    std::optional<QString> date() const {
        const QByteArray &path = m_path;
        // Not blocking: a FIFO here must not stop start-up.
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                return QString();
            return std::nullopt;
        }
        QFile file;
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (S_ISREG(status.st_mode) && !userMayRead(status)) {
            ::close(fd);
            return std::nullopt;
        }
        if (!S_ISREG(status.st_mode) || status.st_size > kMostBytes ||
            !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return QString();
        }
        return valueIn(file.read(kMostBytes));
    }

    // Writes only where a plain file the user may write stands, or nothing yet, and
    // through a link only to such a file: a link to nowhere never makes a file at its
    // target. The new date is written beside the file, synced, and renamed over it,
    // and the folder is synced after: a crash or a power cut leaves the old date or
    // the new one, and a failed step (a full disk, a size limit, an I/O error) leaves
    // the old file byte for byte and returns false. A file with other hard links is
    // written in place instead, so that it stays one file under all its names.
    bool setDate(const QString &date) const {
        const QByteArray &path = m_path;
        struct stat status {};
        const bool exists = ::stat(path.constData(), &status) == 0;
        if (exists) {
            if (!S_ISREG(status.st_mode) || !userMayWrite(path, status))
                return false;
        } else if (errno != ENOENT || ::lstat(path.constData(), &status) == 0) {
            return false;
        }
        // The program's own folder is made inside the configuration folder, never the
        // configuration folder or a home that is not there.
        if (!exists && ::mkdir(folderOf(path).constData(), kNewFolderMode) != 0 && errno != EEXIST)
            return false;
        // Through a link, the file it points to is the one replaced, and a save that
        // died there left its temporary file there.
        const QByteArray target = exists ? realPath(path) : path;
        if (target.isEmpty())
            return false;
        removeLeftovers(folderOf(target));
        const QByteArray bytes =
            QByteArray(kGroupLine) + '\n' + kName + '=' + date.toLatin1() + '\n';
        if (exists && status.st_nlink > 1)
            return writeInPlace(target, bytes);
        return replace(target, exists ? status.st_mode & 07777 : newFileMode(), bytes);
    }

private:
    static mode_t newFileMode() {
        constexpr mode_t kReadWriteAll = 0666;
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return kReadWriteAll & ~mask;
    }

    static QByteArray realPath(const QByteArray &path) {
        char *resolved = ::realpath(path.constData(), nullptr);
        const QByteArray result(resolved);
        std::free(resolved);
        return result;
    }

    // A crash between making the temporary file and renaming it leaves the temporary
    // file behind; a later save clears what carries our own temporary name, and
    // nothing else.
    static void removeLeftovers(const QByteArray &folder) {
        DIR *entries = ::opendir(folder.constData());
        if (!entries)
            return;
        constexpr qsizetype kTailLength = sizeof kTemporaryTail - 1;
        while (const dirent *entry = ::readdir(entries)) {
            const QByteArray name(entry->d_name);
            if (!name.startsWith(kTemporaryPrefix) ||
                name.size() != qsizetype(sizeof kTemporaryPrefix - 1) + kTailLength)
                continue;
            const QByteArray tail = name.right(kTailLength);
            const bool ours = std::all_of(tail.begin(), tail.end(), [](char c) {
                return std::isalnum(static_cast<unsigned char>(c)) != 0;
            });
            struct stat status {};
            const QByteArray leftover = folder + '/' + name;
            if (ours && ::lstat(leftover.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
                status.st_nlink == 1 && status.st_uid == ::geteuid())
                ::unlink(leftover.constData());
        }
        ::closedir(entries);
    }

    static bool writeAll(int fd, const QByteArray &bytes) {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t written =
                ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            done += written;
        }
        return true;
    }

    static bool syncFolder(const QByteArray &folder) {
        const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd < 0)
            return false;
        const bool synced = ::fsync(folderFd) == 0;
        ::close(folderFd);
        return synced;
    }

    static bool replace(const QByteArray &target, mode_t mode, const QByteArray &bytes) {
        const QByteArray folder = folderOf(target);
        QByteArray temporary = folder + '/' + kTemporaryPrefix + kTemporaryTail;
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0)
            return false;
        bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fdatasync(fd) == 0;
        written = ::close(fd) == 0 && written;
        if (!written || ::rename(temporary.constData(), target.constData()) != 0) {
            ::unlink(temporary.constData());
            return false;
        }
        return syncFolder(folder);
    }

    // Every name of the file sees the new date. The file is overwritten from its start
    // and then cut to length, never emptied first.
    static bool writeInPlace(const QByteArray &target, const QByteArray &bytes) {
        const int fd = ::open(target.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return false;
        bool written = writeAll(fd, bytes) && ::ftruncate(fd, off_t(bytes.size())) == 0 &&
                       ::fdatasync(fd) == 0;
        return ::close(fd) == 0 && written;
    }

    // The value of Duration in the group Settings, as QSettings writes it. An editor
    // may have put a byte-order mark before the first line.
    static QString valueIn(QByteArray text) {
        if (text.startsWith(kByteOrderMark))
            text.remove(0, qsizetype(sizeof kByteOrderMark - 1));
        bool inGroup = false;
        QByteArray value;
        for (const QByteArray &rawLine : text.split('\n')) {
            const QByteArray line = rawLine.trimmed();
            if (line.startsWith('[')) {
                inGroup = line == kGroupLine;
                continue;
            }
            const qsizetype equals = line.indexOf('=');
            if (inGroup && equals > 0 && line.left(equals).trimmed() == kName)
                value = line.mid(equals + 1).trimmed();
        }
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return QString::fromUtf8(value);
    }

    QByteArray m_path;
};

// In the user's configuration folder; empty when there is no home at all.
QByteArray settingsFilePath() {
    const QByteArray config = baseFolder("XDG_CONFIG_HOME", ".config");
    if (config.isEmpty())
        return {};
    return config + '/' + kFolder + '/' + kFileName;
}

} // namespace

std::optional<QString> storedDate() {
    const QByteArray path = settingsFilePath();
    if (path.isEmpty())
        return std::nullopt; // nowhere to keep the date: as with a file that cannot be read
    return SettingsFile(path).date();
}

bool storeDate(const QString &date) {
    const QByteArray path = settingsFilePath();
    return !path.isEmpty() && SettingsFile(path).setDate(date);
}

} // namespace aromelle
