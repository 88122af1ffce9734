// What the program takes from the world outside that tests replace: message boxes,
// the browser, today's date, random numbers, the update question and the end of the
// process. One struct: main fills it once at start-up, and a test swaps in its own
// for its lifetime. An empty member keeps the program's own behaviour.
#pragma once

#include "links.h"
#include "messages.h"
#include "update_reminder.h"

#include <QDate>

#include <functional>

namespace aromelle {

struct Seams {
    MessageHandler showMessage = {};          // empty: real message boxes
    LinkOpener openPage = {};                 // empty: the desktop opens the page
    std::function<QDate()> today = {};        // empty: the system clock
    std::function<double()> random = {};      // empty: a generator seeded from the clock
    UpdateQuestion askUpdate = {};            // empty: the question is answered No
    std::function<void(int)> endProcess = {}; // empty: the event loop ends with the status
};

void installSeams(Seams seams);
// The seams in place now.
const Seams &installedSeams();

// Installs other seams for its lifetime, and then the ones it found.
class ReplacedSeams {
public:
    explicit ReplacedSeams(Seams replacement);
    ~ReplacedSeams();
    ReplacedSeams(const ReplacedSeams &) = delete;
    ReplacedSeams &operator=(const ReplacedSeams &) = delete;

private:
    Seams m_before;
};

} // namespace aromelle
