// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "tests/integration/recording/RunnerFixture.h"

namespace dravemo::test {
namespace {

using ConsoleRunnerOutput = RunnerFixture;

TEST_F(ConsoleRunnerOutput, LinesOfEveryEndingArriveInOrderBeforeTheEnd) {
    RunChild({"print", R"(a\r\nb\r\n)", "pause", "50", "print", R"(50%\r51%\r)", "stderr",
              R"(from stderr\n)", "pause", "50", "print", R"(c\n\rd\n)", "exit", "3"});
    EXPECT_EQ(EntireLines(), (QStringList{"a", "b", "50%", "51%", "from stderr", "c", "", "d"}));
    EXPECT_EQ(Runner->Lines(), EntireLines());
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.back().Line, "<terminated>");
    EXPECT_EQ(Runner->EndStatus(), esProcess);
    EXPECT_EQ(Runner->ExitCode(), 3u);
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(ConsoleRunnerOutput, UnfinishedLastLineIsReportedAsBeginningThenEntire) {
    // The child ends at once after writing: its last words may still sit in the pipe when the
    // worker sees the end, and must not be lost.
    RunChild({"print", R"(first\nxyz)"});
    ASSERT_GE(Log.size(), 3u);
    const std::vector<Notified> tail(Log.end() - 3, Log.end());
    EXPECT_EQ(tail, (std::vector<Notified>{
                        {"xyz", otBeginningOfLine}, {"xyz", otEntireLine}, {"<terminated>"}}));
    EXPECT_EQ(Runner->Lines(), (QStringList{"first", "xyz"}));
}

TEST_F(ConsoleRunnerOutput, NulGoesToNewCharButNeverIntoALine) {
    QString chars;
    Runner->OnNewChar = [&chars](TConsoleRunner&, QChar c) { chars.append(c); };
    RunChild({"print", R"(a\0b\n)"});
    EXPECT_EQ(EntireLines(), QStringList{"ab"});
    EXPECT_EQ(chars, QString("a") + QChar(u'\0') + "b\n");
}

TEST_F(ConsoleRunnerOutput, OutputLinesListReceivesTheSameLines) {
    QStringList mine{"kept"};
    Runner->SetOutputLines(&mine);
    RunChild({"print", R"(one\ntwo\n)"});
    EXPECT_EQ(mine, (QStringList{"kept", "one", "two"}));
}

TEST_F(ConsoleRunnerOutput, SignalDeathGives128PlusTheSignal) {
    RunChild({"kill", "15"});
    EXPECT_EQ(Runner->EndStatus(), esProcess);
    EXPECT_EQ(Runner->ExitCode(), 143u);
}

TEST_F(ConsoleRunnerOutput, RunsAgainAfterTheEndAndClearsLines) {
    RunChild({"print", R"(one\n)"});
    Log.clear();
    RunChild({"print", R"(two\n)", "exit", "1"});
    EXPECT_EQ(Runner->Lines(), QStringList{"two"});
    EXPECT_EQ(Runner->ExitCode(), 1u);
    EXPECT_GT(Runner->ProcessId(), 0);
}

}  // namespace
}  // namespace dravemo::test
