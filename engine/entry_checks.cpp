#include "entry_checks.h"

#include <algorithm>
#include <iterator>

namespace aromelle {

namespace {

// Month and day positions count from 0.
constexpr int kFebruary = 1;
constexpr int kApril = 3, kJune = 5, kSeptember = 8, kNovember = 10;
constexpr int kThirtyDayMonths[] = {kApril, kJune, kSeptember, kNovember};
constexpr int kDay29 = 28;
constexpr int kDay30 = 29;
constexpr int kDay31 = 30;

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

std::optional<EntryRefusal> firstFailingCheck(const Entries &entries) {
    if (!entries.firstNameGiven)
        return EntryRefusal{"Please Enter Your First Name", EntryField::FirstName};
    if (!entries.lastNameGiven)
        return EntryRefusal{"Please Enter Your Last Name", EntryField::LastName};
    if (entries.dayPosition < 0)
        return EntryRefusal{"Please Specify Your Birth Date", EntryField::Day};
    if (entries.monthPosition < 0)
        return EntryRefusal{"Please Specify Your Birth Month", EntryField::Month};
    if (entries.yearPosition < 0)
        return EntryRefusal{"Please Specify Your Birth Year", EntryField::Year};

    const int month = entries.monthPosition;
    const int day = entries.dayPosition;
    if (month == kFebruary) {
        // The Gregorian rule: 1900 had no 29 February, 2000 had one.
        const int firstMissing =
            isLeapYear(dateLists::kFirstYear + entries.yearPosition) ? kDay30 : kDay29;
        // The two date messages differ by the space before "!" on purpose: each tells
        // which of the two checks refused the date.
        if (day >= firstMissing)
            return EntryRefusal{"Please Enter Correct Date Or Month!", EntryField::None};
    }
    if (day == kDay31 && std::find(std::begin(kThirtyDayMonths), std::end(kThirtyDayMonths),
                                   month) != std::end(kThirtyDayMonths))
        return EntryRefusal{"Please Enter Correct Date Or Month !", EntryField::None};
    return std::nullopt;
}

} // namespace aromelle
