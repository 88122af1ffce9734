#include "update_reminder.h"

#include "links.h"

namespace modHelp {

void UpdateReminder(const aromelle::Services &services) {
    using namespace aromelle;
    const std::optional<QString> stored = services.storedDate();
    // A store the user has made unreadable is theirs to mend: neither read nor
    // replaced. With nowhere to keep the date, the question would come at every start.
    if (!stored)
        return;
    const QDate now = services.today();
    const QString todayText = now.toString(Qt::ISODate);
    const QDate last = QDate::fromString(stored->trimmed(), Qt::ISODate);

    // A value that is not a date would otherwise silence the reminder for good;
    // treat it like a first run.
    if (!last.isValid()) {
        services.storeDate(todayText);
        return;
    }

    const qint64 days = now.daysTo(last);
    if (days >= -kQuietDays && days <= kQuietDays)
        return;

    const QString question = QString::fromLatin1(kUpdateQuestion);
    const bool yes = services.message(MessageKind::Question, question, nullptr);
    // A logout closes the question unanswered; it comes again at the next start.
    if (services.sessionEnding())
        return;
    // The page opens even when the date cannot be stored: the user asked for it.
    services.storeDate(todayText);
    if (yes)
        OpenDownloadPage(services.openPage);
}

} // namespace modHelp
