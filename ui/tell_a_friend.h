// Refer-a-friend: checks the five entries of the exit screen's form and opens the
// maker's refer-a-friend page with them in the query string.
#pragma once

#include <QString>

namespace modTellAFriend {

// The trimmed contents of the form's boxes, written by the exit screen before any
// check, and the address last assembled from them.
extern QString strYourName;
extern QString strYourEmail;
extern QString strYourMessage;
extern QString strFriendName;
extern QString strFriendEmail;
extern QString strReferURL;

// Checks the five values in form order and, when all are given, opens the page.
void TellAFriend();

// The page address with the five values and the program's home page, each
// percent-encoded as a query value so no entry can add, change or cut keys.
QString buildReferUrl();

// Removes leading and trailing spaces, and only spaces.
QString trimSpaces(const QString &text);

} // namespace modTellAFriend

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

} // namespace aromelle
