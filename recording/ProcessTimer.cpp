// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/ProcessTimer.h"

#include "recording/ConsoleErrors.h"
#include "recording/ProcessTimerRegistry.h"

namespace dravemo {

TProcessTimer::TProcessTimer(ConsoleProcesses& processes) : FEvent(processes.CreateEvent(false)) {}

TProcessTimer::~TProcessTimer() { SetEnabled(false); }

void TProcessTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    if (enabled) {
        auto ticker = std::make_unique<QTimer>();
        ticker->setTimerType(Qt::PreciseTimer);
        ticker->setInterval(1000);
        ticker->start();
        const int id = ticker->timerId();
        // Qt numbers timers from 1; 0 or less means the thread cannot run one.
        if (id <= 0) throw EProcessTimer("could not start timer");
        QObject::connect(ticker.get(), &QTimer::timeout,
                         [id] { TProcessTimerRegistry::Instance().Tick(id); });
        FTicker = std::move(ticker);
        FID = id;
        FEnabled = true;
        TProcessTimerRegistry::Instance().Add(FID, *this);
    } else {
        FEnabled = false;
        FTicker.reset();
        TProcessTimerRegistry::Instance().Remove(FID);
        FID = 0;
    }
}

int32_t TProcessTimer::SinceBeginning() const {
    const std::lock_guard lock(FCriticalSection);
    return FSinceBeginning;
}

int32_t TProcessTimer::SinceLastOutput() const {
    const std::lock_guard lock(FCriticalSection);
    return FSinceLastOutput;
}

void TProcessTimer::Beginning() {
    {
        const std::lock_guard lock(FCriticalSection);
        FSinceBeginning = 0;
        FSinceLastOutput = 0;
    }
    SetEnabled(true);
}

void TProcessTimer::NewOutput() {
    const std::lock_guard lock(FCriticalSection);
    FSinceLastOutput = 0;
}

void TProcessTimer::Tick() {
    FSinceBeginning.fetch_add(1);
    FSinceLastOutput.fetch_add(1);
    FEvent->Set();
}

}  // namespace dravemo
