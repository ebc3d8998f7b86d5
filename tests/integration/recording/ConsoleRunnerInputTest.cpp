// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <unistd.h>

#include <future>

#include "tests/integration/recording/RunnerFixture.h"

namespace dravemo::test {
namespace {

using ConsoleRunnerInput = RunnerFixture;

struct SendCase {
    const char* Name;
    std::vector<std::pair<QString, bool>> Sent;
    QString Reported;  // what the child says it read
};

class ConsoleRunnerSendLine : public RunnerFixture,
                              public ::testing::WithParamInterface<SendCase> {};

TEST_P(ConsoleRunnerSendLine, WritesExactlyTheBytes) {
    Runner->SetCommandLine(ChildCommand({"stdin"}));
    Runner->Execute();
    for (const auto& [value, eol] : GetParam().Sent) Runner->SendLine(value, eol);
    ASSERT_TRUE(WaitForEnd(*Runner));
    EXPECT_EQ(EntireLines(), QStringList{GetParam().Reported});
    EXPECT_EQ(Runner->EndStatus(), esProcess);
}

INSTANTIATE_TEST_SUITE_P(
    ConsoleRunnerInput, ConsoleRunnerSendLine,
    ::testing::Values(
        SendCase{"QAloneIsOneByte", {{"q", false}}, "stdin 71 rest -"},
        SendCase{"EolAddsCrLf", {{"q", true}}, "stdin 71 rest 0d0a"},
        SendCase{"EmptyTextWritesNothing", {{"", false}, {"q", false}}, "stdin 71 rest -"},
        SendCase{"LinesGoInOrder", {{"ab", false}, {"q", false}}, "stdin 616271 rest -"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ConsoleRunnerInput, ChildReadsAnInheritedPipeAsFd3) {
    Pipe frames = Processes.CreatePipe(1 << 20);
    std::vector<std::unique_ptr<PipeReader>> inputs;
    inputs.push_back(std::move(frames.Reader));
    Runner->SetChildInputs(std::move(inputs));
    Runner->SetCommandLine(ChildCommand({"fd3"}));
    Runner->Execute();
    // More than any pipe buffer, so that the writer has to wait for the child.
    std::vector<uint8_t> data(3 * 1024 * 1024 + 17);
    uint32_t sum = 0;
    for (size_t i = 0; i < data.size(); ++i) sum += data[i] = static_cast<uint8_t>(i * 7);
    auto writer = std::async(std::launch::async, [&] {
        const bool written = frames.Writer->Write(data.data(), data.size());
        frames.Writer.reset();  // the child's end of input
        return written;
    });
    ASSERT_TRUE(WaitForEnd(*Runner));
    EXPECT_TRUE(writer.get());
    EXPECT_EQ(EntireLines(), QStringList{QStringLiteral("fd3 %1 %2").arg(data.size()).arg(sum)});
}

TEST_F(ConsoleRunnerInput, ChildGetsNoDescriptorButItsOwn) {
    // A descriptor of this process that is not close-on-exec must not reach the child either.
    const int leaky = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(leaky, 0);
    RunChild({"fds"});
    EXPECT_EQ(EntireLines(), QStringList{"fds 0 1 2"});

    Pipe extra = Processes.CreatePipe();
    std::vector<std::unique_ptr<PipeReader>> inputs;
    inputs.push_back(std::move(extra.Reader));
    Runner->SetChildInputs(std::move(inputs));
    Log.clear();
    RunChild({"fds"});
    EXPECT_EQ(EntireLines(), QStringList{"fds 0 1 2 3"});
    ::close(leaky);
}

TEST_F(ConsoleRunnerInput, OwnCharacterConversionsReplaceTheDefault) {
    Runner->SetOnCharEncoding(
        [](TConsoleRunner&, const QString& text) { return (text + text).toLatin1(); });
    Runner->SetOnCharDecoding([](TConsoleRunner&, const QByteArray& bytes) {
        return QString::fromLatin1(bytes).replace("stdin", "STDIN");
    });
    Runner->SetCommandLine(ChildCommand({"stdin"}));
    Runner->Execute();
    Runner->SendLine("q", false);
    ASSERT_TRUE(WaitForEnd(*Runner));
    EXPECT_EQ(EntireLines(), QStringList{"STDIN 71 rest 71"});
}

}  // namespace
}  // namespace dravemo::test
