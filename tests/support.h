// Shared fixtures of the window tests: an owner of the windows of the test's own,
// whose services record messages, opened pages and the end of the process, with a
// fixed clock and scripted random numbers.
#pragma once

#include "messages.h"
#include "windows.h"

#include <QDate>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <optional>

namespace aromelle {
class FrmMain;
}

namespace testing_support {

struct Message {
    aromelle::MessageKind kind;
    QString text;
};

// The program's windows, owned by the test, with recording services.
class Harness {
public:
    Harness();
    ~Harness();

    QList<Message> messages;
    QStringList openedPages;
    int processEnds = 0;
    // NoButton: the desktop session ends while the update question is up.
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    bool sessionEnds = false;
    bool realMessageBoxes = false;    // the program's own boxes, shown and recorded
    std::deque<double> randomNumbers; // used first; then 0.5
    QDate todayIs{2026, 12, 7};
    // The update reminder's store: this value (nothing: unreadable), or the program's
    // own settings file, found as the program finds it.
    std::optional<QString> reminderDate = QString();
    bool settingsFile = false;

    aromelle::Windows &windows() { return *m_windows; }
    const aromelle::Services &services() const { return m_windows->services(); }
    // A loaded window of the program's by its name, or null.
    static QWidget *loaded(const char *name);
    // Frees every window and forgets any shutdown: a fresh owner.
    void resetWindows();

    QStringList messageTexts() const;
    void clear();

private:
    aromelle::Services recorders();

    std::optional<aromelle::Windows> m_windows; // last: it goes first
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

// Runs a function once the next modal widget is up and active.
void whenModal(std::function<void(QWidget *)> action);

// Puts what a hostile home may hold at a path: a directory, a FIFO, a link to
// nowhere (linkTarget), a settings file dated ..., a symbolic or hard link to a
// settings file dated ... (written at linkTarget), a settings file dated ... and
// padded past the 64 KiB the program reads, made read-only or unreadable, or led by
// a byte-order mark.
void plant(const QString &what, const QString &path, const QString &linkTarget);

} // namespace testing_support
