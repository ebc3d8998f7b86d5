// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <exception>
#include <memory>
#include <vector>

#include "platform/ConsoleProcesses.h"
#include "recording/ConsoleTypes.h"
#include "recording/EndRule.h"
#include "recording/InputLines.h"
#include "recording/LineSplitter.h"

namespace dravemo {

class TProcessTimer;
class TReadPipe;

// What a run is started with: copies of the runner's settings and events at Execute.
struct TConsoleThreadSettings {
    QString CommandLine;
    QString CurrentDir;
    QStringList Environment;
    bool InputToOutput = false;
    TEndRule Limits;
    uint32_t Priority = 0x20;
    TNewCharEvent OnNewChar;
    TNewLineEvent OnNewLine;
    TTerminateProcessEvent OnTerminateProcess;
    // Pipe ends the child gets as fd 3, 4, ...; closed here once the child has them.
    std::vector<std::unique_ptr<PipeReader>> ChildInputs;
};

// The worker of one run, on a thread of its own ("TConsoleThread"): makes the pipes and the
// child, waits for output, input, the child's end, a stop and the tick, cuts output into
// lines, writes input, decides the end and kills the child when needed. Everything for the
// owner is posted to the owner's thread, the end handling last.
class TConsoleThread : private TLineSink {
public:
    // Sets the owner's end status to esStill_Active and starts at once. Throws
    // std::system_error when its events cannot be made.
    TConsoleThread(TConsoleRunner& owner, ConsoleProcesses& processes, TProcessTimer& timer,
                   TConsoleThreadSettings settings);
    // Waits for the thread to end.
    ~TConsoleThread() override;
    TConsoleThread(const TConsoleThread&) = delete;
    TConsoleThread& operator=(const TConsoleThread&) = delete;

    // Asks the run to end: sets the terminated flag and the terminate event.
    void Terminate();
    TInputLines& InputLines() { return FInputLines; }
    // The child's exit code as last read (kStillActive while it runs).
    uint32_t ExitCode() const { return FExitCode; }
    // Returns once the thread has ended.
    void Wait();

private:
    void Execute();
    // Set-up and main loop; throws on any failure.
    void Run();
    // Closes everything, waits for a killed child, delivers what the reader still had.
    void Cleanup(bool deliverRest);
    // One pass of the output splitting over the reader's buffer.
    void SplitOutput();
    // Writes the first queued line to the child.
    void SendInput();
    // Kills the child, telling the owner first.
    void DoTerminateProcess();
    void ReadExitCode();
    void NewChar(QChar c) override;
    void NewLine(const QString& line, TOutputType type) override;
    bool Terminated() const override { return FTerminated; }

    TConsoleRunner& FOwner;
    ConsoleProcesses& FProcesses;
    TProcessTimer& FTimer;
    TConsoleThreadSettings FSettings;
    TInputLines FInputLines;
    std::unique_ptr<WakeEvent> FTerminateEvent;
    std::atomic<bool> FTerminated{false};
    std::atomic<uint32_t> FExitCode{0};
    bool FCanTerminate = false;
    TLineSplitter FSplitter;
    std::unique_ptr<ConsoleChild> FChild;
    std::unique_ptr<PipeWriter> FWriteStdin;
    std::unique_ptr<TReadPipe> FReader;
    std::unique_ptr<QThread> FThread;
};

}  // namespace dravemo
