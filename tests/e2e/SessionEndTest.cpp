// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The real program under a session manager: a checkpoint leaves it running, the end of the
// session ends it, and neither it nor its toolkit asks to be restarted.
#include <X11/SM/SM.h>
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "tests/e2e/DravemoSession.h"
#include "tests/support/SessionManagerPeer.h"

namespace dravemo::test {
namespace {

class SessionEnd : public ::testing::Test {
protected:
    std::unique_ptr<ChildProcess> StartUnder(SessionManagerPeer& peer) {
        ChildProcess::Env env = session.Env();
        env["SESSION_MANAGER"] = peer.Address();
        return std::make_unique<ChildProcess>(std::vector<std::string>{DRAVEMO_BINARY, "/start"},
                                              env);
    }
    // Lines the peer printed that are exactly `line`, once at least `count` have come.
    bool Printed(SessionManagerPeer& peer, const QString& line, qsizetype count) {
        return WaitUntil([&] {
            peer.Says(line);
            return peer.Count(line) >= count;
        });
    }

    int argc = 1;
    char name[8] = "test";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
    DravemoSession session;
};

TEST_F(SessionEnd, ACheckpointKeepsItRunningAndTheShutdownEndsIt) {
    SessionManagerPeer peer;
    auto program = StartUnder(peer);
    ASSERT_TRUE(session.WaitForInstance());
    ASSERT_TRUE(peer.Says("registered"));
    // The program's own client and the toolkit's: both are answered before anything is asked.
    const qsizetype clients = peer.Count("registered");

    peer.Send("save 0");
    ASSERT_TRUE(Printed(peer, "done 1", clients)) << peer.Lines.join(u'\n').toStdString();
    EXPECT_TRUE(program->Running()) << "a checkpoint is no end of the session";
    EXPECT_TRUE(session.WaitForInstance());
    // Every client of the program asks never to be restarted.
    const QString never =
        QStringLiteral("property %1 %2").arg(SmRestartStyleHint).arg(SmRestartNever);
    EXPECT_EQ(peer.Lines.filter(QStringLiteral("property " SmRestartStyleHint)).size(),
              peer.Count(never))
        << peer.Lines.join(u'\n').toStdString();
    EXPECT_GE(peer.Count(never), 1);

    peer.Send("save 1");
    EXPECT_EQ(program->Wait(std::chrono::seconds(20)), 0);
}

}  // namespace
}  // namespace dravemo::test
