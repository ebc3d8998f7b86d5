// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "platform/linux/PosixConsoleProcesses.h"
#include "recording/ReadPipe.h"
#include "tests/support/ChildProcess.h"

namespace dravemo {
namespace {

TEST(ReadPipe, ReadsWaitingOutputInPiecesOfAtMost1024Bytes) {
    PosixConsoleProcesses processes;
    Pipe pipe = processes.CreatePipe();
    const QByteArray output(3000, 'x');
    ASSERT_TRUE(pipe.Writer->Write(reinterpret_cast<const uint8_t*>(output.constData()),
                                   static_cast<size_t>(output.size())));
    std::mutex lock;
    std::vector<qsizetype> pieces;
    TReadPipe reader(processes, std::move(pipe.Reader), [&](const QByteArray& bytes) {
        const std::lock_guard guard(lock);
        pieces.push_back(bytes.size());
        return QString::fromLatin1(bytes);
    });
    ASSERT_TRUE(test::WaitUntil([&] { return reader.SyncString().Length() == 3000; }));
    const std::lock_guard guard(lock);
    ASSERT_GE(pieces.size(), 3u);
    for (const qsizetype piece : pieces) EXPECT_LE(piece, 1024);
}

TEST(ReadPipe, TerminateStillTakesInWhatThePipeHolds) {
    PosixConsoleProcesses processes;
    Pipe pipe = processes.CreatePipe();
    TReadPipe reader(processes, std::move(pipe.Reader),
                     [](const QByteArray& bytes) { return QString::fromLatin1(bytes); });
    const QByteArray last(5000, 'y');
    ASSERT_TRUE(pipe.Writer->Write(reinterpret_cast<const uint8_t*>(last.constData()),
                                   static_cast<size_t>(last.size())));
    reader.Terminate();
    // The writer stays open, as a child that has left a descendant behind would keep it.
    EXPECT_EQ(reader.SyncString().Length(), 5000);
}

}  // namespace
}  // namespace dravemo
