// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/ConsoleRunner.h"

#include <QFileInfo>
#include <QMetaObject>

#include "platform/ProgramFiles.h"
#include "recording/ConsoleErrors.h"
#include "recording/ConsoleThread.h"
#include "recording/ProcessTimer.h"

namespace dravemo {

TConsoleRunner::TConsoleRunner(ConsoleProcesses& processes, MessageBoxes& boxes, QObject* owner)
    : QObject(owner), FProcesses(processes), FBoxes(boxes) {}

TConsoleRunner::~TConsoleRunner() {
    Stop();
    std::unique_ptr<TConsoleThread> thread;
    {
        const std::lock_guard lock(FThreadLock);
        thread = std::move(FThread);
    }
    // Waiting is bounded: a stopped worker kills its child and waits at most a second for it.
    thread.reset();
    if (FTimer) FTimer->Ending();
}

void TConsoleRunner::SetChildInputs(std::vector<std::unique_ptr<PipeReader>> inputs) {
    FChildInputs = std::move(inputs);
}

void TConsoleRunner::SetOnCharDecoding(TCharDecoding decoding) {
    if (IsRunning()) throw EConsoleRunner("ConsoleRunner still running");
    FOnCharDecoding = std::move(decoding);
}

void TConsoleRunner::SetOnCharEncoding(TCharEncoding encoding) {
    if (IsRunning()) throw EConsoleRunner("ConsoleRunner still running");
    FOnCharEncoding = std::move(encoding);
}

void TConsoleRunner::Execute() {
    if (IsRunning()) throw EConsoleRunner("ConsoleRunner still running");
    if (FCommandLine.isEmpty()) throw EConsoleRunner("No Commandline to execute");
    if (!FTimer) FTimer = std::make_unique<TProcessTimer>(FProcesses);
    FLines.clear();
    FTimer->Beginning();
    TConsoleThreadSettings settings;
    settings.CommandLine = FCommandLine;
    settings.CurrentDir = FCurrentDir;
    settings.Environment = FEnvironment;
    settings.InputToOutput = FInputToOutput;
    settings.Limits = {FMaxTimeAfterBeginning, FMaxTimeAfterLastOutput};
    settings.Priority = FPriority;
    settings.OnNewChar = OnNewChar;
    settings.OnNewLine = OnNewLine;
    settings.OnTerminateProcess = OnTerminateProcess;
    settings.ChildInputs = std::move(FChildInputs);
    FChildInputs.clear();
    try {
        auto thread =
            std::make_unique<TConsoleThread>(*this, FProcesses, *FTimer, std::move(settings));
        const std::lock_guard lock(FThreadLock);
        FThread = std::move(thread);
    } catch (...) {
        FTimer->Ending();
        throw;
    }
}

void TConsoleRunner::SendLine(const QString& value, bool eol) {
    const std::lock_guard lock(FThreadLock);
    if (!FThread) throw EConsoleRunner("ConsoleRunner not running");
    FThread->InputLines().Add((eol ? QStringLiteral("_") : QStringLiteral(" ")) + value);
}

void TConsoleRunner::Stop() {
    const std::lock_guard lock(FThreadLock);
    if (FThread) FThread->Terminate();
}

bool TConsoleRunner::IsRunning() const {
    const std::lock_guard lock(FThreadLock);
    return FThread != nullptr;
}

QString TConsoleRunner::DecodeOutput(const QByteArray& bytes) {
    if (FOnCharDecoding) return FOnCharDecoding(*this, bytes);
    if (bytes.isEmpty()) return {};
    return FProcesses.DecodeText(bytes);
}

QByteArray TConsoleRunner::EncodeInput(const QString& text) {
    if (FOnCharEncoding) return FOnCharEncoding(*this, text);
    if (text.isEmpty()) return {};
    return FProcesses.EncodeText(text);
}

void TConsoleRunner::Post(std::function<void()> notification) {
    QMetaObject::invokeMethod(
        this,
        [this, notification = std::move(notification)] {
            try {
                notification();
            } catch (const std::exception& e) {
                ShowError(e);
            }
        },
        Qt::QueuedConnection);
}

void TConsoleRunner::AddLine(const QString& line) {
    FLines.append(line);
    if (FOutputLines != nullptr) FOutputLines->append(line);
}

void TConsoleRunner::EndHandling(std::exception_ptr error) {
    std::unique_ptr<TConsoleThread> thread;
    {
        const std::lock_guard lock(FThreadLock);
        thread = std::move(FThread);
    }
    if (!thread) return;
    // The worker posted this as its last act; it has ended or is about to.
    thread->Wait();
    FExitCode = thread->ExitCode();
    FTimer->Ending();
    thread.reset();
    if (error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            ReportError(e);
        }
    }
    // Last, since the owner may free the runner in it.
    if (OnTerminated) {
        const TNotifyEvent terminated = OnTerminated;
        terminated(*this);
    }
}

void TConsoleRunner::ReportError(const std::exception& error) {
    bool handled = false;
    if (OnExecuteError) {
        try {
            OnExecuteError(*this, error, handled);
        } catch (const std::exception& inner) {
            ShowError(inner);
        }
    }
    if (!handled) ShowError(error);
}

void TConsoleRunner::ShowError(const std::exception& error) {
    FBoxes.Show(QFileInfo(ExecutablePath()).fileName(),
                ErrorClassName(error) + QStringLiteral("\r\n") + QString::fromUtf8(error.what()),
                mb::ICONERROR);
}

}  // namespace dravemo
