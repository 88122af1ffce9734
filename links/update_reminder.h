// The update reminder: at most once in any fourteen days, offer at start-up to open
// the download page. The one date it keeps lives in the user's settings
// (~/.config/aromelle/aromelle.conf, [Settings] Duration=yyyy-MM-dd).
#pragma once

#include "services.h"

namespace modHelp {

// Reads today's date, asks the question and opens the page through the services.
void UpdateReminder(const aromelle::Services &services);

} // namespace modHelp

namespace aromelle {

inline constexpr char kUpdateQuestion[] =
    "There maybe an update to this software available\rDo you want to check for an update?";
inline constexpr int kQuietDays = 14;
} // namespace aromelle
