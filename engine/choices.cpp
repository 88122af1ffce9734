#include "choices.h"

#include <algorithm>
#include <cmath>

namespace aromelle {

namespace {
constexpr int kCoBrandNumbers = 6; // 1..7 once rounded: the ends are half as likely
} // namespace

int coBrandNumber(double r) {
    const double x = r * kCoBrandNumbers + 1.0;
    const double below = std::floor(x);
    const double fraction = x - below;
    int n = static_cast<int>(below);
    if (fraction > 0.5 || (fraction == 0.5 && n % 2 != 0))
        ++n;
    return n;
}

int pleaIndex(double r) {
    // Truncated, never rounded; a generator that reached 1 still gets the last plea.
    return std::clamp(static_cast<int>(std::floor(r * kPleaCount)), 0, kPleaCount - 1);
}

} // namespace aromelle
