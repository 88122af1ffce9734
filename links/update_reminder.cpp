#include "update_reminder.h"

#include "clock_random.h"
#include "links.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kGroupLine[] = "[Settings]";
constexpr char kName[] = "Duration";
constexpr char kFolder[] = "aromelle";
constexpr char kFileName[] = "aromelle.conf";
// Far more than the one line the program writes; anything larger is not its file.
constexpr qint64 kMostBytes = 64 * 1024;

// The program's own settings file, read and written without QSettings. QSettings
// waits for ever on a FIFO in place of the file and on anything but a plain file
// in place of its lock file, and it also reads files of the same name elsewhere.
// Only one copy of the program gets this far, so the file needs no lock of its own.
class SettingsFile {
public:
    explicit SettingsFile(QString path) : m_path(std::move(path)) {}

    // Empty when there is no plain file (or link to one) to read.
    QString date() const {
        const QByteArray path = QFile::encodeName(m_path);
        // Not blocking: a FIFO here must not stop start-up.
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return QString();
        QFile file;
        struct stat status {};
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kMostBytes ||
            !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return QString();
        }
        return valueIn(file.read(kMostBytes));
    }

    // Writes only where a plain file stands, or nothing yet, and through a link only
    // to a plain file: a link to nowhere never makes a file at its target. The new
    // date is written beside the file, synced, and renamed over it, and the folder
    // is synced after: a crash or a power cut leaves the old date or the new one, and
    // a failed step (a full disk, a size limit, an I/O error) leaves the old file
    // byte for byte and returns false.
    bool setDate(const QString &date) const {
        const QByteArray path = QFile::encodeName(m_path);
        struct stat status {};
        const bool exists = ::stat(path.constData(), &status) == 0;
        if (exists) {
            if (!S_ISREG(status.st_mode))
                return false;
        } else if (errno != ENOENT || ::lstat(path.constData(), &status) == 0) {
            return false;
        }
        const QString folder = QFileInfo(m_path).path();
        QDir().mkpath(folder);
        removeLeftovers(folder);
        // Through a link, the file it points to is the one replaced.
        const QByteArray target =
            exists ? QFile::encodeName(QFileInfo(m_path).canonicalFilePath()) : path;
        if (target.isEmpty())
            return false;
        const mode_t mode = exists ? status.st_mode & 07777 : newFileMode();
        return replace(target, mode,
                       QByteArray(kGroupLine) + '\n' + kName + '=' + date.toLatin1() + '\n');
    }

private:
    static mode_t newFileMode() {
        constexpr mode_t kReadWriteAll = 0666;
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return kReadWriteAll & ~mask;
    }

    // A crash between making the temporary file and renaming it leaves the temporary
    // file behind; a later save clears what matches our own naming, and nothing else.
    static void removeLeftovers(const QString &folder) {
        const QString prefix = QLatin1String(kFileName) + QLatin1Char('.');
        QDir dir(folder);
        const QStringList names =
            dir.entryList({prefix + QLatin1String("??????")},
                          QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
        for (const QString &name : names) {
            const QString suffix = name.mid(prefix.size());
            const bool ours = std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
                return c.unicode() < 0x80 && std::isalnum(c.unicode());
            });
            struct stat status {};
            const QByteArray leftover = QFile::encodeName(dir.filePath(name));
            if (ours && ::lstat(leftover.constData(), &status) == 0 && S_ISREG(status.st_mode))
                ::unlink(leftover.constData());
        }
    }

    static bool writeAll(int fd, const QByteArray &bytes) {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t written =
                ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            done += written;
        }
        return true;
    }

    static bool replace(const QByteArray &target, mode_t mode, const QByteArray &bytes) {
        const qsizetype slash = target.lastIndexOf('/');
        const QByteArray folder =
            slash > 0 ? target.left(slash) : QByteArray(slash == 0 ? "/" : ".");
        QByteArray temporary = target + ".XXXXXX";
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0)
            return false;
        bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fdatasync(fd) == 0;
        written = ::close(fd) == 0 && written;
        if (!written || ::rename(temporary.constData(), target.constData()) != 0) {
            ::unlink(temporary.constData());
            return false;
        }
        const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd < 0)
            return false;
        const bool synced = ::fsync(folderFd) == 0;
        ::close(folderFd);
        return synced;
    }

    // The value of Duration in the group Settings, as QSettings writes it.
    static QString valueIn(const QByteArray &text) {
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

    QString m_path;
};

QString settingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QLatin1String(kFolder) + QLatin1Char('/') + QLatin1String(kFileName);
}

aromelle::UpdateQuestion &updateQuestion() {
    static aromelle::UpdateQuestion ask;
    return ask;
}

} // namespace

namespace modHelp {

void UpdateReminder() {
    using namespace aromelle;
    const SettingsFile store(settingsFilePath());
    const QDate now = today();
    const QString todayText = now.toString(Qt::ISODate);
    const QDate last = QDate::fromString(store.date().trimmed(), Qt::ISODate);

    // A value that is not a date would otherwise silence the reminder for good;
    // treat it like a first run.
    if (!last.isValid()) {
        store.setDate(todayText);
        return;
    }

    const qint64 days = now.daysTo(last);
    if (days >= -kQuietDays && days <= kQuietDays)
        return;

    const QString question = QString::fromLatin1(kUpdateQuestion);
    const bool yes = updateQuestion() && updateQuestion()(question);
    // The page opens even when the date cannot be stored: the user asked for it.
    store.setDate(todayText);
    if (yes)
        modHelp::OpenDownloadPage();
}

} // namespace modHelp

namespace aromelle {

void setUpdateQuestion(UpdateQuestion ask) {
    updateQuestion() = std::move(ask);
}

} // namespace aromelle
