#include "tell_a_friend.h"

#include "links.h"
#include "messages.h"

#include <QUrl>

namespace modTellAFriend {

QString strYourName;
QString strYourEmail;
QString strYourMessage;
QString strFriendName;
QString strFriendEmail;
QString strReferURL;

namespace {

// The desktop gets the address as one command-line argument (xdg-open's), and
// Linux refuses any argument longer than 32 pages of 4 KiB, its terminating zero
// included: the page would silently not open.
constexpr qsizetype kLongestAddressBytes = 32 * 4096 - 1;
constexpr char kTooLong[] = "Your Entries Are Too Long To Send. Please Shorten Them.";

QString encoded(const QString &value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

QString trimSpaces(const QString &text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString buildReferUrl() {
    return QString::fromLatin1(aromelle::urls::kReferAFriendPage) + QStringLiteral("?taf1=") +
           encoded(strYourName) + QStringLiteral("&taf2=") + encoded(strYourEmail) +
           QStringLiteral("&taf3=") + encoded(strYourMessage) + QStringLiteral("&taf4=") +
           encoded(strFriendName) + QStringLiteral("&taf5=") + encoded(strFriendEmail) +
           QStringLiteral("&taf6=") +
           encoded(QString::fromLatin1(aromelle::urls::kProgramHomePage));
}

void TellAFriend() {
    using namespace aromelle;
    const QString *values[] = {&strYourName, &strYourEmail, &strYourMessage, &strFriendName,
                               &strFriendEmail};
    for (std::size_t i = 0; i < std::size(kReferFields); ++i) {
        const QString value = trimSpaces(*values[i]);
        if (value.isEmpty() || value == QLatin1String(kReferFields[i].placeholder)) {
            showMessage(MessageKind::Error, QString::fromLatin1(kReferFields[i].missingMessage));
            return;
        }
    }
    strReferURL = buildReferUrl();
    if (strReferURL.toUtf8().size() > kLongestAddressBytes) {
        showMessage(MessageKind::Error, QString::fromLatin1(kTooLong));
        return;
    }
    open_link(strReferURL);
}

} // namespace modTellAFriend
