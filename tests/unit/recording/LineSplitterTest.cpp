// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "recording/LineSplitter.h"

namespace dravemo {
namespace {

struct Reported {
    QString Line;
    TOutputType Type;
    bool operator==(const Reported&) const = default;
};

void PrintTo(const Reported& r, std::ostream* os) {
    *os << '"' << r.Line.toStdString() << "\" "
        << (r.Type == otEntireLine ? "entire" : "beginning");
}

// Collects what the splitter reports; stops the run after `stopAfter` characters.
class RecordingSink : public TLineSink {
public:
    void NewChar(QChar c) override {
        Chars.append(c);
        if (StopAfter >= 0 && Chars.size() >= StopAfter) Stopped = true;
    }
    void NewLine(const QString& line, TOutputType type) override { Lines.push_back({line, type}); }
    bool Terminated() const override { return Stopped; }
    std::vector<Reported> Lines;
    QString Chars;
    qsizetype StopAfter = -1;
    bool Stopped = false;
};

constexpr TOutputType E = otEntireLine;
constexpr TOutputType B = otBeginningOfLine;

struct SplitCase {
    const char* Name;
    std::vector<QString> Passes;
    std::vector<Reported> Expected;  // after the passes and Finish
};

class LineSplitterCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitterCases, ReportsLinesInOrder) {
    TLineSplitter splitter;
    RecordingSink sink;
    for (const QString& pass : GetParam().Passes) splitter.Feed(pass, sink);
    splitter.Finish(sink);
    EXPECT_EQ(sink.Lines, GetParam().Expected);
    EXPECT_TRUE(splitter.Pending().isEmpty());
}

const QString kNul(QChar(u'\0'));

INSTANTIATE_TEST_SUITE_P(
    LineSplitter, LineSplitterCases,
    ::testing::Values(
        SplitCase{"CrLfInOnePass", {"a\r\nb\r\n"}, {{"a", E}, {"b", E}}},
        SplitCase{"CrLfAcrossPassesGivesExtraEmptyLine",
                  {"a\r", "\nb\r\n"},
                  {{"a", E}, {"", E}, {"b", E}}},
        SplitCase{"LoneCrEndsALine", {"10%\r20%\r30%\n"}, {{"10%", E}, {"20%", E}, {"30%", E}}},
        SplitCase{"LfCrGivesLineAndEmptyLine", {"a\n\rb\n"}, {{"a", E}, {"", E}, {"b", E}}},
        SplitCase{"LoneLfEndsALine", {"a\nb\n"}, {{"a", E}, {"b", E}}},
        SplitCase{"NulNeverInALine", {"a" + kNul + "b\n" + kNul}, {{"ab", E}}},
        SplitCase{"BeginningGrowsUntilItsEnd", {"abc", "def\r"}, {{"abc", B}, {"abcdef", E}}},
        SplitCase{
            "UnfinishedLastLineReportedTwice", {"one\nxyz"}, {{"one", E}, {"xyz", B}, {"xyz", E}}},
        SplitCase{"EmptyPassReportsNothing", {"", ""}, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LineSplitter, PassesEveryCharacterToNewCharControlsIncluded) {
    TLineSplitter splitter;
    RecordingSink sink;
    const QString text = "a\r\n" + kNul + "b";
    splitter.Feed(text, sink);
    EXPECT_EQ(sink.Chars, text);
}

TEST(LineSplitter, StopDropsTheRestOfThePassAndKeepsTheOldBeginning) {
    TLineSplitter splitter;
    RecordingSink sink;
    splitter.Feed("ab", sink);
    sink.StopAfter = sink.Chars.size() + 2;  // stops after "cd" of the next pass
    splitter.Feed("cd\nef\n", sink);
    EXPECT_EQ(sink.Lines, (std::vector<Reported>{{"ab", B}}));
    EXPECT_EQ(splitter.Pending(), "ab");
}

TEST(LineSplitter, EchoJoinsTheUnfinishedLineAndEndsIt) {
    TLineSplitter splitter;
    RecordingSink sink;
    splitter.Feed("Overwrite? [y/N] ", sink);
    splitter.Echo("y\r\n", sink);
    splitter.Finish(sink);
    EXPECT_EQ(sink.Lines,
              (std::vector<Reported>{{"Overwrite? [y/N] ", B}, {"Overwrite? [y/N] y", E}}));
}

}  // namespace
}  // namespace dravemo
