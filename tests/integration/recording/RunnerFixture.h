// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>
#include <chrono>
#include <memory>
#include <vector>

#include "platform/fake/FakeMessageBoxes.h"
#include "platform/linux/PosixConsoleProcesses.h"
#include "recording/ConsoleRunner.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestApplication.h"

namespace dravemo::test {

// One notification as the owner saw it, in order.
struct Notified {
    QString Line;  // "<terminated>" for OnTerminated
    TOutputType Type = otEntireLine;
    bool operator==(const Notified&) const = default;
};
inline void PrintTo(const Notified& n, std::ostream* os) {
    *os << '"' << n.Line.toStdString() << "\" "
        << (n.Type == otEntireLine ? "entire" : "beginning");
}

// The command line that runs the test's console program with `arguments`, quoted as the
// recorder quotes its encoder.
inline QString ChildCommand(const QStringList& arguments) {
    QString line = QStringLiteral("\"%1\"").arg(QStringLiteral(DRAVEMO_CONSOLE_CHILD));
    for (const QString& argument : arguments) line += QStringLiteral(" \"%1\"").arg(argument);
    return line;
}

// A runner on real child processes, with its notifications recorded.
class RunnerFixture : public ::testing::Test {
protected:
    void SetUp() override { TestApplication(); }

    std::unique_ptr<TConsoleRunner> MakeRunner(std::vector<Notified>& log) {
        auto runner = std::make_unique<TConsoleRunner>(Processes, Boxes);
        runner->OnNewLine = [&log](TConsoleRunner&, const QString& line, TOutputType type) {
            log.push_back({line, type});
        };
        runner->OnTerminated = [&log](TConsoleRunner&) { log.push_back({"<terminated>"}); };
        return runner;
    }

    // Serves the event loop until the run has ended; false when it did not end in time.
    static bool WaitForEnd(TConsoleRunner& runner,
                           std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
        return WaitUntil(
            [&] {
                QCoreApplication::processEvents();
                return !runner.IsRunning();
            },
            timeout);
    }

    // Runs the console program with `arguments` to its end.
    void RunChild(const QStringList& arguments) {
        Runner->SetCommandLine(ChildCommand(arguments));
        Runner->Execute();
        ASSERT_TRUE(WaitForEnd(*Runner));
    }

    // The entire lines among the notifications.
    QStringList EntireLines() const {
        QStringList lines;
        for (const Notified& n : Log)
            if (n.Type == otEntireLine && n.Line != "<terminated>") lines.push_back(n.Line);
        return lines;
    }

    PosixConsoleProcesses Processes;
    FakeMessageBoxes Boxes;
    std::vector<Notified> Log;
    std::unique_ptr<TConsoleRunner> Runner = MakeRunner(Log);
};

}  // namespace dravemo::test
