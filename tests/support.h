// Shared fixtures of the window tests: recorders for messages, opened pages and
// the end of the process, a fixed clock and scripted random numbers, and a reset
// that leaves no window of an earlier test behind.
#pragma once

#include "services.h"

#include <QDate>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <deque>

namespace testing_support {

struct Message {
    aromelle::MessageKind kind;
    QString text;
};

// Installs every seam on construction and removes them on destruction.
class Harness {
public:
    Harness();
    ~Harness();

    QList<Message> messages;
    QStringList openedPages;
    int processEnds = 0;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    std::deque<double> randomNumbers; // used first; then 0.5
    QDate todayIs{2026, 12, 7};

    QStringList messageTexts() const;
    void clear();
};

// Frees every window and forgets any shutdown, so the next test starts anew.
void resetWindows();

// Runs a function once the next modal widget is up and active.
void whenModal(std::function<void(QWidget *)> action);

} // namespace testing_support
