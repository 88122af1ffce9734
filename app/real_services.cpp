#include "real_services.h"

#include "links.h"
#include "messages.h"
#include "settings_file.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QRandomGenerator>

namespace aromelle {

namespace {

// A logout reaches Qt from the session manager (XSMP, as KDE Plasma and Xfce end
// their programs) as a Quit event for the application, which closes every window,
// a modal question too, and ends the event loop that runs. Before the main loop
// runs that is only the question's own loop, so the program sees the Quit itself:
// otherwise it would take the closed question for a No and carry on into its
// windows, and the session manager would wait for it for ever.
class SessionEnd : public QObject {
public:
    using QObject::QObject;
    bool ended() const { return m_ended; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
            m_ended = true;
        return false;
    }

private:
    bool m_ended = false;
};

QPointer<SessionEnd> sessionEnd; // watching from realServices to stopWatchingSessionEnd

} // namespace

void stopWatchingSessionEnd() {
    delete sessionEnd.data();
}

Services realServices() {
    QCoreApplication *app = QCoreApplication::instance();
    sessionEnd = new SessionEnd(app);
    app->installEventFilter(sessionEnd);
    return {
        .message = showMessageBox,
        .openPage =
            [](const QString &address) {
                open_link(address, [address] {
                    showMessageBox(MessageKind::Error, pageNotOpenedMessage(address), nullptr);
                });
            },
        .today = [] { return QDate::currentDate(); },
        .storedDate = storedDate,
        .storeDate = storeDate,
        .random = [] { return QRandomGenerator::global()->generateDouble(); },
        .sessionEnding = [] { return sessionEnd && sessionEnd->ended(); },
        .endProcess = [](int status) { QCoreApplication::exit(status); },
    };
}

} // namespace aromelle
