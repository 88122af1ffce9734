#include "reading.h"

#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "profiles.h"
#include "sign_pictures.h"
#include "sunsign.h"
#include "windows.h"

void show_reading(FrmMain &input) {
    using namespace aromelle;
    if (!input.check_entries())
        return;
    determine_sun_sign(input.monthPosition(), input.dayPosition());

    Windows &windows = Windows::instance();
    FrmDisplay &display = windows.display(); // a fresh window in its design state
    if (const SignProfile *profile = findProfile(modAromelle::current_sign))
        display.showProfile(*profile, input.IMGSunsignList().picture(profile->picture_position));

    input.hide();
    windows.exitScreen().hide();
    windows.show(display);
}
