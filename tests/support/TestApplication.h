// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace dravemo::test {

// The one application object of a test program with windows: made on first use (offscreen
// unless QT_QPA_PLATFORM says otherwise), reused when one exists already, and ended before the
// process exits, while Qt's own objects still exist.
inline QApplication& TestApplication() {
    struct Environment : ::testing::Environment {
        void TearDown() override { App.reset(); }
        std::unique_ptr<QApplication> App;
    };
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static auto* const environment =
        static_cast<Environment*>(::testing::AddGlobalTestEnvironment(new Environment));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    environment->App = std::make_unique<QApplication>(argc, argv);
    // The offscreen platform has no stacking order and says so on every raise.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message == QLatin1String("This plugin does not support raise()")) return;
            if (previous) previous(type, context, message);
        });
    QApplication::setQuitOnLastWindowClosed(false);
    return *environment->App;
}

}  // namespace dravemo::test
