// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/CommandChannel.h"
#include "app/CommandLineHelp.h"
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
    std::optional<int32_t> answer = 0;  // what the running window answers
    bool hangs = false;                 // it takes requests but never answers
    QByteArray lastPayload;

    bool WindowExists() override {
        ++checks;
        if (running && checksUntilGone >= 0 && checks > checksUntilGone) running = false;
        return running;
    }
    std::optional<int32_t> Send(const WindowMessage& m) override {
        if (!running) return std::nullopt;
        sent.emplace_back(m.Message, m.Param);
        lastPayload = m.Payload;
        if (hangs) throw NoAnswerError("The running Dravemo did not answer within 5 s.");
        return answer;
    }
    bool TryAcquire() override { return lockFree; }
};

struct Entry {
    FakeInstance instance;
    int started = 0;
    int slept = 0;
    std::ostringstream err;
    int Run(const QString& argument) {
        return ProgramEntry(
            argument, instance, instance, [this] { ++started; }, [this](int ms) { slept += ms; },
            err);
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

TEST(ProgramEntry, CaptureSwitchReportsTheAnswerInTheExitCode) {
    struct Case {
        const char* argument;
        bool running;
        std::optional<int32_t> answer;
        int exit;
    };
    for (const Case& c : {Case{"/capture", true, 1, 0}, Case{"--capture", true, 1, 0},
                          Case{"/capture", true, 0, kExitNotCaptured},
                          Case{"/capture", false, 0, kExitNoInstance}}) {
        Entry e;
        e.instance.running = c.running;
        e.instance.lockFree = !c.running;
        e.instance.answer = c.answer;
        EXPECT_EQ(e.Run(c.argument), c.exit) << c.argument;
        EXPECT_EQ(e.started, 0) << "a capture request never starts an instance";
        EXPECT_EQ(e.err.str().empty(), c.running) << e.err.str();
        if (c.running) {
            EXPECT_EQ(e.instance.sent,
                      (std::vector<std::pair<uint32_t, uint32_t>>{{WM_COPYDATA, 1}}));
            EXPECT_EQ(e.instance.lastPayload, CopyDataBlock(R"({"command":"capture"})"));
        }
    }
}

TEST(ProgramEntry, AnInstanceThatDoesNotAnswerIsReportedWithExitCode3) {
    for (const char* argument : {"", "/inst", "/uninst", "/capture"}) {
        Entry e;
        e.instance.running = true;
        e.instance.lockFree = false;
        e.instance.hangs = true;
        EXPECT_EQ(e.Run(argument), kExitNoAnswer) << argument;
        EXPECT_NE(e.err.str().find("did not answer within 5 s"), std::string::npos) << e.err.str();
        EXPECT_EQ(e.started, 0);
    }
}

TEST(CommandLineHelp, HelpAndVersionAnswerWithoutStartingAnything) {
    const HelpLocations where{"/home/u/.config/dravemo/registry.reg", "/run/u/dravemo/TFrmDravemo"};
    for (const char* argument : {"--help", "-h"}) {
        std::ostringstream out;
        EXPECT_EQ(AnswerInformationSwitch(argument, where, out), 0);
        for (const char* word : {"/start", "/inst", "/uninst", "/capture",
                                 where.SettingsFile.c_str(), where.MessageSocket.c_str()}) {
            EXPECT_NE(out.str().find(word), std::string::npos) << word;
        }
    }
    std::ostringstream version;
    EXPECT_EQ(AnswerInformationSwitch("--version", where, version), 0);
    EXPECT_EQ(version.str().rfind("dravemo ", 0), 0u) << version.str();
    for (const char* other : {"", "/start", "/capture", "--HELP", "-help"}) {
        std::ostringstream out;
        EXPECT_EQ(AnswerInformationSwitch(other, where, out), std::nullopt) << other;
        EXPECT_TRUE(out.str().empty());
    }
}

}  // namespace
}  // namespace dravemo
