// The program's message boxes: the real message service, and the boxes it shows.
#pragma once

#include "services.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QString>

#include <memory>

namespace aromelle {

// Shows a modal message titled "Aromelle", owned by the asking window; true when a
// question was answered Yes. Without an asker (the desktop's answer that a page
// could not be opened comes later, on behalf of no window) the box belongs to the
// window the user is in, as messageOwner finds it.
bool showMessageBox(MessageKind kind, const QString &text, QWidget *asker);

// The box showMessage would run, for inspecting its look. With no owner it stays
// on top of every window.
std::unique_ptr<QMessageBox> makeMessageBox(MessageKind kind, const QString &text,
                                            QWidget *owner = nullptr);

// The window a message raised now belongs to: the active one, or else a visible
// window of the program; none before the first window shows.
QWidget *messageOwner();

// A window's close handler asks this whether a close request goes ahead; when it
// does not, the request is ignored.
// - The window system may ask a window that is not shown to close: a window manager
//   that handles Alt+F4 a moment after a reading hid the window, a stale taskbar
//   entry. Only a shown window closes on request; shutdown closes hidden ones itself.
// - A close asked while a modal box or window is up (a key's delayed click, a screen
//   reader's action) waits, and is made again once that box has gone. Closing at
//   once would free the window, and a box it owns, under the code that waits for it.
bool closeGoesAhead(QWidget *window, QCloseEvent *event);

} // namespace aromelle
