// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/ReadPipe.h"

#include <QDebug>
#include <algorithm>
#include <array>

namespace dravemo {
namespace {
constexpr size_t kPieceSize = 1024;
}

TReadPipe::TReadPipe(ConsoleProcesses& processes, std::unique_ptr<PipeReader> readEnd,
                     TDecoding decoding)
    : FProcesses(processes),
      FReadStdout(std::move(readEnd)),
      FOnCharDecoding(std::move(decoding)),
      FEvent(processes.CreateEvent(false)),
      FStop(processes.CreateEvent(true)) {
    FThread.reset(QThread::create([this] { Execute(); }));
    FThread->setObjectName(QStringLiteral("TReadPipe"));
    FThread->start();
}

TReadPipe::~TReadPipe() { Terminate(); }

void TReadPipe::Terminate() {
    FTerminated = true;
    FStop->Set();
    FThread->wait();
}

size_t TReadPipe::ReadPiece(size_t size) {
    std::array<uint8_t, kPieceSize> buffer{};
    const size_t count = FReadStdout->Read(buffer.data(), std::min(size, buffer.size()));
    if (count == 0) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(buffer.data()),
                           static_cast<qsizetype>(count));
    FSyncString.Add(FOnCharDecoding ? FOnCharDecoding(bytes) : QString());
    FEvent->Set();
    return count;
}

void TReadPipe::Execute() {
    try {
        Waitable* const objects[] = {FStop.get(), FReadStdout.get()};
        while (!FTerminated) {
            if (FProcesses.WaitAny(objects) == 0) break;
            if (ReadPiece(kPieceSize) == 0) return;
        }
        // What the child wrote before the end is in the pipe now: take it in, no more.
        for (size_t left = FReadStdout->Available(); left > 0;) {
            const size_t count = ReadPiece(left);
            if (count == 0) break;
            left -= count;
        }
    } catch (const std::exception& e) {
        qDebug().noquote() << QStringLiteral("EXCEPTION: TReadPipe Execute ") +
                                  QString::fromUtf8(e.what());
    }
}

}  // namespace dravemo
