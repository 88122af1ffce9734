// What the program takes from the world outside it: message boxes (the update
// question among them), the browser, today's date, the update reminder's stored
// date, random numbers, the end of the desktop session and the end of the process.
// main makes the real ones (app/real_services.h) and hands them, as this one value, to the
// owner of the windows, which hands each window what it uses; a test makes its own.
// Every member is set: there is no fallback behind an empty one.
#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace aromelle {

enum class MessageKind {
    Information, // information icon, OK
    Error,       // error icon, OK
    Question     // information icon, Yes and No, Yes the default
};

// Opens an absolute, already percent-encoded address in the user's browser.
using PageOpener = std::function<void(const QString &address)>;

struct Services {
    // A modal message titled "Aromelle", owned by the window that asks (none: asked
    // before any window, or on behalf of none); true when a question was answered Yes.
    std::function<bool(MessageKind, const QString &text, QWidget *asker)> message;
    PageOpener openPage;
    std::function<QDate()> today;
    // The update reminder's one date, as stored: empty when none is (or what stands
    // there is not the program's); nothing when it is to be left alone, unreadable,
    // or when there is nowhere to keep it.
    std::function<std::optional<QString>()> storedDate;
    // Keeps a date in place of the stored one; false when it could not be kept.
    std::function<bool(const QString &date)> storeDate;
    // A number drawn uniformly from [0, 1).
    std::function<double()> random;
    // True once the desktop session has told the program to end (a logout): a
    // question it closed then was never answered.
    std::function<bool()> sessionEnding;
    // Ends the process with a status; called once, after every window has closed.
    std::function<void(int status)> endProcess;
};

} // namespace aromelle
