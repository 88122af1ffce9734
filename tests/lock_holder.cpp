// Test helper: takes the single-instance lock at the path given, says whether it
// got it, and then holds it until killed or told to stop on standard input.
#include "instance_guard.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const aromelle::InstanceGuard guard{QByteArray(argv[1])};
    std::printf("%s\n", guard.acquired() ? "running" : "refused");
    std::fflush(stdout);
    if (!guard.acquired())
        return 1;
    char buffer[16];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
    }
    return 0;
}
