// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ConsoleProcesses.h"
#include "platform/MessageBoxes.h"
#include "recording/ConsoleTypes.h"

namespace dravemo {

class TConsoleThread;
class TProcessTimer;

// Runs one console program as a child with its output and error read into the program and its
// input fed from it, without blocking the thread that owns the runner. Output arrives cut into
// lines through OnNewLine, queued lines go to the child's input, and OnTerminated tells the
// end of each run; every notification runs on the owner's thread, in order, before the end.
class TConsoleRunner : public QObject {
public:
    TConsoleRunner(ConsoleProcesses& processes, MessageBoxes& boxes, QObject* owner = nullptr);
    // Stops a run still in progress and waits for its worker; its notifications are dropped.
    ~TConsoleRunner() override;

    const QString& CommandLine() const { return FCommandLine; }
    void SetCommandLine(const QString& value) { FCommandLine = value; }
    const QString& CurrentDir() const { return FCurrentDir; }
    void SetCurrentDir(const QString& value) { FCurrentDir = value; }
    // Extra NAME=VALUE entries added to the child's environment.
    QStringList& Environment() { return FEnvironment; }
    bool InputToOutput() const { return FInputToOutput; }
    void SetInputToOutput(bool value) { FInputToOutput = value; }
    // Seconds; 0 or less: no limit.
    int32_t MaxTimeAfterBeginning() const { return FMaxTimeAfterBeginning; }
    void SetMaxTimeAfterBeginning(int32_t value) { FMaxTimeAfterBeginning = value; }
    int32_t MaxTimeAfterLastOutput() const { return FMaxTimeAfterLastOutput; }
    void SetMaxTimeAfterLastOutput(int32_t value) { FMaxTimeAfterLastOutput = value; }
    uint32_t Priority() const { return FPriority; }
    void SetPriority(uint32_t value) { FPriority = value; }
    // The complete lines of the current or last run.
    const QStringList& Lines() const { return FLines; }
    // A list of the caller's that also receives every complete line (not owned).
    QStringList* OutputLines() const { return FOutputLines; }
    void SetOutputLines(QStringList* lines) { FOutputLines = lines; }
    // Pipe ends that the child of the next run gets as fd 3, 4, ...; the runner closes its
    // copies once the child has been started (or has failed to start).
    void SetChildInputs(std::vector<std::unique_ptr<PipeReader>> inputs);

    TNewLineEvent OnNewLine;
    TNewCharEvent OnNewChar;
    TNotifyEvent OnTerminated;
    TTerminateProcessEvent OnTerminateProcess;
    TErrorEvent OnExecuteError;
    const TCharDecoding& OnCharDecoding() const { return FOnCharDecoding; }
    const TCharEncoding& OnCharEncoding() const { return FOnCharEncoding; }
    // Throw EConsoleRunner "ConsoleRunner still running" during a run.
    void SetOnCharDecoding(TCharDecoding decoding);
    void SetOnCharEncoding(TCharEncoding encoding);

    // Starts a run and returns at once. Throws EConsoleRunner while running or without a
    // command line, EProcessTimer when the tick cannot start on this thread.
    void Execute();
    // Queues `value` for the child's input, with CR LF after it when `eol`. Throws
    // EConsoleRunner "ConsoleRunner not running" when idle.
    void SendLine(const QString& value, bool eol);
    // Asks a run in progress to end; returns at once.
    void Stop();
    bool IsRunning() const;
    TEndStatus EndStatus() const { return static_cast<TEndStatus>(FEndStatus.load()); }
    uint32_t ExitCode() const { return FExitCode; }
    // The child's process number once it has been started; 0 before.
    int64_t ProcessId() const { return FProcessId; }

    // The child's output bytes as text: OnCharDecoding, else the system's character set.
    // Called on the reader's thread.
    virtual QString DecodeOutput(const QByteArray& bytes);
    // Text for the child's input as bytes: OnCharEncoding, else the system's character set.
    // Called on the worker's thread.
    virtual QByteArray EncodeInput(const QString& text);

private:
    friend class TConsoleThread;

    // Runs `notification` on the owner's thread after those posted before it.
    void Post(std::function<void()> notification);
    void SetEndStatus(TEndStatus status) { FEndStatus.exchange(status); }
    void AddLine(const QString& line);
    // The end of a run, after all its notifications.
    void EndHandling(std::exception_ptr error);
    void ReportError(const std::exception& error);
    // The default error report: a box with the error's class name and message.
    void ShowError(const std::exception& error);

    ConsoleProcesses& FProcesses;
    MessageBoxes& FBoxes;
    QString FCommandLine;
    QString FCurrentDir;
    QStringList FEnvironment;
    uint32_t FExitCode = 0;
    bool FInputToOutput = false;
    QStringList FLines;
    int32_t FMaxTimeAfterBeginning = 0;
    int32_t FMaxTimeAfterLastOutput = 0;
    TCharDecoding FOnCharDecoding;
    TCharEncoding FOnCharEncoding;
    QStringList* FOutputLines = nullptr;
    uint32_t FPriority = 0x20;
    std::vector<std::unique_ptr<PipeReader>> FChildInputs;
    mutable std::mutex FThreadLock;  // FThread, for SendLine from other threads
    std::unique_ptr<TConsoleThread> FThread;
    std::unique_ptr<TProcessTimer> FTimer;
    std::atomic<int> FEndStatus{esNone};
    int64_t FProcessId = 0;
};

}  // namespace dravemo
