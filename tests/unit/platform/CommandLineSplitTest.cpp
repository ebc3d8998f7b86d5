// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "platform/linux/CommandLineSplit.h"

namespace dravemo {
namespace {

struct SplitCase {
    const char* Name;
    QString CommandLine;
    QStringList Arguments;
};

class CommandLineSplitCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplitCases, GivesTheArguments) {
    EXPECT_EQ(SplitCommandLine(GetParam().CommandLine), GetParam().Arguments);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLineSplit, CommandLineSplitCases,
    ::testing::Values(
        SplitCase{"Empty", "", {}}, SplitCase{"OnlySpaces", "  \t ", {}},
        SplitCase{"SpacesAndTabsSeparate", " a  b\tc ", {"a", "b", "c"}},
        SplitCase{"QuotesGroup",
                  R"("/usr/bin/my encoder" -i "x y.mp4")",
                  {"/usr/bin/my encoder", "-i", "x y.mp4"}},
        SplitCase{
            "QuotesInsideAnArgument", R"(-metadata title="a b"c)", {"-metadata", "title=a bc"}},
        SplitCase{"EmptyQuotedArgument", R"(a "" b)", {"a", "", "b"}},
        SplitCase{
            "BackslashesAloneAreLiteral", R"(C:\dir\file a\\b)", {R"(C:\dir\file)", R"(a\\b)"}},
        SplitCase{"EvenBackslashesBeforeQuoteHalveAndGroup", R"("a\\" b)", {R"(a\)", "b"}},
        SplitCase{"OddBackslashesBeforeQuoteGiveLiteralQuote", R"(a\"b c)", {R"(a"b)", "c"}},
        SplitCase{"ThreeBackslashesAndQuote", R"("a\\\"b" c)", {R"(a\"b)", "c"}},
        SplitCase{"UnclosedQuoteRunsToTheEnd", R"("a b)", {"a b"}},
        SplitCase{"FilterWithSpacesAndColons",
                  R"(-f x11grab -i :0.0+10,20 -vf "crop=100:200:0:0")",
                  {"-f", "x11grab", "-i", ":0.0+10,20", "-vf", "crop=100:200:0:0"}}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace dravemo
