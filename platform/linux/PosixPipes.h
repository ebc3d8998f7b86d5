// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ConsoleProcesses.h"
#include "platform/linux/PollTarget.h"
#include "platform/linux/UniqueFd.h"

namespace dravemo {

// A wake-up event on an eventfd.
class EventFdWakeEvent : public WakeEvent, public PollTarget {
public:
    explicit EventFdWakeEvent(bool manualReset);
    void Set() override;
    int PollFd() const override { return FFd.Get(); }
    void Consume() override;

private:
    UniqueFd FFd;
    bool FManualReset;
};

// The reading end of a pipe (blocking, close-on-exec).
class PosixPipeReader : public PipeReader, public PollTarget {
public:
    explicit PosixPipeReader(UniqueFd fd) : FFd(std::move(fd)) {}
    size_t Read(uint8_t* buffer, size_t size) override;
    size_t Available() const override;
    int PollFd() const override { return FFd.Get(); }

private:
    UniqueFd FFd;
};

// The writing end of a pipe (blocking, close-on-exec); SIGPIPE is held back while it writes.
class PosixPipeWriter : public PipeWriter {
public:
    explicit PosixPipeWriter(UniqueFd fd) : FFd(std::move(fd)) {}
    bool Write(const uint8_t* data, size_t size) override;
    int Fd() const { return FFd.Get(); }

private:
    UniqueFd FFd;
};

// A new pipe, both ends close-on-exec; the buffer raised to `bufferSize` where allowed.
Pipe CreatePosixPipe(size_t bufferSize);

// The descriptor behind a pipe end made by this adapter (std::invalid_argument otherwise).
int PipeFd(const PipeReader& reader);
int PipeFd(const PipeWriter& writer);

}  // namespace dravemo
