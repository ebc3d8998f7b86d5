// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "recording/EndRule.h"

namespace dravemo {
namespace {

struct EndCase {
    const char* Name;
    TEndRule Rule;
    bool Terminated;
    uint32_t ExitCode;
    int32_t SinceBeginning;
    int32_t SinceLastOutput;
    bool Leave;
    TEndStatus Status;  // when the loop is left
};

class EndRuleCases : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndRuleCases, DecidesLeavingAndStatus) {
    const EndCase& c = GetParam();
    EXPECT_EQ(c.Rule.LeaveLoop(c.Terminated, c.ExitCode, c.SinceBeginning, c.SinceLastOutput),
              c.Leave);
    if (c.Leave) {
        EXPECT_EQ(EndStatusAfterLoop(c.Terminated, c.ExitCode), c.Status);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EndRule, EndRuleCases,
    ::testing::Values(
        EndCase{
            "RunningWithoutLimitsGoesOn", {0, 0}, false, kStillActive, 1000, 1000, false, esNone},
        EndCase{"StopWhileRunningKills", {0, 0}, true, kStillActive, 0, 0, true, esStop},
        EndCase{"StopAfterTheChildEndedIsItsOwnEnd", {0, 0}, true, 0, 0, 0, true, esProcess},
        EndCase{"ChildEndedWithCode", {0, 0}, false, 3, 0, 0, true, esProcess},
        EndCase{"SilenceAtTheLimitGoesOn", {0, 5}, false, kStillActive, 5, 5, false, esNone},
        EndCase{"SilenceBeyondTheLimitKills", {0, 5}, false, kStillActive, 6, 6, true, esTime},
        EndCase{"RunTimeBeyondTheLimitKills", {3, 0}, false, kStillActive, 4, 0, true, esTime},
        EndCase{"NegativeLimitsMeanNone", {-1, -1}, false, kStillActive, 99, 99, false, esNone}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace dravemo
