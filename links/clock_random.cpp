#include "clock_random.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <cstdint>
#include <random>

namespace aromelle {

namespace {

std::function<QDate()> &todaySource() {
    static std::function<QDate()> source;
    return source;
}

std::function<double()> &randomSource() {
    static std::function<double()> source;
    return source;
}

std::mt19937_64 &generator() {
    static std::mt19937_64 engine(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    return engine;
}

} // namespace

QDate today() {
    return todaySource() ? todaySource()() : QDate::currentDate();
}

void setTodaySource(std::function<QDate()> source) {
    todaySource() = std::move(source);
}

double randomNumber() {
    if (randomSource())
        return randomSource()();
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator());
}

void randomize() {
    // Seeded from Qt's system generator: std::random_device would bring in code of the
    // C++ library that nothing else at start-up uses.
    generator().seed(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()) ^
                     QRandomGenerator::system()->generate64());
}

void setRandomSource(std::function<double()> source) {
    randomSource() = std::move(source);
}

} // namespace aromelle
