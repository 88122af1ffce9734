#include "reading.h"

#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "look.h"
#include "profiles.h"
#include "sign_pictures.h"
#include "sunsign.h"
#include "windows.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

// The labels are sized to their text.
void setCaption(QLabel *label, std::string_view value) {
    if (!label)
        return;
    label->setText(aromelle::look::qt(value));
    label->adjustSize();
}

void setBoxText(QPlainTextEdit *box, std::string_view value) {
    if (box)
        box->setPlainText(aromelle::look::qt(value));
}

} // namespace

void show_reading(FrmMain &input) {
    using namespace aromelle;
    if (!input.check_entries())
        return;
    determine_sun_sign(input.monthPosition(), input.dayPosition());

    Windows &windows = Windows::instance();
    FrmDisplay &display = windows.display(); // a fresh window in its design state
    setCaption(display.lblSunSign, modAromelle::current_sign);

    if (const SignProfile *profile = findProfile(modAromelle::current_sign)) {
        setCaption(display.lblSunSignElement, profile->element);
        setCaption(display.lblSunSignNumber, profile->lucky_number);
        setCaption(display.lblSunSignDay, profile->lucky_day);
        setCaption(display.lblSunSignCompatibility, profile->compatibility);
        setCaption(display.lblSunSignBirthStone, profile->birthstone);
        setBoxText(display.txtSunSignPositiveTraits, profile->positive_traits);
        setBoxText(display.txtSunSignNegativeTraits, profile->negative_traits);
        const QPixmap picture = input.IMGSunsignList().picture(profile->picture_position);
        if (display.picSunSign && !picture.isNull())
            display.picSunSign->setPixmap(picture);
        if (display.lblFragrances)
            display.lblFragrances->setText(aromelle::look::qt(profile->fragrances));
        if (display.lblPerfume)
            display.lblPerfume->setText(aromelle::look::qt(profile->perfumes));
        setBoxText(display.txtAromelle, profile->perfume_preferences);
    }

    input.hide();
    windows.exitScreen().hide();
    windows.show(display);
}
