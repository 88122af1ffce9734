// Sun-sign determination: which of the twelve Western sun signs a birth day and
// month fall under. Works on the positions the date lists report (0-based, -1 for
// "nothing selected"), so the windows can pass them straight through.
#pragma once

#include "sign_list.h" // generated: SunSign, kSignCount and the name table kSunSigns

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace aromelle {

constexpr int ordinal(SunSign sign) {
    return static_cast<int>(sign);
}
constexpr const SunSignInfo &info(SunSign sign) {
    return kSunSigns[ordinal(sign) - 1];
}
constexpr std::string_view displayName(SunSign sign) {
    return info(sign).displayName;
}

// The rule table itself: month position, then day position. Returns nothing for
// positions outside 0..11 / 0..30; impossible dates (30 February) are not refused
// here, that is the input check's job.
std::optional<SunSign> sunSignFor(std::int16_t monthPosition, std::int16_t dayPosition);

// Stores the display name of the matching sign in modAromelle::current_sign; when
// no rule matches, current_sign keeps whatever it held.
void determine_sun_sign(std::int16_t monthPosition, std::int16_t dayPosition);

} // namespace aromelle

namespace modAromelle {
// Display name of the last determined sign; empty until the first determination.
extern std::string current_sign;
} // namespace modAromelle
