// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <atomic>
#include <cstring>
#include <future>
#include <thread>

#include "platform/linux/MessageFraming.h"
#include "platform/linux/SocketInstanceLocator.h"
#include "platform/linux/SocketMessageServer.h"
#include "platform/linux/UniqueFd.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

// Runs `work` on another thread while this (the user-interface) thread serves its events.
template <typename F>
auto WhileServing(F work) {
    auto result = std::async(std::launch::async, work);
    while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return result.get();
}

// The application object the server hands requests to, and a runtime folder.
class ServerFolder : public ::testing::Test {
protected:
    int argc = 1;
    char name[8] = "test";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
    test::TempDir dir;
};

class SocketMessageServerTest : public ServerFolder {
protected:
    void SetUp() override {
        server.Listen([this](const WindowMessage& m) {
            handled.push_back(m);
            return static_cast<int32_t>(m.Message + m.Param + m.Payload.size());
        });
    }
    std::string Folder() const { return dir.Str(); }
    UniqueFd RawConnect() const {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = Folder() + "/TFrmDravemo";
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM, 0));
        EXPECT_EQ(::connect(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        return fd;
    }
    // Sends raw bytes, closes the sending side and returns the raw answer.
    std::string RawExchange(const std::string& bytes) {
        return WhileServing([&] {
            UniqueFd fd = RawConnect();
            framing::WriteAll(fd.Get(), bytes.data(), bytes.size(), std::nullopt);
            ::shutdown(fd.Get(), SHUT_WR);
            std::string answer;
            char buffer[16];
            ssize_t n;
            while ((n = ::read(fd.Get(), buffer, sizeof buffer)) > 0) answer.append(buffer, n);
            return answer;
        });
    }

    SocketMessageServer server{dir.Str()};
    std::vector<WindowMessage> handled;
};

TEST_F(SocketMessageServerTest, DeliversTheMessageAndAnswersItsResult) {
    SocketInstanceLocator locator(Folder());
    EXPECT_TRUE(locator.WindowExists());
    const auto result = WhileServing([&] { return locator.Send({0x004A, 1, QByteArray("abcd")}); });
    EXPECT_EQ(result, 0x4A + 1 + 4);
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_EQ(handled[0].Payload, QByteArray("abcd"));
}

TEST_F(SocketMessageServerTest, TheAnswerComesAfterTheHandlerFinished) {
    std::atomic<bool> finished{false};
    std::filesystem::create_directory(Folder() + "/slow");
    SocketMessageServer late{Folder() + "/slow"};
    late.Listen([&](const WindowMessage&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        finished = true;
        return 7;
    });
    SocketInstanceLocator locator(Folder() + "/slow");
    const auto result = WhileServing([&] {
        auto r = locator.Send({0x0400, 1, {}});
        EXPECT_TRUE(finished.load());
        return r;
    });
    EXPECT_EQ(result, 7);
}

TEST_F(SocketMessageServerTest, MalformedRequestsAreAnsweredZeroWithoutReachingTheWindow) {
    const std::string zero(4, '\0');
    // A header cut short, a payload shorter than announced, a payload over 64 KiB.
    EXPECT_EQ(RawExchange(std::string("\x4A\x00\x00", 3)), zero);
    std::string shortPayload("\x4A\0\0\0\x01\0\0\0\x10\0\0\0abc", 15);
    EXPECT_EQ(RawExchange(shortPayload), zero);
    std::string oversized("\x4A\0\0\0\x01\0\0\0\x01\0\x01\0", 12);
    EXPECT_EQ(RawExchange(oversized), zero);
    EXPECT_TRUE(handled.empty());
    // Exactly 64 KiB is allowed.
    std::string full("\x4A\0\0\0\x01\0\0\0\0\0\x01\0", 12);
    full += std::string(65536, 'x');
    const std::string answer = RawExchange(full);
    ASSERT_EQ(answer.size(), 4u);
    EXPECT_EQ(framing::DecodeU32(reinterpret_cast<const unsigned char*>(answer.data())),
              0x4Au + 1 + 65536);
}

TEST_F(SocketMessageServerTest, AStaleSocketFileIsNoWindowAndIsReplaced) {
    const std::string folder = Folder() + "/stale";
    std::filesystem::create_directory(folder);
    {
        // A socket file left behind by a process that is gone.
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = folder + "/TFrmDravemo";
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM, 0));
        ASSERT_EQ(::bind(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }
    SocketInstanceLocator locator(folder);
    EXPECT_FALSE(locator.WindowExists());
    EXPECT_EQ(locator.Send({0x0400, 1, {}}), std::nullopt);
    SocketMessageServer fresh(folder);
    fresh.Listen([](const WindowMessage&) { return 5; });
    EXPECT_EQ(WhileServing([&] { return locator.Send({0x0400, 1, {}}); }), 5);
}

// A handler that runs a modal loop (as a drag selection or a message box does) keeps serving:
// the second request is handled inside that loop and answered first; the loop's own request is
// answered when its handler returns.
TEST_F(ServerFolder, ARequestIsServedInsideAnotherHandlersModalLoop) {
    SocketMessageServer server{dir.Str()};
    QEventLoop modal;
    std::vector<uint32_t> order;
    std::atomic<bool> inLoop{false};
    server.Listen([&](const WindowMessage& m) {
        if (m.Param == 1) {
            inLoop = true;
            modal.exec();  // ends when the second request arrives
            order.push_back(1);
            return 10;
        }
        order.push_back(2);
        modal.quit();
        return 20;
    });
    SocketInstanceLocator locator(dir.Str());
    auto pending = std::async(std::launch::async, [&] { return locator.Send({0x0400, 1, {}}); });
    // The second request is sent once the first one's handler sits in its loop.
    auto second = std::async(std::launch::async, [&] {
        while (!inLoop) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return locator.Send({0x0400, 2, {}});
    });
    EXPECT_EQ(WhileServing([&] { return pending.get(); }), 10);
    EXPECT_EQ(second.get(), 20);
    EXPECT_EQ(order, (std::vector<uint32_t>{2, 1}));
}

// A window that takes the request but never answers: the sender gives up at its time limit
// with an error instead of waiting for ever; the server answers 0 when it stops.
TEST_F(ServerFolder, ASenderGivesUpAtItsTimeLimit) {
    std::optional<SocketMessageServer> server(std::in_place, dir.Str());
    server->Listen([](const WindowMessage&) { return 1; });  // never runs: no event loop
    SocketInstanceLocator impatient(dir.Str(), std::chrono::milliseconds(300));
    EXPECT_THROW(impatient.Send({0x0400, 1, {}}), NoAnswerError);

    SocketInstanceLocator patient(dir.Str(), std::chrono::seconds(20));
    auto waiting = std::async(std::launch::async, [&] { return patient.Send({0x0400, 1, {}}); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    server.reset();
    EXPECT_EQ(waiting.get(), 0) << "a request the stopped window never handled is answered 0";
}

}  // namespace
}  // namespace dravemo
