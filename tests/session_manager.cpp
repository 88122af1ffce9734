// A small X session manager for the logout test: it speaks XSMP through libSM, as
// KDE Plasma's and Xfce's session managers do, to one client at a time.
//
// It prints SESSION_MANAGER's value on its first line, then reads commands on
// its input and reports on its output, one line each:
//   checkpoint  a save without ending ("save-done" once the client has saved,
//               then the client is told the save is complete)
//   logout      the save of a session that ends ("save-done"), then "die"
// and reports "registered" when a client joins and "closed" when it leaves.
// Ends when its input closes.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kErrorLength = 256;

struct Manager {
    SmsConn client = nullptr;
    bool endsSession = false;
    std::vector<IceConn> connections;
};
Manager manager;

void say(const char *line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

Status registerClient(SmsConn connection, SmPointer, char *previousId) {
    std::free(previousId);
    char *id = SmsGenerateClientID(connection);
    SmsRegisterClientReply(connection, id);
    std::free(id);
    manager.client = connection;
    say("registered");
    return 1;
}

void saveYourselfDone(SmsConn connection, SmPointer, Bool) {
    say("save-done");
    if (manager.endsSession) {
        SmsDie(connection);
        say("die");
    } else {
        SmsSaveComplete(connection);
    }
}

void closeConnection(SmsConn connection, SmPointer, int count, char **reasons) {
    SmFreeReasons(count, reasons);
    if (connection == manager.client)
        manager.client = nullptr;
    SmsCleanUp(connection);
    say("closed");
}

void interactRequest(SmsConn connection, SmPointer, int) {
    SmsInteract(connection);
}
void interactDone(SmsConn, SmPointer, Bool) {}
void saveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void phase2Request(SmsConn connection, SmPointer) {
    SmsSaveYourselfPhase2(connection);
}
void setProperties(SmsConn, SmPointer, int count, SmProp **properties) {
    for (int i = 0; i < count; ++i)
        SmFreeProperty(properties[i]);
    std::free(properties);
}
void deleteProperties(SmsConn, SmPointer, int count, char **names) {
    for (int i = 0; i < count; ++i)
        std::free(names[i]);
    std::free(names);
}
void getProperties(SmsConn connection, SmPointer) {
    SmsReturnProperties(connection, 0, nullptr);
}

Status newClient(SmsConn, SmPointer, unsigned long *mask, SmsCallbacks *callbacks, char **) {
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client.callback = registerClient;
    callbacks->interact_request.callback = interactRequest;
    callbacks->interact_done.callback = interactDone;
    callbacks->save_yourself_request.callback = saveYourselfRequest;
    callbacks->save_yourself_phase2_request.callback = phase2Request;
    callbacks->save_yourself_done.callback = saveYourselfDone;
    callbacks->close_connection.callback = closeConnection;
    callbacks->set_properties.callback = setProperties;
    callbacks->delete_properties.callback = deleteProperties;
    callbacks->get_properties.callback = getProperties;
    return 1;
}

// Only local clients reach a manager that only the test knows of; no cookie is set up.
Bool anyHost(char *) {
    return True;
}

void command(const std::string &line) {
    if (!manager.client) {
        say("no-client");
        return;
    }
    if (line == "checkpoint") {
        manager.endsSession = false;
        SmsSaveYourself(manager.client, SmSaveLocal, False, SmInteractStyleNone, False);
    } else if (line == "logout") {
        manager.endsSession = true;
        SmsSaveYourself(manager.client, SmSaveLocal, True, SmInteractStyleAny, False);
    } else {
        say("unknown");
    }
}

} // namespace

// ICE's own handler ends the process when a client's connection breaks; here the
// client is only gone.
void clientGone(IceConn) {}

int main() {
    IceSetIOErrorHandler(clientGone);
    char error[kErrorLength] = "";
    if (!SmsInitialize("aromelle-tests", "1", newClient, nullptr, anyHost, kErrorLength, error)) {
        std::fprintf(stderr, "session-manager: %s\n", error);
        return 1;
    }
    int count = 0;
    IceListenObj *listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, kErrorLength, error)) {
        std::fprintf(stderr, "session-manager: %s\n", error);
        return 1;
    }
    for (int i = 0; i < count; ++i)
        IceSetHostBasedAuthProc(listeners[i], anyHost);
    // Clients are told only of the local sockets: the test's program runs here.
    std::string ids;
    for (int i = 0; i < count; ++i) {
        char *id = IceGetListenConnectionString(listeners[i]);
        if (std::strncmp(id, "local/", 6) == 0 || std::strncmp(id, "unix/", 5) == 0)
            ids += (ids.empty() ? "" : ",") + std::string(id);
        std::free(id);
    }
    say(ids.c_str());

    std::string input;
    for (;;) {
        std::vector<pollfd> fds{{STDIN_FILENO, POLLIN, 0}};
        for (int i = 0; i < count; ++i)
            fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        for (IceConn connection : manager.connections)
            fds.push_back({IceConnectionNumber(connection), POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0)
            return 1;
        if (fds[0].revents) {
            char buffer[256];
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0)
                return 0;
            input.append(buffer, static_cast<size_t>(n));
            for (size_t end; (end = input.find('\n')) != std::string::npos;) {
                command(input.substr(0, end));
                input.erase(0, end + 1);
            }
        }
        // Only the connections polled: an accepted one joins the list below.
        const size_t polled = manager.connections.size();
        for (int i = 0; i < count; ++i) {
            if (!fds[1 + i].revents)
                continue;
            IceAcceptStatus status;
            IceConn connection = IceAcceptConnection(listeners[i], &status);
            if (connection && status == IceAcceptSuccess)
                manager.connections.push_back(connection);
        }
        for (size_t i = 0; i < polled; ++i) {
            if (!fds[1 + static_cast<size_t>(count) + i].revents)
                continue;
            IceConn connection = manager.connections[i];
            if (IceProcessMessages(connection, nullptr, nullptr) == IceProcessMessagesIOError) {
                say("disconnected");
                IceSetShutdownNegotiation(connection, False);
                IceCloseConnection(connection);
                manager.connections.erase(manager.connections.begin() + static_cast<long>(i));
                break; // the list changed; poll again
            }
        }
    }
}
