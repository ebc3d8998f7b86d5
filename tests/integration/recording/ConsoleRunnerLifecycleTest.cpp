// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <signal.h>

#include "recording/ConsoleErrors.h"
#include "recording/ProcessTimerRegistry.h"
#include "tests/integration/recording/RunnerFixture.h"

namespace dravemo::test {
namespace {

using ConsoleRunnerLifecycle = RunnerFixture;

// Serves the event loop until the child of `runner` has been started.
bool WaitForChild(TConsoleRunner& runner) {
    return WaitUntil([&] {
        QCoreApplication::processEvents();
        return runner.ProcessId() != 0;
    });
}

TEST_F(ConsoleRunnerLifecycle, StopKillsARunningChildWithExitCodeZero) {
    bool toldBeforeKill = false;
    Runner->OnTerminateProcess = [&](TConsoleRunner&, bool&) {
        toldBeforeKill = Log.empty() || Log.back().Line != "<terminated>";
    };
    Runner->SetCommandLine(ChildCommand({"print", R"(started\n)", "sleep", "60"}));
    Runner->Execute();
    EXPECT_TRUE(Runner->IsRunning());
    EXPECT_EQ(Runner->EndStatus(), esStill_Active);
    ASSERT_TRUE(WaitUntil([&] {
        QCoreApplication::processEvents();
        return !Log.empty();
    }));
    const auto pid = static_cast<pid_t>(Runner->ProcessId());
    Runner->Stop();
    ASSERT_TRUE(WaitForEnd(*Runner));
    EXPECT_EQ(Runner->EndStatus(), esStop);
    EXPECT_EQ(Runner->ExitCode(), 0u);
    EXPECT_TRUE(toldBeforeKill);
    EXPECT_EQ(Log.back().Line, "<terminated>");
    EXPECT_NE(::kill(pid, 0), 0) << "the child is still there";
}

TEST_F(ConsoleRunnerLifecycle, SilentChildIsKilledAfterItsSilenceLimit) {
    Runner->SetMaxTimeAfterLastOutput(1);
    RunChild({"sleep", "60"});
    EXPECT_EQ(Runner->EndStatus(), esTime);
    EXPECT_EQ(Runner->ExitCode(), 0u);
    EXPECT_EQ(Log.back().Line, "<terminated>");
}

TEST_F(ConsoleRunnerLifecycle, EachCompleteLineRestartsTheSilenceLimit) {
    // Lines every 400 ms for about 3 s: never 2 s of silence, so the child ends by itself.
    QStringList arguments;
    for (int i = 0; i < 8; ++i)
        arguments << "print"
                  << R"(line\n)"
                  << "pause"
                  << "400";
    Runner->SetMaxTimeAfterLastOutput(1);
    RunChild(arguments);
    EXPECT_EQ(Runner->EndStatus(), esProcess);
    EXPECT_EQ(EntireLines().size(), 8);
}

TEST_F(ConsoleRunnerLifecycle, TalkativeChildIsKilledAfterItsRunTimeLimit) {
    Runner->SetMaxTimeAfterBeginning(1);
    Runner->SetMaxTimeAfterLastOutput(1);
    RunChild({"ticker", "100"});
    EXPECT_EQ(Runner->EndStatus(), esTime);
    EXPECT_FALSE(EntireLines().isEmpty());
}

TEST_F(ConsoleRunnerLifecycle, MissingProgramIsReportedThenTerminated) {
    size_t boxesAtEnd = 99;
    Runner->OnTerminated = [&](TConsoleRunner&) { boxesAtEnd = Boxes.Boxes.size(); };
    Runner->SetCommandLine(R"("/nonexistent/encoder" -i x)");
    Runner->Execute();
    ASSERT_TRUE(WaitForEnd(*Runner));
    EXPECT_EQ(Runner->EndStatus(), esError);
    EXPECT_EQ(boxesAtEnd, 1u);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text,
              "ECreateProcessError\r\nError creating Process: \"/nonexistent/encoder\" -i x - "
              "(No such file or directory)");
    EXPECT_EQ(Boxes.Boxes[0].Flags, mb::ICONERROR);
    EXPECT_FALSE(Boxes.Boxes[0].Title.isEmpty());
    EXPECT_FALSE(Boxes.Boxes[0].Title.contains(u'/'));
}

TEST_F(ConsoleRunnerLifecycle, ErrorHandlerCanTakeTheReportOver) {
    QString seen;
    Runner->OnExecuteError = [&](TConsoleRunner&, const std::exception& e, bool& handled) {
        seen = ErrorClassName(e);
        handled = true;
    };
    Runner->SetCommandLine("nonexistent-program-of-dravemo");
    Runner->Execute();
    ASSERT_TRUE(WaitForEnd(*Runner));
    EXPECT_EQ(seen, "ECreateProcessError");
    EXPECT_TRUE(Boxes.Boxes.empty());
    EXPECT_EQ(Log.back().Line, "<terminated>");
}

TEST_F(ConsoleRunnerLifecycle, MisuseIsRefusedWithItsMessage) {
    auto message = [](auto action) {
        try {
            action();
        } catch (const EConsoleRunner& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { Runner->Execute(); }), "No Commandline to execute");
    EXPECT_EQ(message([&] { Runner->SendLine("q", false); }), "ConsoleRunner not running");
    Runner->SetCommandLine(ChildCommand({"sleep", "60"}));
    Runner->Execute();
    EXPECT_EQ(message([&] { Runner->Execute(); }), "ConsoleRunner still running");
    EXPECT_EQ(message([&] { Runner->SetOnCharDecoding({}); }), "ConsoleRunner still running");
    EXPECT_EQ(message([&] { Runner->SetOnCharEncoding({}); }), "ConsoleRunner still running");
    Runner->Stop();
    ASSERT_TRUE(WaitForEnd(*Runner));
    EXPECT_EQ(Runner->EndStatus(), esStop);
}

TEST_F(ConsoleRunnerLifecycle, TwoRunnersTickEachOnTheirOwn) {
    std::vector<Notified> otherLog;
    auto other = MakeRunner(otherLog);
    Runner->SetMaxTimeAfterLastOutput(1);
    other->SetMaxTimeAfterLastOutput(2);
    Runner->SetCommandLine(ChildCommand({"sleep", "60"}));
    other->SetCommandLine(ChildCommand({"sleep", "60"}));
    Runner->Execute();
    other->Execute();
    EXPECT_EQ(TProcessTimerRegistry::Instance().Count(), 2u);
    ASSERT_TRUE(WaitForEnd(*Runner));
    ASSERT_TRUE(WaitForEnd(*other));
    EXPECT_EQ(Runner->EndStatus(), esTime);
    EXPECT_EQ(other->EndStatus(), esTime);
    EXPECT_EQ(TProcessTimerRegistry::Instance().Count(), 0u);
}

TEST_F(ConsoleRunnerLifecycle, DestroyingARunningRunnerEndsItsChildAndTimer) {
    Runner->SetCommandLine(ChildCommand({"sleep", "60"}));
    Runner->Execute();
    ASSERT_TRUE(WaitForChild(*Runner));
    const auto pid = static_cast<pid_t>(Runner->ProcessId());
    Runner.reset();
    QCoreApplication::processEvents();
    EXPECT_NE(::kill(pid, 0), 0) << "the child is still there";
    EXPECT_EQ(TProcessTimerRegistry::Instance().Count(), 0u);
    EXPECT_EQ(Log, std::vector<Notified>{});
}

}  // namespace
}  // namespace dravemo::test
