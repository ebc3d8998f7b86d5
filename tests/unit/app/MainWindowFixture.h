// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "app/TFrmDravemo.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakeLoginAutostart.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeScreenSource.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "platform/fake/FakeTextRecognizer.h"
#include "platform/fake/FakeTrayIcon.h"
#include "platform/fake/FakeWindowActivation.h"
#include "platform/linux/RegistryFile.h"
#include "services/Translation.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestApplication.h"

inline void RegisterProgramResources() { Q_INIT_RESOURCE(resources); }

namespace dravemo::test {

// The test program's application object, with the program's resources and the catalogue
// loaded once, in English.
inline QApplication& MainWindowApplication() {
    static bool started = false;
    QApplication& app = TestApplication();
    if (!started) {
        started = true;
        RegisterProgramResources();
        FakeDesktop english;
        StartTranslation(english);
    }
    return app;
}

// The main window over a real settings file and fakes of everything else.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() {
        MainWindowApplication();
        screen.Screens = {{{0, 0, 800, 600}, true}};
        desktop.Folder = QString::fromStdString((home / "Desktop").string());
    }
    std::unique_ptr<TFrmDravemo> Create(const QString& argument = {}) {
        return std::make_unique<TFrmDravemo>(ports, argument);
    }
    std::optional<RegValue> Stored(const QString& name) {
        return registry.Read(QStringLiteral("Software\\Orvantel\\Dravemo"), name);
    }
    void Store(const QString& name, const RegValue& value) {
        registry.Write(QStringLiteral("Software\\Orvantel\\Dravemo"), name, value);
    }
    // Runs the event loop until quit() or the time-out; true when the program asked to quit.
    bool QuitRequested(int waitMs = 2000) {
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        timeout.start(waitMs);
        return QCoreApplication::exec() == 0;
    }

    TempDir home;
    RegistryFile registry{QString::fromStdString((home / "registry.reg").string())};
    FakeLoginAutostart autostart;
    FakeDesktop desktop;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sound;
    FakeWindowActivation activation;
    FakeScreenSource screen;
    FakeTextRecognizer ocr;
    FakeHotKeys hotkeys;
    FakeTrayIcon* tray = nullptr;
    bool webp = true;
    bool encoder = true;
    QString chosenFolder;
    ProgramPorts ports{registry,
                       autostart,
                       desktop,
                       boxes,
                       sound,
                       activation,
                       screen,
                       ocr,
                       hotkeys,
                       [this] {
                           auto icon = std::make_unique<FakeTrayIcon>();
                           tray = icon.get();
                           return icon;
                       },
                       [this] { return webp; },
                       [this] { return encoder; },
                       [this](QString& folder) {
                           if (chosenFolder.isEmpty()) return false;
                           folder = chosenFolder;
                           return true;
                       }};
};

}  // namespace dravemo::test
