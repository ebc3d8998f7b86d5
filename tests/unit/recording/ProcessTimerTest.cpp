// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <thread>

#include "platform/linux/PosixConsoleProcesses.h"
#include "recording/ConsoleErrors.h"
#include "recording/ProcessTimer.h"
#include "recording/ProcessTimerRegistry.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestApplication.h"

namespace dravemo {
namespace {

class ProcessTimerTest : public ::testing::Test {
protected:
    void SetUp() override { test::TestApplication(); }
    PosixConsoleProcesses processes;
    TProcessTimerRegistry& registry = TProcessTimerRegistry::Instance();
};

TEST_F(ProcessTimerTest, EnablingTwiceRegistersOnceAndEndingUnregisters) {
    TProcessTimer timer(processes);
    timer.SetEnabled(true);
    timer.SetEnabled(true);
    EXPECT_EQ(registry.Count(), 1u);
    timer.Ending();
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(registry.Count(), 0u);
}

TEST_F(ProcessTimerTest, TicksCountSecondsAndWakeTheWorker) {
    TProcessTimer timer(processes);
    timer.Beginning();
    ASSERT_TRUE(test::WaitUntil([&] {
        QCoreApplication::processEvents();
        return timer.SinceBeginning() >= 2;
    }));
    EXPECT_GE(timer.SinceLastOutput(), 2);
    timer.NewOutput();
    EXPECT_EQ(timer.SinceLastOutput(), 0);
    Waitable* const event[] = {&timer.Event()};
    EXPECT_EQ(processes.WaitAny(event, std::chrono::milliseconds(0)), 0);
    timer.Beginning();  // a new run starts from zero again
    EXPECT_EQ(timer.SinceBeginning(), 0);
    timer.Ending();
}

TEST_F(ProcessTimerTest, ThreadWithoutEventLoopCannotStartIt) {
    TProcessTimer timer(processes);
    std::string message;
    std::thread([&] {
        try {
            timer.SetEnabled(true);
        } catch (const EProcessTimer& e) {
            message = e.what();
        }
    }).join();
    EXPECT_EQ(message, "could not start timer");
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(registry.Count(), 0u);
}

}  // namespace
}  // namespace dravemo
