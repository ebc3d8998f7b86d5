// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/ProcessTimerRegistry.h"

#include <QtGlobal>

#include "recording/ProcessTimer.h"

namespace dravemo {

TProcessTimerRegistry& TProcessTimerRegistry::Instance() {
    // Process-wide by design: a tick carries only its timer identifier.
    static TProcessTimerRegistry registry;
    return registry;
}

TProcessTimerRegistry::~TProcessTimerRegistry() {
    Q_ASSERT_X(FTimers.empty(), "TProcessTimerRegistry", "a tick timer is still running");
}

void TProcessTimerRegistry::Add(int id, TProcessTimer& timer) {
    const std::lock_guard lock(FLock);
    FTimers[id] = &timer;
}

void TProcessTimerRegistry::Remove(int id) {
    const std::lock_guard lock(FLock);
    FTimers.erase(id);
}

void TProcessTimerRegistry::Tick(int id) {
    TProcessTimer* timer = nullptr;
    {
        const std::lock_guard lock(FLock);
        const auto found = FTimers.find(id);
        if (found == FTimers.end()) return;
        timer = found->second;
    }
    // Timers are added, removed and ticked on the thread that owns them, so the timer found
    // is still alive here.
    timer->Tick();
}

size_t TProcessTimerRegistry::Count() const {
    const std::lock_guard lock(FLock);
    return FTimers.size();
}

}  // namespace dravemo
