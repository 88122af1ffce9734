#include "real_services.h"

#include "links.h"
#include "messages.h"

#include <QCoreApplication>
#include <QRandomGenerator>

namespace aromelle {

Services realServices() {
    return {
        .message = showMessageBox,
        .openPage =
            [](const QString &address) {
                open_link(address, [address] {
                    showMessageBox(MessageKind::Error, pageNotOpenedMessage(address));
                });
            },
        .today = [] { return QDate::currentDate(); },
        .random = [] { return QRandomGenerator::global()->generateDouble(); },
        .askUpdate =
            [](const QString &question) { return showMessageBox(MessageKind::Question, question); },
        .endProcess = [](int status) { QCoreApplication::exit(status); },
    };
}

} // namespace aromelle
