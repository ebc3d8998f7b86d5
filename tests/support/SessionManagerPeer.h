// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <stdexcept>
#include <string>

#include "tests/support/ChildProcess.h"

namespace dravemo::test {

// A session manager of the test's own (session_manager_peer), talked to through its standard
// input and output. Needs an application object.
class SessionManagerPeer {
public:
    SessionManagerPeer() {
        FProcess.start(QStringLiteral(DRAVEMO_SESSION_PEER), {});
        if (!FProcess.waitForStarted()) throw std::runtime_error("the peer does not start");
    }
    ~SessionManagerPeer() {
        FProcess.write("quit\n");
        if (!FProcess.waitForFinished(5000)) FProcess.kill();
        FProcess.waitForFinished();
    }
    // Runs the event loop until the peer has printed `line`; every line printed so far.
    bool Says(const QString& line) {
        return test::WaitUntil([&] {
            QCoreApplication::processEvents();
            Lines += QString::fromUtf8(FProcess.readAllStandardOutput())
                         .split(u'\n', Qt::SkipEmptyParts);
            return Lines.contains(line);
        });
    }
    std::string Address() {
        if (!test::WaitUntil([&] {
                FProcess.waitForReadyRead(100);
                Lines += QString::fromUtf8(FProcess.readAllStandardOutput())
                             .split(u'\n', Qt::SkipEmptyParts);
                return !Lines.filter(QStringLiteral("address ")).isEmpty();
            })) {
            throw std::runtime_error("the peer does not listen");
        }
        return Lines.filter(QStringLiteral("address ")).front().mid(8).toStdString();
    }
    void Send(const char* command) {
        FProcess.write(command);
        FProcess.write("\n");
        FProcess.waitForBytesWritten();
    }
    // How many lines are `line`.
    qsizetype Count(const QString& line) const { return Lines.count(line); }

    QStringList Lines;

private:
    QProcess FProcess;
};

}  // namespace dravemo::test
