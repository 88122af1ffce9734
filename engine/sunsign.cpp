#include "sunsign.h"

#include <array>

namespace modAromelle {
std::string current_sign;
}

namespace aromelle {

namespace {

struct MonthRule {
    std::int16_t cusp; // last day position of the first sign
    SunSign first;
    SunSign second;
};

constexpr std::int16_t kLastDayPosition = 30;

constexpr std::array<MonthRule, 12> kMonthRules{{
    {18, SunSign::Capricorn, SunSign::Aquarius},    // January
    {17, SunSign::Aquarius, SunSign::Pisces},       // February
    {19, SunSign::Pisces, SunSign::Aries},          // March
    {19, SunSign::Aries, SunSign::Taurus},          // April
    {19, SunSign::Taurus, SunSign::Gemini},         // May
    {19, SunSign::Gemini, SunSign::Cancer},         // June
    {19, SunSign::Cancer, SunSign::Leo},            // July
    {19, SunSign::Leo, SunSign::Virgo},             // August
    {19, SunSign::Virgo, SunSign::Libra},           // September
    {19, SunSign::Libra, SunSign::Scorpio},         // October
    {19, SunSign::Scorpio, SunSign::Sagittarius},   // November
    {19, SunSign::Sagittarius, SunSign::Capricorn}, // December
}};

} // namespace

std::optional<SunSign> sunSignFor(std::int16_t monthPosition, std::int16_t dayPosition) {
    if (monthPosition < 0 || monthPosition >= static_cast<std::int16_t>(kMonthRules.size()))
        return std::nullopt;
    const MonthRule &rule = kMonthRules[static_cast<std::size_t>(monthPosition)];
    if (dayPosition >= 0 && dayPosition <= rule.cusp)
        return rule.first;
    if (dayPosition >= rule.cusp + 1 && dayPosition <= kLastDayPosition)
        return rule.second;
    return std::nullopt;
}

void determine_sun_sign(std::int16_t monthPosition, std::int16_t dayPosition) {
    if (const auto sign = sunSignFor(monthPosition, dayPosition))
        modAromelle::current_sign = displayName(*sign);
}

} // namespace aromelle
