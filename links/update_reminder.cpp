#include "update_reminder.h"

#include "links.h"
#include "services.h"

#include <QSettings>

namespace {

constexpr char kKey[] = "Settings/Duration";

// A write counts only once it has reached the file.
bool storeDate(QSettings &store, const QDate &date) {
    store.setValue(QLatin1String(kKey), date.toString(Qt::ISODate));
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace

namespace modHelp {

void UpdateReminder() {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("aromelle"),
                    QStringLiteral("aromelle"));
    UpdateReminder(store);
}

void UpdateReminder(QSettings &store) {
    using namespace aromelle;
    const QDate now = today();
    const QString stored = store.value(QLatin1String(kKey), QString()).toString();
    const QDate last = QDate::fromString(stored.trimmed(), Qt::ISODate);

    // A value that is not a date would otherwise silence the reminder for good;
    // treat it like a first run.
    if (!last.isValid()) {
        storeDate(store, now);
        return;
    }

    const qint64 days = now.daysTo(last);
    if (days >= -kQuietDays && days <= kQuietDays)
        return;

    const auto answer = showMessage(MessageKind::Question, QString::fromLatin1(kUpdateQuestion));
    // The page opens even when the date cannot be stored: the user asked for it.
    storeDate(store, now);
    if (answer == QMessageBox::Yes)
        OpenDownloadPage();
}

} // namespace modHelp
