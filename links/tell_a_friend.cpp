#include "tell_a_friend.h"

#include "links.h"

#include <QUrl>

#include <algorithm>
#include <iterator>

namespace aromelle {

namespace {

// The desktop gets the address as one command-line argument (xdg-open's), and
// Linux refuses any argument longer than 32 pages of 4 KiB, its terminating zero
// included: the page would silently not open.
constexpr qsizetype kLongestAddressBytes = 32 * 4096 - 1;
constexpr char kTooLong[] = "Your Entries Are Too Long To Send. Please Shorten Them.";
constexpr char kNotDistinct[] = "Please Enter Distinct Email Addresses";
constexpr char kNotAnAddress[] = "Please Enter Proper Email Address";
constexpr char kNoSpace[] = "Email Address Cannot Contain Space";

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

QString withoutPlaceholder(const QString &text, const QString &placeholder) {
    const qsizetype most = std::min(text.size(), placeholder.size());
    qsizetype before = 0;
    while (before < most && text.at(before) == placeholder.at(before))
        ++before;
    qsizetype after = 0;
    while (after < most - before &&
           text.at(text.size() - 1 - after) == placeholder.at(placeholder.size() - 1 - after))
        ++after;
    return text.mid(before, text.size() - before - after);
}

QString messageValue(const QString &plainText) {
    return QString(plainText).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

std::optional<QString> referKeyRefusal(const QString &box, const QString &keyText) {
    const bool address = box == QLatin1String("txtEmail") || box == QLatin1String("txtFriendEmail");
    if (address && keyText == QLatin1String(" "))
        return QString::fromLatin1(kNoSpace);
    return std::nullopt;
}

std::optional<QString> referRefusal(const ReferValues &values) {
    if (values.yourEmail == values.friendEmail)
        return QString::fromLatin1(kNotDistinct);
    for (const QLatin1Char mark : {QLatin1Char('@'), QLatin1Char('.')})
        if (!values.yourEmail.contains(mark) || !values.friendEmail.contains(mark))
            return QString::fromLatin1(kNotAnAddress);

    const QString *inOrder[] = {&values.yourName, &values.yourEmail, &values.yourMessage,
                                &values.friendName, &values.friendEmail};
    static_assert(std::size(inOrder) == std::size(kReferFields), "one value per field");
    for (std::size_t i = 0; i < std::size(kReferFields); ++i) {
        const QString value = trimSpaces(*inOrder[i]);
        if (value.isEmpty() || value == QLatin1String(kReferFields[i].placeholder))
            return QString::fromLatin1(kReferFields[i].missingMessage);
    }
    if (referAddress(values).toUtf8().size() > kLongestAddressBytes)
        return QString::fromLatin1(kTooLong);
    return std::nullopt;
}

QString referAddress(const ReferValues &values) {
    return QString::fromLatin1(urls::kReferAFriendPage) + QStringLiteral("?taf1=") +
           encoded(values.yourName) + QStringLiteral("&taf2=") + encoded(values.yourEmail) +
           QStringLiteral("&taf3=") + encoded(values.yourMessage) + QStringLiteral("&taf4=") +
           encoded(values.friendName) + QStringLiteral("&taf5=") + encoded(values.friendEmail) +
           QStringLiteral("&taf6=") + encoded(QString::fromLatin1(urls::kProgramHomePage));
}

} // namespace aromelle

namespace modTellAFriend {

QString strYourName;
QString strYourEmail;
QString strYourMessage;
QString strFriendName;
QString strFriendEmail;
QString strReferURL;

void TellAFriend(const aromelle::Services &services, QWidget *asker) {
    using namespace aromelle;
    const ReferValues values{strYourName, strYourEmail, strYourMessage, strFriendName,
                             strFriendEmail};
    if (const std::optional<QString> refusal = referRefusal(values)) {
        services.message(MessageKind::Error, *refusal, asker);
        return;
    }
    strReferURL = referAddress(values);
    services.openPage(strReferURL);
}

} // namespace modTellAFriend
