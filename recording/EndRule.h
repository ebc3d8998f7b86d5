// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "recording/ConsoleTypes.h"

namespace dravemo {

// When the worker of a run stops waiting: the time limits (0 or less: none) and what it sees.
struct TEndRule {
    int32_t MaxTimeAfterBeginning = 0;
    int32_t MaxTimeAfterLastOutput = 0;

    // True when the run is to end: stopped, the child has ended, or a time limit is exceeded.
    bool LeaveLoop(bool terminated, uint32_t exitCode, int32_t sinceBeginning,
                   int32_t sinceLastOutput) const {
        if (terminated) return true;
        if (exitCode != kStillActive) return true;
        if (MaxTimeAfterBeginning > 0 && sinceBeginning > MaxTimeAfterBeginning) return true;
        return MaxTimeAfterLastOutput > 0 && sinceLastOutput > MaxTimeAfterLastOutput;
    }
};

// The end status once the loop is left: a child that still runs is killed for a stop or for a
// time limit; one that has ended ended by itself.
inline TEndStatus EndStatusAfterLoop(bool terminated, uint32_t exitCode) {
    if (exitCode != kStillActive) return esProcess;
    return terminated ? esStop : esTime;
}

}  // namespace dravemo
