// Start-up once the instance guard has let this process run: the update reminder,
// the input window, and the once-per-run choice of which offer the input window shows.
#pragma once

#include <cstdint>

namespace aromelle {

class Windows;

// Brings one of the input window's offers to the front, or leaves them be.
void CoBrand_Randomize(Windows &windows);

// Reminds, shows the input window, and lets CoBrand_Randomize choose its offer; shows
// nothing if the desktop session ends while the reminder asks.
void startUp(Windows &windows);

} // namespace aromelle

extern std::int16_t intCoBrandRandomNumber;
