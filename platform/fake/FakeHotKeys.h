// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "platform/HotKeys.h"

namespace dravemo {

// System-wide keys in memory: `Taken` plays the keys other programs hold, `Press` the user.
// Only `Taken` makes a key in use, so that tests may run several main windows side by side.
class FakeHotKeys : public HotKeys {
public:
    using Key = std::pair<uint32_t, uint32_t>;  // modifiers, virtual key

    int AddIdentifier() override {
        Identifiers.insert(++FLast);
        return FLast;
    }
    void DeleteIdentifier(int id) override {
        Unregister(id);
        Identifiers.erase(id);
    }
    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override {
        Unregister(id);
        const Key key{modifiers, virtualKey};
        if (Taken.count(key)) return false;
        Registered[id] = key;
        return true;
    }
    void Unregister(int id) override { Registered.erase(id); }
    void SetPressHandler(PressHandler handler) override { FHandler = std::move(handler); }
    void SetLostHandler(LostHandler handler) override { FLostHandler = std::move(handler); }

    // The keyboard mapping changes: every registration is made again, and those whose key is
    // `Taken` now are lost.
    void ChangeMapping() {
        std::vector<int> lost;
        for (auto it = Registered.begin(); it != Registered.end();) {
            if (Taken.count(it->second)) {
                lost.push_back(it->first);
                it = Registered.erase(it);
            } else {
                ++it;
            }
        }
        for (int id : lost) {
            if (FLostHandler) FLostHandler(id);
        }
    }

    // The user presses the key registered under `id` (or a message with any identifier).
    void Press(int id) {
        if (FHandler) FHandler(id);
    }
    bool HasHandler() const { return static_cast<bool>(FHandler); }
    bool HasLostHandler() const { return static_cast<bool>(FLostHandler); }

    std::map<int, Key> Registered;
    std::set<Key> Taken;
    std::set<int> Identifiers;

private:
    int FLast = 0;
    PressHandler FHandler;
    LostHandler FLostHandler;
};

}  // namespace dravemo
