// The input window's check of the entries before a reading, without the window: the
// first check the entries fail, with its message and the field to mend.
#pragma once

#include <optional>

namespace aromelle {

// What the input window holds: whether each name box has any text (a name of spaces
// counts), and the positions selected in the date lists, from 0 (-1: none).
struct Entries {
    bool firstNameGiven = false;
    bool lastNameGiven = false;
    int monthPosition = 0;
    int dayPosition = 0;
    int yearPosition = 0;
};

// The date lists' items, by position from 0: the days 1 to 31, the twelve months, and
// the years from kFirstYear to kLastYear.
namespace dateLists {
inline constexpr int kDays = 31;
inline constexpr const char *kMonthNames[] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2050;
} // namespace dateLists

// The field that takes the focus after a refusal; None leaves it where it is.
enum class EntryField { None, FirstName, LastName, Day, Month, Year };

struct EntryRefusal {
    const char *message;
    EntryField focus;
};

// Checks in order, and stops at the first that fails; nothing when all pass.
std::optional<EntryRefusal> firstFailingCheck(const Entries &entries);

} // namespace aromelle
