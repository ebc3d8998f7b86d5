// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The end of the session against a real session manager peer: which requests end the program,
// that every request is answered, and that the program asks never to be restarted.
#include <X11/SM/SM.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QStringList>

#include "platform/ProgramFiles.h"
#include "platform/linux/PosixSessionEvents.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/SessionManagerPeer.h"

namespace dravemo {
namespace {

class SessionEventsTest : public ::testing::Test {
protected:
    void Watch(PosixSessionEvents& events) {
        events.OnEndSession([this] { ++ends; });
    }
    // An application of its own, as the other tests of this program have: no windows needed.
    int argc = 1;
    char name[8] = "test";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
    int ends = 0;
};

TEST_F(SessionEventsTest, OnlyAShutdownOrDieEndsTheSessionAndEveryRequestIsAnswered) {
    test::SessionManagerPeer peer;
    PosixSessionEvents events(peer.Address());
    Watch(events);
    ASSERT_TRUE(peer.Says("registered"));

    // A checkpoint: answered, and nothing else happens.
    peer.Send("save 0");
    ASSERT_TRUE(peer.Says("done 1"));
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 0) << "a checkpoint is no end of the session";

    // Each answer is a further "done 1" line.
    const auto answered = [&](qsizetype count) {
        return test::WaitUntil([&] {
            peer.Says("done 1");
            return peer.Count("done 1") == count;
        });
    };
    peer.Send("save 1");
    ASSERT_TRUE(answered(2));
    ASSERT_TRUE(test::WaitUntil([&] {
        QCoreApplication::processEvents();
        return ends > 0;
    }));
    EXPECT_EQ(ends, 1);
    // The die that follows the shutdown is the same end, told once.
    peer.Send("die");
    peer.Send("save 0");
    ASSERT_TRUE(answered(3));
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 1);
}

TEST_F(SessionEventsTest, DieAloneEndsTheSession) {
    test::SessionManagerPeer peer;
    PosixSessionEvents events(peer.Address());
    Watch(events);
    ASSERT_TRUE(peer.Says("registered"));
    peer.Send("die");
    EXPECT_TRUE(test::WaitUntil([&] {
        QCoreApplication::processEvents();
        return ends == 1;
    }));
}

TEST_F(SessionEventsTest, TheSessionManagerIsToldNeverToRestartTheProgram) {
    test::SessionManagerPeer peer;
    PosixSessionEvents events(peer.Address());
    const QString restart =
        QStringLiteral("property %1 %2 /start").arg(SmRestartCommand, ExecutablePath());
    ASSERT_TRUE(peer.Says(restart)) << peer.Lines.join(u'\n').toStdString();
    EXPECT_TRUE(peer.Lines.contains(
        QStringLiteral("property %1 %2").arg(SmRestartStyleHint).arg(SmRestartNever)))
        << peer.Lines.join(u'\n').toStdString();
}

TEST_F(SessionEventsTest, SigtermEndsTheSessionAndAnUnreachableManagerLeavesIt) {
    for (const std::string address : {"", "local/nowhere:/nonexistent/socket"}) {
        SCOPED_TRACE(address);
        PosixSessionEvents events(address);
        Watch(events);
        ends = 0;
        ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
        EXPECT_TRUE(test::WaitUntil([&] {
            QCoreApplication::processEvents();
            return ends == 1;
        }));
    }
}

}  // namespace
}  // namespace dravemo
