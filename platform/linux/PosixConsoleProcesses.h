// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ConsoleProcesses.h"
#include "platform/linux/LocaleCharset.h"

namespace dravemo {

// Console children, pipes and eventfd wake-ups, waited for with poll.
class PosixConsoleProcesses : public ConsoleProcesses {
public:
    std::unique_ptr<WakeEvent> CreateEvent(bool manualReset) override;
    Pipe CreatePipe(size_t bufferSize = 0) override;
    std::unique_ptr<ConsoleChild> Start(const ConsoleLaunch& launch) override;
    int WaitAny(std::span<Waitable* const> objects,
                std::optional<std::chrono::milliseconds> timeout = std::nullopt) override;
    QString DecodeText(const QByteArray& bytes) override { return FCharset.Decode(bytes); }
    QByteArray EncodeText(const QString& text) override { return FCharset.Encode(text); }

private:
    LocaleCharset FCharset;
};

}  // namespace dravemo
