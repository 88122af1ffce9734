// The program's message boxes: one function that every window calls, backed by a
// replaceable handler so that tests can see and answer each message.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <memory>

namespace aromelle {

enum class MessageKind {
    Information, // information icon, OK
    Error,       // error icon, OK
    Question     // information icon, Yes and No, Yes the default
};

// Shows a modal message titled "Aromelle" and returns the button pressed.
QMessageBox::StandardButton showMessage(MessageKind kind, const QString &text);

// The box showMessage would run, for inspecting its look. With no owner it stays
// on top of every window.
std::unique_ptr<QMessageBox> makeMessageBox(MessageKind kind, const QString &text,
                                            QWidget *owner = nullptr);

// The window a message raised now belongs to: the active one, or else a visible
// window of the program; none before the first window shows.
QWidget *messageOwner();

// A window that is asked to close while a modal box or window is up (a key's
// delayed click, a screen reader's action) calls this from its close handler: true
// means the close waits, and is made again once that box has gone. Closing at once
// would free the window, and a box it owns, under the code that waits for the box.
bool putOffWhileModal(QWidget *window);

using MessageHandler = std::function<QMessageBox::StandardButton(MessageKind, const QString &)>;
void setMessageHandler(MessageHandler handler); // through installSeams (seams.h)

} // namespace aromelle
