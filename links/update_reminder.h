// The update reminder: at most once in any fourteen days, offer at start-up to open
// the download page. The one date it keeps lives in the user's settings
// (~/.config/aromelle/aromelle.conf, [Settings] Duration=yyyy-MM-dd).
#pragma once

class QSettings;

namespace modHelp {

// Uses the program's own settings store.
void UpdateReminder();
// The same against a given store.
void UpdateReminder(QSettings &store);

} // namespace modHelp

namespace aromelle {
inline constexpr char kUpdateQuestion[] =
    "There maybe an update to this software available\rDo you want to check for an update?";
inline constexpr int kQuietDays = 14;
} // namespace aromelle
