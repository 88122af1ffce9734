// The command line, read before the application object exists: --help and --version
// need no display, and a mistake is reported before any window or lock. Qt's own
// options are let through to the application object untouched.
#pragma once

#include <optional>

namespace aromelle {

struct CommandLine {
    // Set when the program is to end at once with this status: 0 after --help or
    // --version, kUsageError after a mistake (reported with the usage).
    std::optional<int> exitStatus;
    // The user picked a widget style with Qt's -style option.
    bool styleChosen = false;
};

inline constexpr int kUsageError = 2;

// Reads argv and prints what it asked for or what is wrong with it. Needs the
// application name and version set.
CommandLine readCommandLine(int argc, const char *const *argv);

} // namespace aromelle
