// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

namespace dravemo {

// How many processors this process may run on now (its affinity, not the machine's count),
// at least 1. Work split across threads uses this so that a process pinned to one core does
// not share that core between competing threads.
unsigned UsableProcessorCount();

}  // namespace dravemo
