// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/InstanceChannel.h"
#include "platform/linux/UniqueFd.h"

namespace dravemo {

// The instance lock as an flock on <runtime folder>/DravemoMutex. Taking it is atomic and the
// kernel releases it when the process ends, however it ends.
class FlockInstanceLock : public InstanceLock {
public:
    explicit FlockInstanceLock(std::string folder);
    bool TryAcquire() override;

private:
    std::string FPath;
    UniqueFd FFd;
};

}  // namespace dravemo
