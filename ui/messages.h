// The program's few contacts with the outside world that tests must see or steer:
// message boxes, today's date and random numbers. Each is one function that the
// program calls, backed by a replaceable implementation.
#pragma once

#include <QDate>
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

using MessageHandler = std::function<QMessageBox::StandardButton(MessageKind, const QString &)>;
void setMessageHandler(MessageHandler handler); // empty: real message boxes

// Today's calendar date.
QDate today();
void setTodaySource(std::function<QDate()> source); // empty: the system clock

// A number drawn uniformly from [0, 1), and reseeding from the clock.
double randomNumber();
void randomize();
void setRandomSource(std::function<double()> source); // empty: the clock-seeded generator

} // namespace aromelle
