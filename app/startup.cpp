#include "startup.h"

#include "choices.h"
#include "frm_main.h"
#include "look.h" // the offers are link labels, brought to the front
#include "update_reminder.h"
#include "windows.h"

std::int16_t intCoBrandRandomNumber = 0;

namespace aromelle {

void CoBrand_Randomize(Windows &windows) {
    intCoBrandRandomNumber = static_cast<std::int16_t>(coBrandNumber(windows.services().random()));
    FrmMain &input = windows.main();
    switch (intCoBrandRandomNumber) {
    case 1:
    case 3:
    case 5:
        input.lblCobrand()->raise();
        break;
    case 2:
    case 4:
    case 6:
        input.lblFullBrand()->raise();
        break;
    default:
        break; // 7: the order the window was built in stays
    }
}

void startUp(Windows &windows) {
    modHelp::UpdateReminder(windows.services());
    if (windows.services().sessionEnding())
        return; // logged out while the question was up: nothing more to show
    windows.show(windows.main());
    CoBrand_Randomize(windows);
}

} // namespace aromelle
