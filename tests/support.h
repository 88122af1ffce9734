// Shared fixtures of the window tests: recorders for messages, opened pages and
// the end of the process, a fixed clock and scripted random numbers, and a reset
// that leaves no window of an earlier test behind.
#pragma once

#include "messages.h"
#include "seams.h"

#include <QDate>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>

namespace aromelle {
class FrmMain;
}

namespace testing_support {

struct Message {
    aromelle::MessageKind kind;
    QString text;
};

// Replaces every seam with recorders and scripts for its lifetime.
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

private:
    aromelle::ReplacedSeams m_seams; // last: it goes first, before what it records into
};

// A control by name; a missing one ends the test run at once.
template <typename T> T *child(QWidget &window, const char *name) {
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Fills the input window's names and picks the date (month and day from 1).
void setEntries(aromelle::FrmMain &input, const QString &first, const QString &last, int month,
                int day, int year);

// Frees every window and forgets any shutdown, so the next test starts anew.
void resetWindows();

// Runs a function once the next modal widget is up and active.
void whenModal(std::function<void(QWidget *)> action);

// Puts what a hostile home may hold at a path: a directory, a FIFO, a link to
// nowhere (linkTarget), a settings file dated ..., a symbolic or hard link to a
// settings file dated ... (written at linkTarget), a settings file dated ... and
// padded past the 64 KiB the program reads, made read-only or unreadable, or led by
// a byte-order mark.
void plant(const QString &what, const QString &path, const QString &linkTarget);

} // namespace testing_support
