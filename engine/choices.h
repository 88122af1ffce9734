// The program's choices from a random number in [0, 1): which offer the input window
// shows in front, and which plea the exit screen makes.
#pragma once

namespace aromelle {

inline constexpr int kPleaCount = 4;

// r → 1..7, a half going to the even neighbour.
int coBrandNumber(double r);

// r → 0..kPleaCount - 1 by whole quarters: each plea as likely as the others.
int pleaIndex(double r);

} // namespace aromelle
