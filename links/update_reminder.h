// The update reminder: at most once in any fourteen days, offer at start-up to open
// the download page. It keeps one date, the day it last asked, in the store its
// services carry (the user's settings file, in the program).
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
