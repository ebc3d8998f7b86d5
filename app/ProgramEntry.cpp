// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/ProgramEntry.h"

#include <QApplication>
#include <QScreen>

#include "app/CommandChannel.h"
#include "app/FolderChooser.h"
#include "app/TFrmDravemo.h"
#include "output/WebPWriter.h"
#include "platform/PlatformFactory.h"
#include "recording/EncoderLocation.h"
#include "services/Translation.h"

// The capture sound and icons live in a static library: register them explicitly.
static void RegisterResources() { Q_INIT_RESOURCE(resources); }

namespace dravemo {

namespace {

bool IsCaptureSwitch(const QString& argument) {
    return argument == QStringLiteral("/capture") || argument == QStringLiteral("--capture");
}

int HandOver(const QString& firstArgument, InstanceLocator& locator, InstanceLock& lock,
             const std::function<void()>& runFirstInstance, const std::function<void(int)>& sleepMs,
             std::ostream& err) {
    if (IsCaptureSwitch(firstArgument)) {
        const auto answer = locator.Send(
            {WM_COPYDATA, 1, CopyDataBlock(QStringLiteral(R"({"command":"capture"})"))});
        if (!answer) {
            err << "dravemo: Dravemo is not running; start it first.\n";
            return kExitNoInstance;
        }
        return *answer == 1 ? 0 : kExitNotCaptured;
    }
    const bool found = locator.WindowExists();
    if (firstArgument == QStringLiteral("/uninst")) {
        if (found) locator.Send({WM_USER, 2, {}});
        for (int check = 0; check < 10; ++check) {
            if (!found || !locator.WindowExists()) break;
            sleepMs(100);
        }
        return 0;
    }
    if (!lock.TryAcquire()) {
        if (firstArgument != QStringLiteral("/start") && found) locator.Send({WM_USER, 1, {}});
        return 0;
    }
    runFirstInstance();
    return 0;
}

}  // namespace

int ProgramEntry(const QString& firstArgument, InstanceLocator& locator, InstanceLock& lock,
                 const std::function<void()>& runFirstInstance,
                 const std::function<void(int)>& sleepMs, std::ostream& err) {
    try {
        return HandOver(firstArgument, locator, lock, runFirstInstance, sleepMs, err);
    } catch (const NoAnswerError& e) {
        err << "dravemo: " << e.what() << "\n";
        return kExitNoAnswer;
    }
}

void RunFirstInstance(int& argc, char** argv, const QString& firstArgument) {
    QApplication app(argc, argv);
    RegisterResources();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Dravemo"));
    DesktopPorts desktop = CreateDesktopPorts();
    StartTranslation(*desktop.Shell);
    ProgramPorts ports{*desktop.Reg,
                       *desktop.Autostart,
                       *desktop.Shell,
                       *desktop.Boxes,
                       *desktop.Sound,
                       *desktop.Activation,
                       *desktop.Screen,
                       *desktop.Ocr,
                       *desktop.Keys,
                       desktop.MakeTrayIcon,
                       [] { return WebPLibraryAvailable(); },
                       [] { return !EncoderPath().isEmpty(); },
                       [](QString& folder) { return ChooseFolder(folder); }};
    // Listening from the moment the lock is held: a second start or "/uninst" during the
    // start-up message boxes is served inside their loops, by the window being made.
    desktop.Server->Listen([](const WindowMessage& message) {
        return FrmDravemo ? FrmDravemo->HandleWindowMessage(message) : 0;
    });
    TFrmDravemo window(ports, firstArgument);
    desktop.Session->OnEndSession([&window] { window.WmQueryEndSession(); });
    // A quit request served during start-up ended the program before its loop ran.
    if (window.Quitting()) {
        desktop.Server.reset();
        return;
    }
    if (firstArgument != QStringLiteral("/start")) {
        // Centred on the screen, as the message loop shows it.
        if (const QScreen* screen = window.screen()) {
            const QRect area = screen->availableGeometry();
            window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
        }
        window.show();
    }
    QApplication::exec();
    // The server goes before the window it calls into.
    desktop.Server.reset();
}

}  // namespace dravemo
