// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/ConsoleProcesses.h"

namespace dravemo {

// The one-second tick of a console run: counts the seconds since the start and since the last
// complete output line, and sets Event on every tick so that the worker looks at its limits.
// Enabled on the thread that owns the runner, whose event loop delivers the ticks.
class TProcessTimer {
public:
    // Throws std::system_error when its event cannot be made.
    explicit TProcessTimer(ConsoleProcesses& processes);
    ~TProcessTimer();
    TProcessTimer(const TProcessTimer&) = delete;
    TProcessTimer& operator=(const TProcessTimer&) = delete;

    bool Enabled() const { return FEnabled; }
    // Starts or stops the tick and (un)registers it; setting the current value does nothing.
    // Throws EProcessTimer "could not start timer" (Enabled stays false) when the thread has
    // no event loop to tick in.
    void SetEnabled(bool enabled);
    // Auto-reset; set on every tick.
    WakeEvent& Event() { return *FEvent; }
    int32_t SinceBeginning() const;
    int32_t SinceLastOutput() const;

    // Both counters to 0, then enabled.
    void Beginning();
    void Ending() { SetEnabled(false); }
    // A complete output line came: SinceLastOutput to 0.
    void NewOutput();
    // One tick (from the registry).
    void Tick();

private:
    mutable std::mutex FCriticalSection;
    bool FEnabled = false;
    std::unique_ptr<WakeEvent> FEvent;
    int FID = 0;
    std::atomic<int32_t> FSinceBeginning{0};
    std::atomic<int32_t> FSinceLastOutput{0};
    std::unique_ptr<QTimer> FTicker;
};

}  // namespace dravemo
