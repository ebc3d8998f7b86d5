// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/ConsoleThread.h"

#include <QDebug>
#include <chrono>
#include <system_error>

#include "recording/ConsoleErrors.h"
#include "recording/ConsoleRunner.h"
#include "recording/ProcessTimer.h"
#include "recording/ReadPipe.h"

namespace dravemo {
namespace {

// Waiting for a killed child before its handles go.
constexpr std::chrono::milliseconds kKillWait{1000};

// The reason an operation of the port failed, as the error messages show it.
QString ReasonOf(const std::exception& error) {
    if (const auto* system = dynamic_cast<const std::system_error*>(&error))
        return QString::fromStdString(system->code().message());
    return QString::fromUtf8(error.what());
}

}  // namespace

TConsoleThread::TConsoleThread(TConsoleRunner& owner, ConsoleProcesses& processes,
                               TProcessTimer& timer, TConsoleThreadSettings settings)
    : FOwner(owner),
      FProcesses(processes),
      FTimer(timer),
      FSettings(std::move(settings)),
      FInputLines(processes),
      FTerminateEvent(processes.CreateEvent(true)) {
    FOwner.SetEndStatus(esStill_Active);
    FThread.reset(QThread::create([this] { Execute(); }));
    FThread->setObjectName(QStringLiteral("TConsoleThread"));
    FThread->start();
}

TConsoleThread::~TConsoleThread() { Wait(); }

void TConsoleThread::Terminate() {
    FTerminated = true;
    FTerminateEvent->Set();
}

void TConsoleThread::Wait() { FThread->wait(); }

void TConsoleThread::Execute() {
    std::exception_ptr error;
    bool loopEnded = false;
    try {
        Run();
        loopEnded = true;
    } catch (const std::exception& e) {
        qDebug().noquote() << QStringLiteral("EXCEPTION: TConsoleThread ") +
                                  QString::fromUtf8(e.what());
        error = std::current_exception();
    }
    if (error) {
        FOwner.SetEndStatus(esError);
        // A child still running would go on with no one reading its output: end it too.
        if (FChild && !FChild->ExitCode()) {
            FCanTerminate = true;
            FChild->Terminate(0);
        }
    }
    try {
        Cleanup(loopEnded);
    } catch (const std::exception& e) {
        qDebug().noquote() << QStringLiteral("EXCEPTION: TConsoleThread ") +
                                  QString::fromUtf8(e.what());
        if (!error) {
            error = std::current_exception();
            FOwner.SetEndStatus(esError);
        }
    }
    TConsoleRunner& owner = FOwner;
    owner.Post([&owner, error] { owner.EndHandling(error); });
}

void TConsoleThread::Run() {
    Pipe output;
    Pipe input;
    try {
        output = FProcesses.CreatePipe();
        input = FProcesses.CreatePipe();
    } catch (const std::exception& e) {
        throw ECreatePipeError(
            QStringLiteral("Error creating Pipe: %1").arg(ReasonOf(e)).toStdString());
    }
    ConsoleLaunch launch;
    launch.CommandLine = FSettings.CommandLine;
    launch.CurrentDir = FSettings.CurrentDir;
    launch.Environment = FSettings.Environment;
    launch.Priority = FSettings.Priority;
    launch.Input = input.Reader.get();
    launch.Output = output.Writer.get();
    for (const auto& extra : FSettings.ChildInputs) launch.ExtraInputs.push_back(extra.get());
    try {
        FChild = FProcesses.Start(launch);
    } catch (const std::exception& e) {
        throw ECreateProcessError(QStringLiteral("Error creating Process: %1 - (%2)")
                                      .arg(FSettings.CommandLine, ReasonOf(e))
                                      .toStdString());
    }
    TConsoleRunner& owner = FOwner;
    owner.Post([&owner, pid = FChild->ProcessId()] { owner.FProcessId = pid; });
    // The child holds the only copies of its ends now.
    output.Writer.reset();
    input.Reader.reset();
    FSettings.ChildInputs.clear();
    FWriteStdin = std::move(input.Writer);
    FReader = std::make_unique<TReadPipe>(
        FProcesses, std::move(output.Reader),
        [&owner](const QByteArray& bytes) { return owner.DecodeOutput(bytes); });
    FSplitter.Clear();
    ReadExitCode();

    Waitable* const objects[] = {&FReader->Event(), &FInputLines.Event(), FChild.get(),
                                 FTerminateEvent.get(), &FTimer.Event()};
    while (true) {
        switch (FProcesses.WaitAny(objects)) {
            case 0:
                while (FReader->SyncString().Length() > 0) SplitOutput();
                break;
            case 1:
                if (FInputLines.Count() > 0 && !FTerminated) {
                    SendInput();
                    if (FInputLines.Count() > 0) FInputLines.Event().Set();
                }
                break;
            case 2:
                ReadExitCode();
                break;
            default:
                break;
        }
        if (FSettings.Limits.LeaveLoop(FTerminated, FExitCode, FTimer.SinceBeginning(),
                                       FTimer.SinceLastOutput()))
            break;
    }
    FOwner.SetEndStatus(EndStatusAfterLoop(FTerminated, FExitCode));
    if (FExitCode == kStillActive)
        DoTerminateProcess();
    else
        FCanTerminate = false;
}

void TConsoleThread::Cleanup(bool deliverRest) {
    if (FChild) {
        if (FCanTerminate) {
            Waitable* const child[] = {FChild.get()};
            FProcesses.WaitAny(child, kKillWait);
        }
        ReadExitCode();
    }
    if (FReader) {
        FReader->Terminate();
        if (deliverRest) {
            // What the child wrote last is still to be cut into lines, then its unfinished
            // line ends the output.
            while (FReader->SyncString().Length() > 0) SplitOutput();
            FSplitter.Finish(*this);
        }
        FReader.reset();
    }
    FWriteStdin.reset();
    FChild.reset();
}

void TConsoleThread::SplitOutput() {
    TSyncString& buffer = FReader->SyncString();
    const QString text = buffer.Value();
    buffer.Delete(0, text.size());
    FSplitter.Feed(text, *this);
}

void TConsoleThread::SendInput() {
    const QString queued = FInputLines.Strings(0);
    QString text = queued.mid(1);
    if (queued.startsWith(u'_')) text += QStringLiteral("\r\n");
    if (!text.isEmpty()) {
        const QByteArray bytes = FOwner.EncodeInput(text);
        bool written = true;
        try {
            written = FWriteStdin->Write(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                         static_cast<size_t>(bytes.size()));
        } catch (const std::system_error&) {
            written = false;
        }
        if (!written) AssertionFailure();
        if (FSettings.InputToOutput) FSplitter.Echo(text, *this);
    }
    FInputLines.Delete(0);
}

void TConsoleThread::DoTerminateProcess() {
    FCanTerminate = true;
    if (FSettings.OnTerminateProcess) {
        TConsoleRunner& owner = FOwner;
        owner.Post([&owner, event = FSettings.OnTerminateProcess] {
            bool canTerminate = true;
            event(owner, canTerminate);
        });
    }
    FChild->Terminate(0);
}

void TConsoleThread::ReadExitCode() { FExitCode = FChild->ExitCode().value_or(kStillActive); }

void TConsoleThread::NewChar(QChar c) {
    if (!FSettings.OnNewChar) return;
    TConsoleRunner& owner = FOwner;
    owner.Post([&owner, event = FSettings.OnNewChar, c] { event(owner, c); });
}

void TConsoleThread::NewLine(const QString& line, TOutputType type) {
    if (type == otEntireLine) FTimer.NewOutput();
    TConsoleRunner& owner = FOwner;
    owner.Post([&owner, event = FSettings.OnNewLine, line, type] {
        if (type == otEntireLine) owner.AddLine(line);
        if (event) event(owner, line, type);
    });
}

}  // namespace dravemo
