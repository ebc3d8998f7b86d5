// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sched.h>

#include "platform/Processors.h"

namespace dravemo {
namespace {

// The count follows the affinity the process runs under, not the machine's processor count.
TEST(UsableProcessors, FollowTheAffinityOfTheCallingThread) {
    cpu_set_t saved;
    ASSERT_EQ(sched_getaffinity(0, sizeof saved, &saved), 0);
    EXPECT_EQ(UsableProcessorCount(), static_cast<unsigned>(CPU_COUNT(&saved)));

    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &saved)) {
            CPU_SET(cpu, &one);
            break;
        }
    }
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    const unsigned pinned = UsableProcessorCount();
    ASSERT_EQ(sched_setaffinity(0, sizeof saved, &saved), 0);
    EXPECT_EQ(pinned, 1u);
}

}  // namespace
}  // namespace dravemo
