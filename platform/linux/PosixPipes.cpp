// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/PosixPipes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace dravemo {
namespace {

[[noreturn]] void ThrowErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// Holds SIGPIPE back on this thread for its lifetime; a SIGPIPE raised meanwhile by our own
// write is taken away before the old mask returns.
class SigPipeBlock {
public:
    SigPipeBlock() {
        sigemptyset(&FSet);
        sigaddset(&FSet, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &FSet, &FOld);
        sigset_t pending;
        sigpending(&pending);
        FWasPending = sigismember(&pending, SIGPIPE) == 1;
    }
    ~SigPipeBlock() {
        if (FRaised && !FWasPending) {
            const timespec zero{};
            while (sigtimedwait(&FSet, nullptr, &zero) < 0 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &FOld, nullptr);
    }
    SigPipeBlock(const SigPipeBlock&) = delete;
    SigPipeBlock& operator=(const SigPipeBlock&) = delete;
    void Raised() { FRaised = true; }

private:
    sigset_t FSet;
    sigset_t FOld;
    bool FWasPending = false;
    bool FRaised = false;
};

}  // namespace

EventFdWakeEvent::EventFdWakeEvent(bool manualReset)
    : FFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), FManualReset(manualReset) {
    if (!FFd.Valid()) ThrowErrno("eventfd");
}

void EventFdWakeEvent::Set() {
    const uint64_t one = 1;
    // A full counter (never reached here) is still a set event, so the result needs no check.
    [[maybe_unused]] const auto written = ::write(FFd.Get(), &one, sizeof one);
}

void EventFdWakeEvent::Consume() {
    if (FManualReset) return;
    uint64_t count = 0;
    [[maybe_unused]] const auto read = ::read(FFd.Get(), &count, sizeof count);
}

size_t PosixPipeReader::Read(uint8_t* buffer, size_t size) {
    while (true) {
        const ssize_t n = ::read(FFd.Get(), buffer, size);
        if (n >= 0) return static_cast<size_t>(n);
        if (errno != EINTR) ThrowErrno("read");
    }
}

size_t PosixPipeReader::Available() const {
    int count = 0;
    if (::ioctl(FFd.Get(), FIONREAD, &count) < 0) ThrowErrno("FIONREAD");
    return static_cast<size_t>(count);
}

bool PosixPipeWriter::Write(const uint8_t* data, size_t size) {
    SigPipeBlock block;
    while (size > 0) {
        const ssize_t n = ::write(FFd.Get(), data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EPIPE) {
                block.Raised();
                return false;
            }
            ThrowErrno("write");
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

Pipe CreatePosixPipe(size_t bufferSize) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) < 0) ThrowErrno("pipe2");
    UniqueFd readEnd(fds[0]);
    UniqueFd writeEnd(fds[1]);
    // Best effort: the system's limit for unprivileged users may be lower.
    if (bufferSize > 0) ::fcntl(writeEnd.Get(), F_SETPIPE_SZ, static_cast<int>(bufferSize));
    return {std::make_unique<PosixPipeReader>(std::move(readEnd)),
            std::make_unique<PosixPipeWriter>(std::move(writeEnd))};
}

int PipeFd(const PipeReader& reader) {
    const auto* own = dynamic_cast<const PosixPipeReader*>(&reader);
    if (own == nullptr) throw std::invalid_argument("pipe end of another backend");
    return own->PollFd();
}

int PipeFd(const PipeWriter& writer) {
    const auto* own = dynamic_cast<const PosixPipeWriter*>(&writer);
    if (own == nullptr) throw std::invalid_argument("pipe end of another backend");
    return own->Fd();
}

}  // namespace dravemo
