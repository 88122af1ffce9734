// The program's real services: message boxes, the desktop's browser, the system
// clock, the settings file, Qt's random generator (seeded by the system), the session manager's
// word that the desktop session ends, and the end of the event loop. Made once, after the
// QApplication.
#pragma once

#include "services.h"

namespace aromelle {

Services realServices();

// Once the main loop runs, a logout ends it by itself: the watch for the session's
// end, which sees every event the program handles, goes.
void stopWatchingSessionEnd();

} // namespace aromelle
