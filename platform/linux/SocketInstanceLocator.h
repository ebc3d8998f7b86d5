// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/InstanceChannel.h"
#include "platform/linux/UniqueFd.h"

namespace dravemo {

// Finds the running main window by connecting to <runtime folder>/TFrmDravemo. A socket file
// without a listener counts as no window.
class SocketInstanceLocator : public InstanceLocator {
public:
    explicit SocketInstanceLocator(std::string folder);
    bool WindowExists() override;
    std::optional<int32_t> Send(const WindowMessage& message) override;

private:
    UniqueFd Connect() const;
    std::string FPath;
};

}  // namespace dravemo
