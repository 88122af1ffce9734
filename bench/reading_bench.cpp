// How long a reading and Back take, on the offscreen platform with the program's
// services replaced as in the window tests (messages recorded, no pages opened, the
// process never ended).
//
//   Reading: from the click on the input window's "My Aromelle Reading" button to
//            the profile window shown.
//   Back:    from FrmDisplay::cmdBack_Click() to the input window shown again.
//
// Each step is timed on its own (manual timing), one step per repetition, so the
// median is that of single steps. The other step, which puts the windows back where
// the timed one starts, and the freeing of the closed profile window (a deferred
// delete) run outside the clock. FirstReading is the first reading of the process,
// once, with all it builds or loads for the first time. ReadingAndEvents adds one
// pass of the event loop after the click, which handles the layout and paint events
// the reading left queued: nearer to what a user waits for.
#include "frm_display.h"
#include "frm_main.h"
#include "links.h"
#include "look.h"
#include "messages.h"
#include "startup.h"
#include "windows.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using aromelle::FrmDisplay;
using aromelle::FrmMain;
using aromelle::Windows;

namespace {

int g_messages = 0;           // a message box would mean the entries were refused
Windows *g_windows = nullptr; // the one owner, made by main

Windows &windows() {
    return *g_windows;
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void freeClosedWindows() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <typename T> T *child(QWidget &window, const char *name) {
    return window.findChild<T *>(QString::fromLatin1(name));
}

// The input window, shown, with a name and a date (25 July: Leo) entered.
bool prepareInput() {
    FrmMain &input = windows().main();
    auto *first = child<QLineEdit>(input, "txtFirstName");
    auto *last = child<QLineEdit>(input, "txtLastName");
    auto *month = child<QComboBox>(input, "cboMonth");
    auto *day = child<QComboBox>(input, "cboDate");
    auto *year = child<QComboBox>(input, "cboYear");
    if (!first || !last || !month || !day || !year || !child<QPushButton>(input, "cmdNext"))
        return false;
    first->setText(QStringLiteral("ANN"));
    last->setText(QStringLiteral("LEE"));
    month->setCurrentIndex(6);
    day->setCurrentIndex(24);
    year->setCurrentIndex(80);
    windows().show(input);
    freeClosedWindows();
    return input.isVisible();
}

QPushButton *nextButton() {
    return child<QPushButton>(windows().main(), "cmdNext");
}

bool profileShown() {
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("frmDisplay") && window->isVisible())
            return true;
    return false;
}

void back() {
    windows().display().cmdBack_Click();
    freeClosedWindows();
}

// A reading, from the click to the profile window shown; with events, also until
// the queued layout and paint are done.
void measureReading(benchmark::State &state, bool withEvents) {
    if (!prepareInput()) {
        state.SkipWithError("the input window is not as expected");
        return;
    }
    QPushButton *next = nextButton();
    for (auto _ : state) {
        const auto start = Clock::now();
        next->click();
        if (withEvents)
            QApplication::processEvents();
        const bool shown = profileShown();
        state.SetIterationTime(secondsSince(start));
        if (!shown) {
            state.SkipWithError("no profile window after the click");
            break;
        }
        back();
        if (withEvents)
            QApplication::processEvents();
    }
}

void Reading(benchmark::State &state) {
    measureReading(state, false);
}
void ReadingAndEvents(benchmark::State &state) {
    measureReading(state, true);
}

void Back(benchmark::State &state) {
    if (!prepareInput()) {
        state.SkipWithError("the input window is not as expected");
        return;
    }
    QPushButton *next = nextButton();
    for (auto _ : state) {
        next->click();
        if (!profileShown()) {
            state.SkipWithError("no profile window after the click");
            break;
        }
        FrmDisplay &display = windows().display();
        const auto start = Clock::now();
        display.cmdBack_Click();
        const bool shown = windows().main().isVisible();
        state.SetIterationTime(secondsSince(start));
        if (!shown) {
            state.SkipWithError("the input window did not come back");
            break;
        }
        freeClosedWindows();
    }
}

void FirstReading(benchmark::State &state) {
    if (!prepareInput()) {
        state.SkipWithError("the input window is not as expected");
        return;
    }
    for (auto _ : state) {
        const auto start = Clock::now();
        nextButton()->click();
        const bool shown = profileShown();
        state.SetIterationTime(secondsSince(start));
        if (!shown)
            state.SkipWithError("no profile window after the click");
    }
    if (profileShown())
        back();
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void LongSession(benchmark::State &state) {
    constexpr int kCycles = 1000;
    if (!prepareInput()) {
        state.SkipWithError("the input window is not as expected");
        return;
    }
    QPushButton *next = nextButton();
    for (auto _ : state) {
        std::vector<double> readingMs;
        long firstKb = 0;
        for (int cycle = 1; cycle <= kCycles; ++cycle) {
            const auto start = Clock::now();
            next->click();
            QApplication::processEvents();
            readingMs.push_back(secondsSince(start) * 1e3);
            if (!profileShown()) {
                state.SkipWithError("no profile window after the click");
                return;
            }
            back();
            QApplication::processEvents();
            if (cycle == 1)
                firstKb = residentKb();
        }
        const long lastKb = residentKb();
        std::nth_element(readingMs.begin(), readingMs.begin() + kCycles / 2, readingMs.end());
        state.counters["rss_1_kB"] = double(firstKb);
        state.counters["rss_1000_kB"] = double(lastKb);
        state.counters["growth_kB"] = double(lastKb - firstKb);
        state.counters["reading_median_ms"] = readingMs[kCycles / 2];
    }
}

// Registered first, so it runs before anything else has warmed the caches.
BENCHMARK(FirstReading)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// One step per repetition, so the median is the median of single readings.
constexpr int kSteps = 201;
BENCHMARK(Reading)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kSteps)
    ->ReportAggregatesOnly(true);
BENCHMARK(Back)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kSteps)
    ->ReportAggregatesOnly(true);
BENCHMARK(ReadingAndEvents)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kSteps)
    ->ReportAggregatesOnly(true);
BENCHMARK(LongSession)->Unit(benchmark::kSecond)->Iterations(1);

// The offscreen platform cannot raise a window or pass size hints on and says so
// at every show; a real display does both. Those notes are dropped, anything else
// is passed on.
void dropOffscreenNotes(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

int main(int argc, char *argv[]) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropOffscreenNotes);
    QApplication app(argc, argv);
    // As main() sets the program up.
    QApplication::setApplicationName(QStringLiteral("aromelle"));
    QApplication::setOrganizationName(QStringLiteral("aromelle"));
    QApplication::setQuitOnLastWindowClosed(false);
    aromelle::look::setUpApplication();
    {
        Windows owner({.message =
                           [](aromelle::MessageKind, const QString &text, QWidget *) {
                               ++g_messages;
                               std::fprintf(stderr, "message: %s\n", qPrintable(text));
                               return false;
                           },
                       .openPage = [](const QString &) {},
                       .today = [] { return QDate(2026, 12, 7); },
                       .storedDate = [] { return std::optional<QString>(QString()); },
                       .storeDate = [](const QString &) { return true; },
                       .random = [] { return 0.5; },
                       .sessionEnding = [] { return false; },
                       .endProcess = [](int) {}});
        g_windows = &owner;
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        g_windows = nullptr;
    }
    freeClosedWindows();
    if (g_messages > 0) {
        std::fprintf(stderr, "reading_bench: %d unexpected message(s)\n", g_messages);
        return 1;
    }
    return 0;
}
