// Tests of the reading engine: the sign rules at every cusp, the profile table's
// lookup and its content rules, and the check of the entries before a reading.
#include "choices.h"
#include "entry_checks.h"
#include "profiles.h"
#include "sunsign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace aromelle;

namespace {

std::size_t countChars(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// ---------------------------------------------------------------- determination

struct CuspCase {
    std::int16_t month;
    SunSign first;
    SunSign second;
    std::int16_t cusp;
};

class CuspTest : public ::testing::TestWithParam<CuspCase> {};

TEST_P(CuspTest, BothSidesOfTheCuspAndTheMonthsEnds) {
    const CuspCase c = GetParam();
    EXPECT_EQ(sunSignFor(c.month, 0), c.first);
    EXPECT_EQ(sunSignFor(c.month, c.cusp), c.first);
    EXPECT_EQ(sunSignFor(c.month, static_cast<std::int16_t>(c.cusp + 1)), c.second);
    EXPECT_EQ(sunSignFor(c.month, 30), c.second);
    EXPECT_EQ(sunSignFor(c.month, 31), std::nullopt);
    EXPECT_EQ(sunSignFor(c.month, -1), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    AllMonths, CuspTest,
    ::testing::Values(CuspCase{0, SunSign::Capricorn, SunSign::Aquarius, 18},
                      CuspCase{1, SunSign::Aquarius, SunSign::Pisces, 17},
                      CuspCase{2, SunSign::Pisces, SunSign::Aries, 19},
                      CuspCase{3, SunSign::Aries, SunSign::Taurus, 19},
                      CuspCase{4, SunSign::Taurus, SunSign::Gemini, 19},
                      CuspCase{5, SunSign::Gemini, SunSign::Cancer, 19},
                      CuspCase{6, SunSign::Cancer, SunSign::Leo, 19},
                      CuspCase{7, SunSign::Leo, SunSign::Virgo, 19},
                      CuspCase{8, SunSign::Virgo, SunSign::Libra, 19},
                      CuspCase{9, SunSign::Libra, SunSign::Scorpio, 19},
                      CuspCase{10, SunSign::Scorpio, SunSign::Sagittarius, 19},
                      CuspCase{11, SunSign::Sagittarius, SunSign::Capricorn, 19}),
    [](const auto &info) { return "month" + std::to_string(info.param.month); });

struct DateCase {
    std::int16_t month;
    std::int16_t day;
    const char *sign;
};

class NamedDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(NamedDateTest, StoresTheDisplayName) {
    const DateCase c = GetParam();
    modAromelle::current_sign = "previous";
    determine_sun_sign(c.month, c.day);
    EXPECT_EQ(modAromelle::current_sign, c.sign);
}

INSTANTIATE_TEST_SUITE_P(Dates, NamedDateTest,
                         ::testing::Values(DateCase{0, 0, "Capricorn"},     // 1 January
                                           DateCase{11, 30, "Capricorn"},   // 31 December
                                           DateCase{11, 19, "Sagittarius"}, // 20 December
                                           DateCase{6, 22, "Leo"},          // 23 July
                                           DateCase{7, 21, "Virgo"},        // 22 August
                                           DateCase{1, 29, "Pisces"},       // 30 February
                                           DateCase{1, 30, "Pisces"},       // 31 February
                                           DateCase{3, 30, "Taurus"}),      // 31 April
                         [](const auto &info) {
                             return "m" + std::to_string(info.param.month) + "d" +
                                    std::to_string(info.param.day);
                         });

struct NoMatchCase {
    std::int16_t month;
    std::int16_t day;
};

class NoMatchTest : public ::testing::TestWithParam<NoMatchCase> {};

TEST_P(NoMatchTest, LeavesThePreviousSign) {
    modAromelle::current_sign = "Leo";
    determine_sun_sign(GetParam().month, GetParam().day);
    EXPECT_EQ(modAromelle::current_sign, "Leo");
    modAromelle::current_sign.clear();
    determine_sun_sign(GetParam().month, GetParam().day);
    EXPECT_EQ(modAromelle::current_sign, "");
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, NoMatchTest,
                         ::testing::Values(NoMatchCase{0, -1}, NoMatchCase{-1, 0},
                                           NoMatchCase{-1, -1}, NoMatchCase{12, 5},
                                           NoMatchCase{5, 31}, NoMatchCase{INT16_MIN, 0},
                                           NoMatchCase{0, INT16_MAX}),
                         [](const auto &info) { return "case" + std::to_string(info.index); });

// The twelve records in zodiac order, through the lookup the program uses.
std::vector<SignProfile> allProfiles() {
    std::vector<SignProfile> profiles;
    for (const SunSignInfo &s : kSunSigns)
        profiles.push_back(profileOf(s.sign));
    return profiles;
}

TEST(Determination, EveryValidPositionGivesASign) {
    for (std::int16_t m = 0; m < 12; ++m)
        for (std::int16_t d = 0; d <= 30; ++d)
            EXPECT_TRUE(sunSignFor(m, d).has_value()) << m << "/" << d;
}

// ---------------------------------------------------------------- profile table

TEST(ProfileLookup, FindsEachSignByItsExactName) {
    for (const SunSignInfo &sign : kSunSigns) {
        const SignProfile *profile = findProfile(sign.displayName);
        ASSERT_NE(profile, nullptr) << sign.displayName;
        EXPECT_EQ(profile->sign, sign.sign);
        EXPECT_EQ(profile->picture_position, ordinal(sign.sign));
    }
}

TEST(ProfileLookup, FindsNothingForOtherTexts) {
    for (const char *name : {"", "leo", "LEO", " Leo", "Leo ", "Ophiuchus", "lblSunSign"})
        EXPECT_EQ(findProfile(name), nullptr) << name;
}

TEST(ProfileTable, CompatibilityNamesTheOtherSignsOfTheElement) {
    for (const SignProfile &p : allProfiles()) {
        std::set<std::string> expected;
        for (const SignProfile &q : allProfiles())
            if (q.element == p.element && q.sign != p.sign)
                expected.insert(std::string(displayName(q.sign)));
        const std::string text(p.compatibility);
        const auto sep = text.find(" and ");
        ASSERT_NE(sep, std::string::npos) << text;
        std::set<std::string> named{text.substr(0, sep), text.substr(sep + 5)};
        EXPECT_EQ(named, expected) << displayName(p.sign);
    }
}

TEST(ProfileTable, EachElementSharesExactlyOneFragranceText) {
    std::map<std::string_view, std::set<std::string_view>> byElement;
    for (const SignProfile &p : allProfiles())
        byElement[p.element].insert(p.fragrances);
    ASSERT_EQ(byElement.size(), 4u);
    std::set<std::string_view> all;
    for (const auto &[element, texts] : byElement) {
        EXPECT_EQ(texts.size(), 1u) << element;
        all.insert(*texts.begin());
    }
    EXPECT_EQ(all.size(), 4u);
}

TEST(ProfileTable, NoOtherFieldIsSharedByAWholeElement) {
    for (const SignProfile &p : allProfiles()) {
        for (const SignProfile &q : allProfiles()) {
            if (p.sign == q.sign)
                continue;
            EXPECT_NE(p.perfumes, q.perfumes);
            EXPECT_NE(p.perfume_preferences, q.perfume_preferences);
            EXPECT_NE(p.positive_traits, q.positive_traits);
            EXPECT_NE(p.negative_traits, q.negative_traits);
        }
    }
}

TEST(ProfileTable, PerfumeTextsKeepTheirExactCharacters) {
    EXPECT_NE(profileOf(SunSign::Aries).perfumes.find("Dragon\u2019s Blood"), std::string::npos);
    EXPECT_NE(profileOf(SunSign::Aries).perfumes.find("Libert\u00e9"), std::string::npos);
    EXPECT_NE(profileOf(SunSign::Leo).perfumes.find("Chanel N\u00b05"), std::string::npos);
    EXPECT_NE(profileOf(SunSign::Leo).perfumes.find("Arp\u00e8ge"), std::string::npos);
    EXPECT_NE(profileOf(SunSign::Virgo).perfumes.find("White Sandalwood,  Narcissus"),
              std::string::npos);
    EXPECT_NE(profileOf(SunSign::Virgo).perfumes.find("fra\u00eeche"), std::string::npos);
    EXPECT_NE(profileOf(SunSign::Scorpio).perfumes.find("Opium byYves"), std::string::npos);
    EXPECT_NE(profileOf(SunSign::Scorpio).perfumes.find("Cassis,  by Jo Malone"),
              std::string::npos);
    EXPECT_NE(profileOf(SunSign::Pisces).perfumes.find("L eau byIssey Miyake"), std::string::npos);
    EXPECT_NE(profileOf(SunSign::Aries).perfume_preferences.find("for you active lifestyle"),
              std::string::npos);
}

TEST(ProfileTable, ShortPreferenceParagraphs) {
    for (const SignProfile &p : allProfiles()) {
        const auto n = countChars(p.perfume_preferences);
        EXPECT_GE(n, 102u) << displayName(p.sign);
        EXPECT_LE(n, 146u) << displayName(p.sign);
    }
}

TEST(ProfileTable, AllTextsAreSingleLines) {
    for (const SignProfile &p : allProfiles())
        for (std::string_view text : {p.element, p.lucky_number, p.lucky_day, p.compatibility,
                                      p.birthstone, p.positive_traits, p.negative_traits,
                                      p.fragrances, p.perfumes, p.perfume_preferences})
            EXPECT_EQ(text.find_first_of("\r\n"), std::string_view::npos) << text;
}

// ---------------------------------------------------------------- trait paragraphs

struct TraitCase {
    SunSign sign;
    bool positive;
    const char *opening;
    std::size_t length;
};

class TraitParagraphTest : public ::testing::TestWithParam<TraitCase> {};

// A reworded paragraph may come out a few characters longer or shorter.
constexpr std::size_t kLengthTolerance = 3;

// The paragraphs' sentence form is checked on the text files themselves
// (assets/traits/check_traits.py); here each sign gets its own paragraphs, whole.
TEST_P(TraitParagraphTest, KeepsItsOpeningAndLength) {
    const TraitCase c = GetParam();
    const SignProfile &p = profileOf(c.sign);
    const std::string_view text = c.positive ? p.positive_traits : p.negative_traits;
    SCOPED_TRACE(std::string(displayName(c.sign)) + (c.positive ? " positive" : " negative"));

    EXPECT_TRUE(startsWith(text, c.opening)) << text.substr(0, 60);
    const auto length = countChars(text);
    EXPECT_GE(length + kLengthTolerance, c.length);
    EXPECT_LE(length, c.length + kLengthTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    AllSigns, TraitParagraphTest,
    ::testing::Values(
        TraitCase{SunSign::Aries, true, "You may be pioneers in your fields", 727},
        TraitCase{SunSign::Aries, false, "You may be arrogant and domineering.", 604},
        TraitCase{SunSign::Taurus, true, "You are patient and enduring in nature.", 755},
        TraitCase{SunSign::Taurus, false, "You are very stubborn and inflexible.", 405},
        TraitCase{SunSign::Gemini, true, "You are very adjusting in nature", 745},
        TraitCase{SunSign::Gemini, false, "You are inconsistent in your performance.", 526},
        TraitCase{SunSign::Cancer, true, "You are very sensitive in nature", 866},
        TraitCase{SunSign::Cancer, false, "You are unstable and very unreliable.", 609},
        TraitCase{SunSign::Leo, true, "You are leaders and have a magnetic personality.", 998},
        TraitCase{SunSign::Leo, false, "You have a violent temper.", 646},
        TraitCase{SunSign::Virgo, true, "You are very modest by nature.", 513},
        TraitCase{SunSign::Virgo, false, "Your need for neatness", 331},
        TraitCase{SunSign::Libra, true, "You are highly diplomatic individuals.", 717},
        TraitCase{SunSign::Libra, false, "You cannot take make decisions for themselves.", 366},
        TraitCase{SunSign::Scorpio, true, "You are intense and strong willed people", 702},
        TraitCase{SunSign::Scorpio, false, "You have a very short temper.", 536},
        TraitCase{SunSign::Sagittarius, true, "You are a happy go lucky lot", 874},
        TraitCase{SunSign::Sagittarius, false, "You may be too outspoken for your own good.", 378},
        TraitCase{SunSign::Capricorn, true, "You are people with a traditional frame of mind.",
                  732},
        TraitCase{SunSign::Capricorn, false, "You are very rigid in nature", 550},
        TraitCase{SunSign::Aquarius, true, "You are magnetic in nature", 754},
        TraitCase{SunSign::Aquarius, false, "You do not make friends very easily", 655},
        TraitCase{SunSign::Pisces, true,
                  "You are very adjusting, friendly and good- natured people.", 681},
        TraitCase{SunSign::Pisces, false,
                  "You want people to sympathize with your personal problems.", 415}),
    [](const auto &info) {
        return std::string(displayName(info.param.sign)) +
               (info.param.positive ? "Positive" : "Negative");
    });

TEST(TraitParagraphs, LeosPositiveParagraphIsTwoTextsJoinedWithNothingBetween) {
    const std::string_view text = profileOf(SunSign::Leo).positive_traits;
    ASSERT_EQ(text.size(), 998u);
    EXPECT_EQ(text.substr(782, 1), ".");
    EXPECT_TRUE(startsWith(text.substr(783), "You have a proud and dignified presence"));
}

// ---------------------------------------------------------------- choices

struct PleaCase {
    const char *name;
    double random;
    int plea; // the whole part of random * 4
};

class PleaTest : public ::testing::TestWithParam<PleaCase> {};

TEST_P(PleaTest, ByWholeQuarters) {
    EXPECT_EQ(pleaIndex(GetParam().random), GetParam().plea);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PleaTest,
    ::testing::Values(PleaCase{"Zero", 0.0, 0}, PleaCase{"JustUnderAQuarter", 0.2499, 0},
                      PleaCase{"AQuarter", 0.25, 1}, PleaCase{"JustUnderThreeQuarters", 0.7499, 2},
                      PleaCase{"ThreeQuarters", 0.75, 3}, PleaCase{"JustUnderOne", 0.9999, 3},
                      PleaCase{"OneItself", 1.0, 3}),
    [](const auto &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- entries

struct EntryCase {
    const char *name;
    Entries entries;     // month and day from 1, the year itself
    const char *message; // nullptr: all checks pass
    EntryField focus;
};

Entries given(int month, int day, int year, bool first = true, bool last = true) {
    return {first, last, month - 1, day - 1, year - 1900};
}

class EntryCheckTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryCheckTest, RefusesWithTheFirstFailingChecksMessage) {
    const EntryCase &c = GetParam();
    const std::optional<EntryRefusal> refusal = firstFailingCheck(c.entries);
    if (!c.message) {
        EXPECT_FALSE(refusal.has_value()) << refusal->message;
        return;
    }
    ASSERT_TRUE(refusal.has_value());
    EXPECT_STREQ(refusal->message, c.message);
    EXPECT_EQ(refusal->focus, c.focus);
}

constexpr const char *kFebruary = "Please Enter Correct Date Or Month!";
constexpr const char *kThirty = "Please Enter Correct Date Or Month !";
constexpr EntryField kStays = EntryField::None;

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryCheckTest,
    ::testing::Values(
        EntryCase{"AllGiven", given(1, 1, 1900), nullptr, kStays},
        EntryCase{"NoNames", given(1, 1, 1900, false, false), "Please Enter Your First Name",
                  EntryField::FirstName},
        EntryCase{"NoLastName", given(1, 1, 1900, true, false), "Please Enter Your Last Name",
                  EntryField::LastName},
        EntryCase{
            "NoDay", {true, true, 0, -1, 0}, "Please Specify Your Birth Date", EntryField::Day},
        EntryCase{"NoMonth",
                  {true, true, -1, 0, 0},
                  "Please Specify Your Birth Month",
                  EntryField::Month},
        EntryCase{
            "NoYear", {true, true, 0, 0, -1}, "Please Specify Your Birth Year", EntryField::Year},
        EntryCase{"NamesBeforeDate",
                  {false, true, -1, -1, -1},
                  "Please Enter Your First Name",
                  EntryField::FirstName},
        EntryCase{"Feb29of2001", given(2, 29, 2001), kFebruary, kStays},
        EntryCase{"Feb29of2000", given(2, 29, 2000), nullptr, kStays},
        EntryCase{"Feb29of1900", given(2, 29, 1900), kFebruary, kStays},
        EntryCase{"Feb29of2004", given(2, 29, 2004), nullptr, kStays},
        EntryCase{"Feb29of2048", given(2, 29, 2048), nullptr, kStays},
        EntryCase{"Feb30of2000", given(2, 30, 2000), kFebruary, kStays},
        EntryCase{"Feb31of2001", given(2, 31, 2001), kFebruary, kStays},
        EntryCase{"Feb28of2001", given(2, 28, 2001), nullptr, kStays},
        EntryCase{"April31", given(4, 31, 1980), kThirty, kStays},
        EntryCase{"June31", given(6, 31, 1980), kThirty, kStays},
        EntryCase{"September31", given(9, 31, 1980), kThirty, kStays},
        EntryCase{"November31", given(11, 31, 1980), kThirty, kStays},
        EntryCase{"April30", given(4, 30, 1980), nullptr, kStays},
        EntryCase{"January31", given(1, 31, 1980), nullptr, kStays},
        EntryCase{"March31", given(3, 31, 1980), nullptr, kStays},
        EntryCase{"May31", given(5, 31, 1980), nullptr, kStays},
        EntryCase{"July31", given(7, 31, 1980), nullptr, kStays},
        EntryCase{"August31", given(8, 31, 1980), nullptr, kStays},
        EntryCase{"October31", given(10, 31, 1980), nullptr, kStays},
        EntryCase{"December31", given(12, 31, 1980), nullptr, kStays}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
