// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

namespace dravemo {

// What the adapters' waitable objects show to poll: the descriptor, and what a wait that
// returns the object does to it.
class PollTarget {
public:
    virtual ~PollTarget() = default;
    virtual int PollFd() const = 0;
    // Called after a wait has returned this object: an auto-reset event clears itself here.
    virtual void Consume() {}
};

}  // namespace dravemo
