// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// A minimal X session manager for tests. It prints "address <ids>" once it listens, then one
// line per thing a client does ("registered", "property <name> <values...>", "done <1|0>",
// "closed"), and takes commands for every client on its standard input: "save <shutdown 0|1>",
// "die", "quit".
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// What the peer knows of its clients.
struct Peer {
    std::vector<SmsConn> Clients;
    std::vector<IceConn> Connections;
};

// The library owns the host name.
Bool AcceptAnyHost(char*) { return True; }

void IgnoreIoError(IceConn) {}

Status RegisterClient(SmsConn connection, SmPointer, char* previousId) {
    std::free(previousId);
    char* id = SmsGenerateClientID(connection);
    char fallback[] = "1dravemo-test-client";
    SmsRegisterClientReply(connection, id ? id : fallback);
    std::free(id);
    std::cout << "registered" << std::endl;
    return 1;
}

void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
    for (int i = 0; i < count; ++i) {
        const SmProp* p = properties[i];
        std::cout << "property " << p->name;
        for (int v = 0; v < p->num_vals; ++v) {
            const std::string value(static_cast<const char*>(p->vals[v].value), p->vals[v].length);
            // A CARD8 is its first byte (some clients send a whole int).
            if (std::strcmp(p->type, SmCARD8) == 0 && !value.empty()) {
                std::cout << ' ' << static_cast<int>(static_cast<unsigned char>(value[0]));
            } else {
                std::cout << ' ' << value;
            }
        }
        std::cout << std::endl;
        SmFreeProperty(properties[i]);
    }
    std::free(properties);
}

void SaveYourselfDone(SmsConn, SmPointer, Bool success) {
    std::cout << "done " << (success ? 1 : 0) << std::endl;
}

void CloseConnection(SmsConn connection, SmPointer data, int count, char** reasons) {
    SmFreeReasons(count, reasons);
    auto* peer = static_cast<Peer*>(data);
    IceConn ice = SmsGetIceConnection(connection);
    SmsCleanUp(connection);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    std::erase(peer->Connections, ice);
    std::erase(peer->Clients, connection);
    std::cout << "closed" << std::endl;
}

void InteractRequest(SmsConn, SmPointer, int) {}
void InteractDone(SmsConn, SmPointer, Bool) {}
void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void Phase2Request(SmsConn, SmPointer) {}
void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i) std::free(names[i]);
    std::free(names);
}
void GetProperties(SmsConn connection, SmPointer) { SmsReturnProperties(connection, 0, nullptr); }

Status NewClient(SmsConn connection, SmPointer data, unsigned long* mask, SmsCallbacks* callbacks,
                 char**) {
    auto* peer = static_cast<Peer*>(data);
    peer->Clients.push_back(connection);
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client = {RegisterClient, data};
    callbacks->interact_request = {InteractRequest, data};
    callbacks->interact_done = {InteractDone, data};
    callbacks->save_yourself_request = {SaveYourselfRequest, data};
    callbacks->save_yourself_phase2_request = {Phase2Request, data};
    callbacks->save_yourself_done = {SaveYourselfDone, data};
    callbacks->close_connection = {CloseConnection, data};
    callbacks->set_properties = {SetProperties, data};
    callbacks->delete_properties = {DeleteProperties, data};
    callbacks->get_properties = {GetProperties, data};
    return 1;
}

// Runs one command line; false to stop.
bool Command(Peer& peer, const std::string& line) {
    if (line == "quit") return false;
    for (SmsConn client : peer.Clients) {
        if (line == "save 0" || line == "save 1") {
            SmsSaveYourself(client, SmSaveBoth, line == "save 1" ? True : False,
                            SmInteractStyleNone, False);
        } else if (line == "die") {
            SmsDie(client);
        }
    }
    return true;
}

}  // namespace

int main() {
    IceSetIOErrorHandler(IgnoreIoError);
    Peer peer;
    char error[256] = {};
    if (!SmsInitialize("dravemo-test", "1.0", NewClient, &peer, AcceptAnyHost, sizeof error,
                       error)) {
        std::cerr << "SmsInitialize: " << error << std::endl;
        return 1;
    }
    int count = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error) || count == 0) {
        std::cerr << "IceListenForConnections: " << error << std::endl;
        return 1;
    }
    std::vector<IceListenObj> local;
    for (int i = 0; i < count; ++i) {
        IceSetHostBasedAuthProc(listeners[i], AcceptAnyHost);
        char* id = IceGetListenConnectionString(listeners[i]);
        if (std::strncmp(id, "local/", 6) == 0) local.push_back(listeners[i]);
        std::free(id);
    }
    if (local.empty()) local.assign(listeners, listeners + count);
    char* ids = IceComposeNetworkIdList(static_cast<int>(local.size()), local.data());
    std::cout << "address " << ids << std::endl;
    std::free(ids);

    std::string input;
    for (;;) {
        std::vector<pollfd> fds{{STDIN_FILENO, POLLIN, 0}};
        for (IceListenObj l : local) fds.push_back({IceGetListenConnectionNumber(l), POLLIN, 0});
        for (IceConn c : peer.Connections) fds.push_back({IceConnectionNumber(c), POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) continue;
        if (fds[0].revents) {
            char buffer[256];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) break;
            input.append(buffer, static_cast<size_t>(n));
            bool more = true;
            for (size_t end; more && (end = input.find('\n')) != std::string::npos;) {
                more = Command(peer, input.substr(0, end));
                input.erase(0, end + 1);
            }
            if (!more) break;
        }
        // The connections that were polled; those accepted now are polled from the next round.
        const std::vector<IceConn> connections = peer.Connections;
        for (size_t i = 0; i < local.size(); ++i) {
            if (!fds[1 + i].revents) continue;
            IceAcceptStatus status;
            if (IceConn c = IceAcceptConnection(local[i], &status)) peer.Connections.push_back(c);
        }
        for (size_t i = 0; i < connections.size(); ++i) {
            if (!fds[1 + local.size() + i].revents) continue;
            if (IceProcessMessages(connections[i], nullptr, nullptr) == IceProcessMessagesIOError) {
                std::erase(peer.Connections, connections[i]);
                for (SmsConn client : std::vector<SmsConn>(peer.Clients)) {
                    if (SmsGetIceConnection(client) != connections[i]) continue;
                    SmsCleanUp(client);
                    std::erase(peer.Clients, client);
                }
                IceCloseConnection(connections[i]);
                std::cout << "lost" << std::endl;
            }
        }
    }
    IceFreeListenObjs(count, listeners);
    return 0;
}
