// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <mutex>

namespace dravemo {

class TProcessTimer;

// The running tick timers of the process by their timer identifier, so that a tick finds the
// timer it belongs to. Guarded by its own lock.
class TProcessTimerRegistry {
public:
    // The one registry of the process; it must be empty when the process ends.
    static TProcessTimerRegistry& Instance();

    TProcessTimerRegistry() = default;
    ~TProcessTimerRegistry();
    TProcessTimerRegistry(const TProcessTimerRegistry&) = delete;
    TProcessTimerRegistry& operator=(const TProcessTimerRegistry&) = delete;

    void Add(int id, TProcessTimer& timer);
    void Remove(int id);
    // One tick of the timer `id`: counts it on that timer when it is registered.
    void Tick(int id);
    size_t Count() const;

private:
    mutable std::mutex FLock;
    std::map<int, TProcessTimer*> FTimers;
};

}  // namespace dravemo
