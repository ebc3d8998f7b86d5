// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "platform/ConsoleProcesses.h"
#include "recording/SyncString.h"

namespace dravemo {

// The pipe reader of a console run: on a thread of its own ("TReadPipe") it reads the child's
// output in pieces of at most 1024 bytes, decodes each piece on its own, appends the text to
// its buffer and sets Event. Owned by the worker.
class TReadPipe {
public:
    using TDecoding = std::function<QString(const QByteArray&)>;

    // Starts reading at once. Throws std::system_error when its events cannot be made.
    TReadPipe(ConsoleProcesses& processes, std::unique_ptr<PipeReader> readEnd, TDecoding decoding);
    // Terminate.
    ~TReadPipe();
    TReadPipe(const TReadPipe&) = delete;
    TReadPipe& operator=(const TReadPipe&) = delete;

    // Ends the reader: it still takes in what the pipe holds at this moment, then stops.
    // Returns once the reader thread has ended.
    void Terminate();
    // Auto-reset; set whenever text has been appended.
    WakeEvent& Event() { return *FEvent; }
    TSyncString& SyncString() { return FSyncString; }

private:
    void Execute();
    // Reads at most `size` bytes into the buffer; returns how many, 0 at the end of the pipe.
    size_t ReadPiece(size_t size);

    ConsoleProcesses& FProcesses;
    std::unique_ptr<PipeReader> FReadStdout;
    TDecoding FOnCharDecoding;
    std::unique_ptr<WakeEvent> FEvent;
    std::unique_ptr<WakeEvent> FStop;
    TSyncString FSyncString;
    std::atomic<bool> FTerminated{false};
    std::unique_ptr<QThread> FThread;
};

}  // namespace dravemo
