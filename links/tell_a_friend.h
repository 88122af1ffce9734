// Refer-a-friend: checks the five entries of the exit screen's form and opens the
// maker's refer-a-friend page with them in the query string. The checks and the
// address are plain functions of the values; no widgets here.
#pragma once

#include "services.h"

#include <QString>

#include <optional>

namespace aromelle {

struct ReferField {
    const char *box;
    const char *placeholder;
    const char *missingMessage;
};

// In the order the values are checked and sent (taf1 to taf5).
inline constexpr ReferField kReferFields[] = {
    {"txtName", "Your Name", "Please Enter Your Name"},
    {"txtEmail", "Your Email Address", "Please Enter Your Email"},
    {"txtMessage", "Your Message", "Please Enter Your Message"},
    {"txtFriendName", "Friend's Name", "Please Enter Your Friend's Name"},
    {"txtFriendEmail", "Friend's Email Address", "Please Enter Your Friend's Email"},
};

// The form's five values, trimmed, in the order of kReferFields.
struct ReferValues {
    QString yourName;
    QString yourEmail;
    QString yourMessage;
    QString friendName;
    QString friendEmail;
};

// The message of the first check the values fail: the two addresses first (distinct,
// with an at sign and a dot), then each value given and not its placeholder, last the
// length of the address they make. Nothing when they can be sent.
std::optional<QString> referRefusal(const ReferValues &values);

// The page address with the five values and the program's home page, each
// percent-encoded as a query value so no entry can add, change or cut keys.
QString referAddress(const ReferValues &values);

// Removes leading and trailing spaces, and only spaces.
QString trimSpaces(const QString &text);

// What is left of a text made by putting something into a box's placeholder (a
// paste, a screen reader's insertion): whatever went in, with the placeholder around
// it taken out.
QString withoutPlaceholder(const QString &text, const QString &placeholder);

// The message box's text as the form sends it: lines separated by CR LF.
QString messageValue(const QString &plainText);

// The message a key's text gets in a box of the form, when that box refuses it: the
// two email addresses take no space.
std::optional<QString> referKeyRefusal(const QString &box, const QString &keyText);

} // namespace aromelle

namespace modTellAFriend {

// The trimmed contents of the form's boxes, written by the exit screen before it
// submits, and the address last assembled from them.
extern QString strYourName;
extern QString strYourEmail;
extern QString strYourMessage;
extern QString strFriendName;
extern QString strFriendEmail;
extern QString strReferURL;

// Checks the five values and, when they pass, opens the page; otherwise says why,
// in a message owned by the asking window.
void TellAFriend(const aromelle::Services &services, QWidget *asker);

} // namespace modTellAFriend
