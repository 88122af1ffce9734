// The update reminder: at most once in any fourteen days, offer at start-up to open
// the download page. The one date it keeps lives in the user's settings
// (~/.config/aromelle/aromelle.conf, [Settings] Duration=yyyy-MM-dd).
#pragma once

#include <QString>

#include <functional>

namespace modHelp {

void UpdateReminder();

} // namespace modHelp

namespace aromelle {

// Asks the user the update question; true for Yes. The program sets it at start-up
// to a message box, tests to a script; with none set, the answer is No. Set
// through installSeams (ui/seams.h).
using UpdateQuestion = std::function<bool(const QString &question)>;
void setUpdateQuestion(UpdateQuestion ask);

inline constexpr char kUpdateQuestion[] =
    "There maybe an update to this software available\rDo you want to check for an update?";
inline constexpr int kQuietDays = 14;
} // namespace aromelle
