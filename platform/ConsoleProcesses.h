// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace dravemo {

// Something a thread can wait for together with others (ConsoleProcesses::WaitAny).
class Waitable {
public:
    virtual ~Waitable() = default;
};

// A wake-up flag between threads. An auto-reset event is cleared by the wait that returns it;
// a manual-reset event stays set once set.
class WakeEvent : public Waitable {
public:
    virtual void Set() = 0;
};

// The reading end of a pipe, closed when dropped. As a Waitable it is signalled while data,
// or the end of the pipe, is waiting.
class PipeReader : public Waitable {
public:
    // Blocks until data arrives and reads at most `size` bytes; returns the number read, 0 once
    // every writer has gone. Throws std::system_error on any other failure.
    virtual size_t Read(uint8_t* buffer, size_t size) = 0;
    // How many bytes can be read now without blocking.
    virtual size_t Available() const = 0;
};

// The writing end of a pipe, closed when dropped.
class PipeWriter {
public:
    virtual ~PipeWriter() = default;
    // Writes every byte, blocking while the pipe is full. Returns false when no reader is left
    // (the process is never signalled for it); throws std::system_error on any other failure.
    virtual bool Write(const uint8_t* data, size_t size) = 0;
};

// Both ends of a new pipe. Neither end is inherited by a child unless handed to Start.
struct Pipe {
    std::unique_ptr<PipeReader> Reader;
    std::unique_ptr<PipeWriter> Writer;
};

// What a console child is started with. The pipe ends stay owned by the caller.
struct ConsoleLaunch {
    // One command-line text: the program (looked up on PATH when it names no folder) and its
    // arguments, quoted with double quotes where they hold spaces.
    QString CommandLine;
    // The child's working folder; empty keeps the caller's.
    QString CurrentDir;
    // Entries NAME=VALUE added after the caller's own environment; empty passes it unchanged.
    QStringList Environment;
    // Priority class flags: 0x40 idle, 0x4000 below normal; others run at normal priority.
    uint32_t Priority = 0x20;
    PipeReader* Input = nullptr;           // the child's standard input
    PipeWriter* Output = nullptr;          // its standard output and standard error
    std::vector<PipeReader*> ExtraInputs;  // further inputs, seen by the child as fd 3, 4, ...
};

// A started child process, in a process group of its own. As a Waitable it is signalled once
// the child has ended.
class ConsoleChild : public Waitable {
public:
    virtual int64_t ProcessId() const = 0;
    // The exit code once the child has ended (128 + signal number for a death by a signal);
    // nullopt while it runs.
    virtual std::optional<uint32_t> ExitCode() = 0;
    // Kills the child's whole process group at once; a child that ends through this reports
    // `exitCode`. Does nothing once the child has ended.
    virtual void Terminate(uint32_t exitCode) = 0;
};

// Child processes, pipes and the waiting between the threads that serve them.
class ConsoleProcesses {
public:
    virtual ~ConsoleProcesses() = default;
    // Throws std::system_error when the system has no event left.
    virtual std::unique_ptr<WakeEvent> CreateEvent(bool manualReset) = 0;
    // A pipe whose buffer is raised to `bufferSize` bytes where the system allows (0 keeps the
    // default). Throws std::system_error when the pipe cannot be made.
    virtual Pipe CreatePipe(size_t bufferSize = 0) = 0;
    // Starts the child. Throws std::system_error with the reason when the program cannot be
    // started (not found, not executable, bad folder); std::invalid_argument for an empty
    // command line or missing standard pipes.
    virtual std::unique_ptr<ConsoleChild> Start(const ConsoleLaunch& launch) = 0;
    // Blocks until one of `objects` is signalled and returns the lowest signalled index (an
    // auto-reset event returned is cleared); -1 when `timeout` passes first.
    virtual int WaitAny(std::span<Waitable* const> objects,
                        std::optional<std::chrono::milliseconds> timeout = std::nullopt) = 0;
    // Console text in the system's character set. Invalid bytes decode to U+FFFD; characters
    // the set cannot hold encode to '?'.
    virtual QString DecodeText(const QByteArray& bytes) = 0;
    virtual QByteArray EncodeText(const QString& text) = 0;
};

}  // namespace dravemo
