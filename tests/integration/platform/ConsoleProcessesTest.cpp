// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <chrono>

#include "platform/linux/PosixConsoleProcesses.h"

namespace dravemo {
namespace {

using std::chrono::milliseconds;

TEST(ConsoleProcesses, WaitServesTheLowestSignalledIndexAndResetsOnlyThatOne) {
    PosixConsoleProcesses processes;
    auto autoReset = processes.CreateEvent(false);
    auto manualReset = processes.CreateEvent(true);
    auto idle = processes.CreateEvent(false);
    Waitable* const objects[] = {idle.get(), manualReset.get(), autoReset.get()};
    EXPECT_EQ(processes.WaitAny(objects, milliseconds(0)), -1);
    autoReset->Set();
    manualReset->Set();
    EXPECT_EQ(processes.WaitAny(objects, milliseconds(0)), 1);
    EXPECT_EQ(processes.WaitAny(objects, milliseconds(0)), 1) << "manual reset stays set";
    Waitable* const onlyAuto[] = {autoReset.get()};
    EXPECT_EQ(processes.WaitAny(onlyAuto, milliseconds(0)), 0);
    EXPECT_EQ(processes.WaitAny(onlyAuto, milliseconds(0)), -1) << "auto reset is cleared";
}

TEST(ConsoleProcesses, WriteToAPipeWithoutReaderFailsWithoutASignal) {
    PosixConsoleProcesses processes;
    Pipe pipe = processes.CreatePipe();
    pipe.Reader.reset();
    const uint8_t byte = 'q';
    EXPECT_FALSE(pipe.Writer->Write(&byte, 1));  // SIGPIPE would end this test program
}

TEST(ConsoleProcesses, PipeSignalsDataAndCountsIt) {
    PosixConsoleProcesses processes;
    Pipe pipe = processes.CreatePipe(1 << 20);
    Waitable* const reader[] = {pipe.Reader.get()};
    EXPECT_EQ(processes.WaitAny(reader, milliseconds(0)), -1);
    const uint8_t bytes[] = {1, 2, 3};
    ASSERT_TRUE(pipe.Writer->Write(bytes, sizeof bytes));
    EXPECT_EQ(processes.WaitAny(reader, milliseconds(0)), 0);
    EXPECT_EQ(pipe.Reader->Available(), 3u);
    uint8_t got[8] = {};
    EXPECT_EQ(pipe.Reader->Read(got, sizeof got), 3u);
    pipe.Writer.reset();
    EXPECT_EQ(pipe.Reader->Read(got, sizeof got), 0u) << "no writer left: the end";
}

}  // namespace
}  // namespace dravemo
