#include "real_services.h"

#include "links.h"
#include "messages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>

#include <cstdint>
#include <memory>
#include <random>

namespace aromelle {

Services realServices() {
    // Seeded from Qt's system generator: std::random_device would bring in code of the
    // C++ library that nothing else at start-up uses.
    auto generator = std::make_shared<std::mt19937_64>(
        static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()) ^
        QRandomGenerator::system()->generate64());
    return {
        .message = showMessageBox,
        .openPage = open_link,
        .today = [] { return QDate::currentDate(); },
        .random =
            [generator] { return std::uniform_real_distribution<double>(0.0, 1.0)(*generator); },
        .askUpdate =
            [](const QString &question) { return showMessageBox(MessageKind::Question, question); },
        .endProcess = [](int status) { QCoreApplication::exit(status); },
    };
}

} // namespace aromelle
