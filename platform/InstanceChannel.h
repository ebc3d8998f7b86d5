// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>

namespace dravemo {

// Message numbers other programs send to the running instance's main window.
constexpr uint32_t WM_QUERYENDSESSION = 0x0011;
constexpr uint32_t WM_COPYDATA = 0x004A;
constexpr uint32_t WM_USER = 0x0400;

// One request to the main window: the message, its parameter (wParam of WM_USER, dwData of
// WM_COPYDATA) and the data block (the WM_COPYDATA block, cbData bytes).
struct WindowMessage {
    uint32_t Message = 0;
    uint32_t Param = 0;
    QByteArray Payload;
};

// The per-user instance lock: at most one holder at a time.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // Takes the lock for the life of the process; false when another process holds it.
    // Throws std::runtime_error when the lock cannot be examined at all.
    virtual bool TryAcquire() = 0;
};

// A running main window took the message but gave no answer in time (or broke off).
class NoAnswerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Finds the running instance's main window and sends it messages.
class InstanceLocator {
public:
    virtual ~InstanceLocator() = default;
    // Whether a running main window answers.
    virtual bool WindowExists() = 0;
    // Sends the message and waits until the window has handled it; its result, or nullopt
    // when there is no running window. Throws NoAnswerError when the window does not answer
    // within the locator's time limit.
    virtual std::optional<int32_t> Send(const WindowMessage& message) = 0;
};

// Receives messages for this instance's main window.
class MessageServer {
public:
    // Handles one message on the user-interface thread and gives its result.
    using Handler = std::function<int32_t(const WindowMessage&)>;
    virtual ~MessageServer() = default;
    // Starts receiving; throws std::runtime_error when that is impossible. Malformed
    // requests are answered 0 without reaching the handler.
    virtual void Listen(Handler handler) = 0;
};

}  // namespace dravemo
