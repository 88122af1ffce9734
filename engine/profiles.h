// The sign profile table: every text a reading shows, one record per sign. The
// records are constant data built into the program; the long trait paragraphs are
// embedded from assets/traits at build time.
#pragma once

#include "sunsign.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace aromelle {

struct SignProfile {
    SunSign sign;
    std::string_view element;
    std::string_view lucky_number; // display text, never parsed
    std::string_view lucky_day;
    std::string_view compatibility;
    std::string_view birthstone;
    std::string_view positive_traits;
    std::string_view negative_traits;
    std::int16_t picture_position; // 1-based position in the sign picture list
    std::string_view fragrances;
    std::string_view perfumes;
    std::string_view perfume_preferences;
};

const SignProfile &profileOf(SunSign sign);

// Looks a record up by display name, exactly and case-sensitively, in zodiac
// order. Any other text, the empty one included, finds nothing.
const SignProfile *findProfile(std::string_view displayName);

// The fragrance list a freshly built profile window shows before a reading fills
// it, and the perfume list likewise.
inline constexpr std::string_view kDesignFragrances =
    "African Violet,Gardenia,Geranium,Honeysuckle,Jasmine,Night Jasmine,Orange Blossom,Rose,"
    "Tea Rose,Ylang Ylang";

} // namespace aromelle
