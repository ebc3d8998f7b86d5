// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/HotKeys.h"

namespace dravemo {

// System-wide keys as passive key grabs on the root window of the X display, on a connection
// of their own watched from the user-interface thread. A key is grabbed on every keycode of
// its keysym and in every state of CapsLock, NumLock and ScrollLock; a grab that another
// client already holds, even in one of those states only, makes the key in use.
class XcbHotKeys : public HotKeys {
public:
    // Connects to `display` (empty: $DISPLAY); throws std::runtime_error when it cannot be
    // opened. Needs a running Qt application for the event watch.
    explicit XcbHotKeys(const std::string& display = {});
    ~XcbHotKeys() override;

    int AddIdentifier() override;
    void DeleteIdentifier(int id) override;
    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetPressHandler(PressHandler handler) override;
    void SetLostHandler(LostHandler handler) override;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace dravemo
