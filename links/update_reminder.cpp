#include "update_reminder.h"

#include "links.h"
#include "services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kKey[] = "Settings/Duration";
constexpr char kGroupLine[] = "[Settings]";
constexpr char kName[] = "Duration";
constexpr char kFolder[] = "aromelle";
constexpr char kFileName[] = "aromelle.conf";
// Far more than the one line the program writes; anything larger is not its file.
constexpr qint64 kMostBytes = 64 * 1024;

// What the reminder needs of a store: its one date as text, read and written.
struct DateStore {
    std::function<QString()> read;
    std::function<bool(const QString &)> write; // true once the date has reached the store
};

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
    // to a plain file: a link to nowhere never makes a file at its target.
    bool setDate(const QString &date) const {
        const QByteArray path = QFile::encodeName(m_path);
        struct stat status {};
        if (::stat(path.constData(), &status) == 0) {
            if (!S_ISREG(status.st_mode))
                return false;
        } else if (errno != ENOENT || ::lstat(path.constData(), &status) == 0) {
            return false;
        }
        QDir().mkpath(QFileInfo(m_path).path());
        // Written beside the file and renamed over it: a crash leaves the old date whole.
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QByteArray(kGroupLine) + '\n' + kName + '=' + date.toLatin1() + '\n');
        return file.commit();
    }

private:
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

void remind(const DateStore &store) {
    using namespace aromelle;
    const QDate now = today();
    const QString todayText = now.toString(Qt::ISODate);
    const QDate last = QDate::fromString(store.read().trimmed(), Qt::ISODate);

    // A value that is not a date would otherwise silence the reminder for good;
    // treat it like a first run.
    if (!last.isValid()) {
        store.write(todayText);
        return;
    }

    const qint64 days = now.daysTo(last);
    if (days >= -kQuietDays && days <= kQuietDays)
        return;

    const auto answer = showMessage(MessageKind::Question, QString::fromLatin1(kUpdateQuestion));
    // The page opens even when the date cannot be stored: the user asked for it.
    store.write(todayText);
    if (answer == QMessageBox::Yes)
        modHelp::OpenDownloadPage();
}

} // namespace

namespace modHelp {

void UpdateReminder() {
    const SettingsFile file(settingsFilePath());
    remind({[&] { return file.date(); }, [&](const QString &date) { return file.setDate(date); }});
}

void UpdateReminder(QSettings &store) {
    remind({[&] { return store.value(QLatin1String(kKey), QString()).toString(); },
            [&](const QString &date) {
                // A write counts only once it has reached the file.
                store.setValue(QLatin1String(kKey), date);
                store.sync();
                return store.status() == QSettings::NoError;
            }});
}

} // namespace modHelp
