// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "app/ProgramEntry.h"

namespace dravemo {
namespace {

// A running instance that vanishes after a number of existence checks once told to quit.
struct FakeInstance : InstanceLocator, InstanceLock {
    bool running = false;
    bool lockFree = true;
    int checksUntilGone = -1;  // -1: never goes
    std::vector<std::pair<uint32_t, uint32_t>> sent;
    int checks = 0;

    bool WindowExists() override {
        ++checks;
        if (running && checksUntilGone >= 0 && checks > checksUntilGone) running = false;
        return running;
    }
    std::optional<int32_t> Send(const WindowMessage& m) override {
        if (!running) return std::nullopt;
        sent.emplace_back(m.Message, m.Param);
        return 0;
    }
    bool TryAcquire() override { return lockFree; }
};

struct Entry {
    FakeInstance instance;
    int started = 0;
    int slept = 0;
    int Run(const QString& argument) {
        return ProgramEntry(
            argument, instance, instance, [this] { ++started; }, [this](int ms) { slept += ms; });
    }
};

TEST(ProgramEntry, FirstStartRunsTheInstance) {
    for (const char* argument : {"", "/start", "/inst", "/other"}) {
        Entry e;
        EXPECT_EQ(e.Run(argument), 0);
        EXPECT_EQ(e.started, 1) << argument;
        EXPECT_TRUE(e.instance.sent.empty());
    }
}

TEST(ProgramEntry, SecondStartHandsOverToTheRunningOne) {
    struct Case {
        const char* argument;
        std::vector<std::pair<uint32_t, uint32_t>> sent;
    };
    for (const Case& c : {Case{"", {{WM_USER, 1}}}, Case{"/inst", {{WM_USER, 1}}},
                          Case{"/start", {}}, Case{"START", {{WM_USER, 1}}}}) {
        Entry e;
        e.instance.running = true;
        e.instance.lockFree = false;
        EXPECT_EQ(e.Run(c.argument), 0);
        EXPECT_EQ(e.started, 0) << c.argument;
        EXPECT_EQ(e.instance.sent, c.sent) << c.argument;
    }
}

TEST(ProgramEntry, UninstAsksToQuitAndWaitsAtMostTenChecks) {
    Entry e;
    e.instance.running = true;
    e.instance.lockFree = false;
    e.instance.checksUntilGone = 4;
    e.Run("/uninst");
    EXPECT_EQ(e.instance.sent, (std::vector<std::pair<uint32_t, uint32_t>>{{WM_USER, 2}}));
    EXPECT_EQ(e.slept, 300);
    EXPECT_EQ(e.started, 0);

    Entry stubborn;
    stubborn.instance.running = true;
    stubborn.Run("/uninst");
    EXPECT_EQ(stubborn.slept, 1000);
    EXPECT_EQ(stubborn.started, 0);
}

TEST(ProgramEntry, UninstWithoutInstanceReturnsAtOnceAndStartsNothing) {
    Entry e;
    e.Run("/uninst");
    EXPECT_EQ(e.slept, 0);
    EXPECT_EQ(e.started, 0);
    EXPECT_TRUE(e.instance.sent.empty());
}

}  // namespace
}  // namespace dravemo
