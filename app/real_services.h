// The program's real services: message boxes, the desktop's browser, the system
// clock, Qt's random generator (seeded by the system), the update question in a
// message box, and the end of the event loop.
#pragma once

#include "services.h"

namespace aromelle {

Services realServices();

} // namespace aromelle
