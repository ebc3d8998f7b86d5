// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <string>

#include "platform/InstanceChannel.h"
#include "platform/linux/UniqueFd.h"

namespace dravemo {

// Finds the running main window by connecting to <runtime folder>/TFrmDravemo. A socket file
// without a listener counts as no window. A sender waits at most `timeout` for the answer.
class SocketInstanceLocator : public InstanceLocator {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{5000};
    explicit SocketInstanceLocator(std::string folder,
                                   std::chrono::milliseconds timeout = kDefaultTimeout);
    bool WindowExists() override;
    std::optional<int32_t> Send(const WindowMessage& message) override;

private:
    UniqueFd Connect() const;
    std::string FPath;
    std::chrono::milliseconds FTimeout;
};

}  // namespace dravemo
