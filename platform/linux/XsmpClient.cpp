// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XsmpClient.h"

#include <unistd.h>

#include <QSocketNotifier>
#include <cstdlib>
#include <stdexcept>

// After the Qt headers: the X headers define macros (Bool, Status) that Qt's would trip over.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

namespace dravemo {

namespace {

// The libraries' own handlers end the process on a broken connection; here a broken
// connection only ends the watch.
void IgnoreIceIoError(IceConn) {}
void IgnoreIceError(IceConn, Bool, int, unsigned long, int, int, IcePointer) {}
void IgnoreSmcError(SmcConn, Bool, int, unsigned long, int, int, SmPointer) {}

// One property value of the session manager's protocol, holding its bytes.
struct PropertyValues {
    std::string Name;
    std::string Type;
    std::vector<std::string> Items;
};

}  // namespace

// The connection and what answers it; the library calls back into it by address.
struct XsmpClient::Impl {
    Impl(const std::string& address, const std::vector<std::string>& restartCommand,
         std::function<void()> onEnd);
    ~Impl();
    static void SaveYourself(SmcConn connection, SmPointer self, int saveType, Bool shutdown,
                             int interactStyle, Bool fast);
    static void Die(SmcConn connection, SmPointer self);
    static void SaveComplete(SmcConn connection, SmPointer self);
    static void ShutdownCancelled(SmcConn connection, SmPointer self);
    void SetProperties(const std::vector<std::string>& restartCommand);
    void ReadMessages();
    void EndSession();

    SmcConn FConnection = nullptr;
    std::unique_ptr<QSocketNotifier> FNotifier;
    std::function<void()> FOnEnd;
    bool FEnded = false;
};

XsmpClient::XsmpClient(const std::string& address, const std::vector<std::string>& restartCommand,
                       std::function<void()> onEnd)
    : FImpl(std::make_unique<Impl>(address, restartCommand, std::move(onEnd))) {}

XsmpClient::~XsmpClient() = default;

XsmpClient::Impl::Impl(const std::string& address, const std::vector<std::string>& restartCommand,
                       std::function<void()> onEnd)
    : FOnEnd(std::move(onEnd)) {
    IceSetIOErrorHandler(IgnoreIceIoError);
    IceSetErrorHandler(IgnoreIceError);
    SmcSetErrorHandler(IgnoreSmcError);
    SmcCallbacks callbacks{};
    callbacks.save_yourself = {SaveYourself, this};
    callbacks.die = {Die, this};
    callbacks.save_complete = {SaveComplete, this};
    callbacks.shutdown_cancelled = {ShutdownCancelled, this};
    char* clientId = nullptr;
    char error[256] = {};
    std::string networkIds = address;
    FConnection = SmcOpenConnection(networkIds.data(), nullptr, SmProtoMajor, SmProtoMinor,
                                    SmcSaveYourselfProcMask | SmcDieProcMask |
                                        SmcSaveCompleteProcMask | SmcShutdownCancelledProcMask,
                                    &callbacks, nullptr, &clientId, sizeof error, error);
    std::free(clientId);
    if (!FConnection) {
        throw std::runtime_error("Cannot reach the session manager at \"" + address +
                                 "\": " + error);
    }
    SetProperties(restartCommand);
    IceConn ice = SmcGetIceConnection(FConnection);
    FNotifier = std::make_unique<QSocketNotifier>(IceConnectionNumber(ice), QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] { ReadMessages(); });
}

XsmpClient::Impl::~Impl() {
    FNotifier.reset();
    SmcCloseConnection(FConnection, 0, nullptr);
}

void XsmpClient::Impl::SetProperties(const std::vector<std::string>& restartCommand) {
    const char restartNever = SmRestartNever;
    const std::vector<PropertyValues> values = {
        {SmProgram, SmARRAY8, {restartCommand.empty() ? std::string() : restartCommand.front()}},
        {SmUserID, SmARRAY8, {std::to_string(::getuid())}},
        {SmRestartCommand, SmLISTofARRAY8, restartCommand},
        {SmCloneCommand, SmLISTofARRAY8, restartCommand},
        {SmRestartStyleHint, SmCARD8, {std::string(1, restartNever)}},
    };
    // The library takes pointers to mutable structures; these live until the call returns.
    std::vector<std::string> names, types;
    std::vector<std::vector<std::string>> items;
    std::vector<std::vector<SmPropValue>> rows;
    std::vector<SmProp> properties;
    for (const PropertyValues& v : values) {
        names.push_back(v.Name);
        types.push_back(v.Type);
        items.push_back(v.Items);
    }
    rows.resize(values.size());
    properties.resize(values.size());
    std::vector<SmProp*> pointers;
    for (size_t i = 0; i < values.size(); ++i) {
        for (std::string& item : items[i]) {
            rows[i].push_back({static_cast<int>(item.size()), item.data()});
        }
        properties[i] = {names[i].data(), types[i].data(), static_cast<int>(rows[i].size()),
                         rows[i].data()};
        pointers.push_back(&properties[i]);
    }
    SmcSetProperties(FConnection, static_cast<int>(pointers.size()), pointers.data());
}

void XsmpClient::Impl::ReadMessages() {
    IceConn ice = SmcGetIceConnection(FConnection);
    if (IceProcessMessages(ice, nullptr, nullptr) == IceProcessMessagesIOError) {
        // The session manager went away: nothing more will come from it.
        FNotifier->setEnabled(false);
    }
}

void XsmpClient::Impl::SaveYourself(SmcConn connection, SmPointer self, int, Bool shutdown, int,
                                    Bool) {
    // Nothing to save: the settings are written as they change. The answer comes first, so
    // that the session manager never waits on the program.
    SmcSaveYourselfDone(connection, True);
    if (shutdown) static_cast<Impl*>(self)->EndSession();
}

void XsmpClient::Impl::Die(SmcConn, SmPointer self) { static_cast<Impl*>(self)->EndSession(); }

void XsmpClient::Impl::SaveComplete(SmcConn, SmPointer) {}

void XsmpClient::Impl::ShutdownCancelled(SmcConn, SmPointer self) {
    static_cast<Impl*>(self)->FEnded = false;
}

void XsmpClient::Impl::EndSession() {
    if (FEnded) return;
    FEnded = true;
    // Called inside the library's message reading: the handler, which may close the program
    // and this client with it, runs once that is over.
    QMetaObject::invokeMethod(
        FNotifier.get(),
        [this] {
            if (FOnEnd) FOnEnd();
        },
        Qt::QueuedConnection);
}

}  // namespace dravemo
