// Today's date and random numbers: the two inputs of the program that tests fix.
// Each is one function that the program calls, backed by a replaceable source.
#pragma once

#include <QDate>

#include <functional>

namespace aromelle {

// Today's calendar date.
QDate today();
void setTodaySource(std::function<QDate()> source); // through installSeams (ui/seams.h)

// A number drawn uniformly from [0, 1), and reseeding from the clock.
double randomNumber();
void randomize();
void setRandomSource(std::function<double()> source); // through installSeams

} // namespace aromelle
