// What the program takes from the world outside it: message boxes (the update
// question among them), the browser, today's date, random numbers, the end of the
// desktop session and the end of the process.
// main makes the real ones (app/services.h) and hands them, as this one value, to the
// owner of the windows, which hands each window what it uses; a test makes its own.
// Every member is set: there is no fallback behind an empty one.
#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace aromelle {

enum class MessageKind {
    Information, // information icon, OK
    Error,       // error icon, OK
    Question     // information icon, Yes and No, Yes the default
};

// Opens an absolute, already percent-encoded address in the user's browser.
using PageOpener = std::function<void(const QString &address)>;

struct Services {
    // A modal message titled "Aromelle"; true when a question was answered Yes.
    std::function<bool(MessageKind, const QString &text)> message;
    PageOpener openPage;
    std::function<QDate()> today;
    // A number drawn uniformly from [0, 1).
    std::function<double()> random;
    // True once the desktop session has told the program to end (a logout): a
    // question it closed then was never answered.
    std::function<bool()> sessionEnding;
    // Ends the process with a status; called once, after every window has closed.
    std::function<void(int status)> endProcess;
};

} // namespace aromelle
