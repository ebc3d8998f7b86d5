// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The main window's start-up, messages, closing and capture requests.
#include "app/TFrmDravemo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <stdexcept>

#include "app/CommandChannel.h"
#include "app/MenuGroups.h"
#include "app/ProgramCaptureDestinations.h"
#include "app/ProgramCaptureSources.h"
#include "app/ProgramSettings.h"
#include "capture/PrintScreenSnipping.h"
#include "capture/TFrmArea.h"
#include "capture/TFrmHotKey.h"
#include "capture/TFrmSize.h"
#include "platform/AtomicFile.h"
#include "services/AutoStart.h"
#include "services/ServiceAddresses.h"
#include "services/TConfig.h"
#include "services/Translation.h"

namespace dravemo {

TFrmDravemo* FrmDravemo = nullptr;

TFrmDravemo::TFrmDravemo(ProgramPorts& ports, const QString& firstArgument)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      FPorts(ports) {
    setObjectName(QStringLiteral("FrmDravemo"));
    FrmDravemo = this;
    FormCreate(firstArgument);
}

TFrmDravemo::~TFrmDravemo() {
    if (FrmDravemo == this) FrmDravemo = nullptr;
    // The grabber goes after everything that uses it; owned windows go with the widget.
    FDispatch.reset();
    FSources.reset();
    FDestinations.reset();
    FCapture.reset();
}

void TFrmDravemo::FormCreate(const QString& firstArgument) {
    // F1 asks for no help: Qt shows none unless asked, so nothing needs replacing.
    CreateControls();
    PnlMain->setCurrentIndex(0);
    if (firstArgument == QStringLiteral("/inst")) {
        SetAutoStart(FPorts.Autostart, QStringLiteral("Dravemo"), true);
    }
    LoadConfig();
    // Temporary files of writes a crash interrupted, once they are clearly nobody's.
    AtomicFile::RemoveStaleTemporaries(
        (SavePath.isEmpty() ? QStringLiteral(".") : SavePath).toStdString());

    TrayIcon = FPorts.MakeTrayIcon();
    TrayIcon->Show(windowTitle() + u' ' + FileVersion(3), Menu, [this] { RestoreMainWindow(); });

    FCapture = std::make_unique<TCapture>(FPorts.Screen);
    FSources = std::make_unique<ProgramCaptureSources>(
        *FCapture,
        [this] {
            // The frame is made a few steps later in this sequence.
            if (!FFrmArea) throw std::runtime_error("The region frame is not ready yet.");
            return FFrmArea->GetRect();
        },
        FPorts.Screen, this, FPorts.Activation);
    FDestinations = std::make_unique<ProgramCaptureDestinations>(FPorts.Boxes,
                                                                 [this] { return MessageTitle(); });
    FDispatch = std::make_unique<TCaptureDispatch>(*this, *FSources, *FDestinations);
    FCanClose = false;

    if (firstArgument == QStringLiteral("/start")) HideMainWindow();
    SetPrintScreenSnipping(FPorts.Reg, 0);
    FrmHotKey = new TFrmHotKey(this, {FPorts.Reg, kSettingsPath, FPorts.Keys, FPorts.Boxes},
                               [this] { Start(); });

    // The size dialog first: the region frame writes its size into it from its creation on.
    FRegionSettings = std::make_unique<ProgramSettings>(FPorts.Reg);
    FFrmSize = std::make_unique<TFrmSize>(*FRegionSettings);
    // The stop request joins the hooks with the recording control; until then nothing records.
    FFrmArea =
        std::make_unique<TFrmArea>(*FFrmSize, *FRegionSettings, FPorts.Screen,
                                   TAreaHooks{[this] { return IsRecording(); },
                                              {},
                                              [this] { ChkArea->setCurrentIndex(cmFullScreen); }});

    ChkAreaChange();
    ChkSaveToChange();
}

void TFrmDravemo::Start() {
    try {
        FDispatch->Start();
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    }
}

int TFrmDravemo::SoundChoice() const {
    for (qsizetype i = 0; i < menu_groups::kSoundItems.size(); ++i) {
        if (MenuItem(menu_groups::kSoundItems[i])->isChecked()) return static_cast<int>(i) + 1;
    }
    return 0;
}

int TFrmDravemo::PixelsPerInch() const {
    // Captures are physical pixels: what the window shows per inch of the screen.
    return qRound(logicalDpiX() * devicePixelRatioF());
}

int TFrmDravemo::Scaled(int length) const { return qRound(length * logicalDpiX() / 96.0); }

TNamingScheme TFrmDravemo::NamingScheme() const {
    if (MenuItem(QStringLiteral("ChkAppend1"))->isChecked()) return TNamingScheme::ContinueNumber;
    if (MenuItem(QStringLiteral("ChkAppend3"))->isChecked()) return TNamingScheme::FirstFreeNumber;
    return TNamingScheme::TimeStamp;
}

QString TFrmDravemo::NewFilename(const QString& ext) {
    // A fresh account may have no desktop folder yet; a folder the user chose is never made.
    if (!SavePath.isEmpty() && QDir::cleanPath(SavePath) == FDesktopFolder) {
        FPorts.Shell.EnsureDesktopFolder();
    }
    return dravemo::NewFilename(SavePath, NamingScheme(), ext);
}

QString TFrmDravemo::MessageTitle() const { return TranslateText(windowTitle()); }

int TFrmDravemo::ShowBox(const QString& text, uint32_t flags) {
    return FPorts.Boxes.Show(MessageTitle(), text, flags);
}

void TFrmDravemo::ShowMessage(const QString& text, uint32_t flags) { ShowBox(text, flags); }

void TFrmDravemo::ReportError(const QString& message) {
    ShowBox(message, mb::ICONERROR | mb::SETFOREGROUND | mb::TOPMOST);
}

void TFrmDravemo::HideMainWindow() { hide(); }

void TFrmDravemo::RestoreMainWindow() {
    show();
    if (isMinimized()) showNormal();
    if (!QGuiApplication::screens().isEmpty()) ForceForegroundWindow(this);
}

void TFrmDravemo::ForceForegroundWindow(QWidget* window) {
    if (window->isMinimized()) window->showNormal();
    const auto id = static_cast<uintptr_t>(window->winId());
    if (FPorts.Activation.IsForeground(id)) return;
    window->raise();
    window->activateWindow();
    FPorts.Activation.RequestForeground(id);
}

void TFrmDravemo::WmUser(uint32_t param) {
    if (!TrayIcon) return;  // not started up far enough yet
    if (param == 1) {
        RestoreMainWindow();
    } else if (param == 2) {
        FCanClose = true;
        // Closed after the sender has its answer: the close may have to ask the user.
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

int32_t TFrmDravemo::WmQueryEndSession() {
    FCanClose = true;
    close();
    return 1;
}

int32_t TFrmDravemo::HandleWindowMessage(const WindowMessage& message) {
    switch (message.Message) {
        case WM_USER:
            WmUser(message.Param);
            return 0;
        case WM_COPYDATA: {
            if (!FDispatch) return 0;  // not started up far enough yet
            const int32_t result =
                HandleCopyData(message.Param, message.Payload,
                               {[this] { LblCopyrightClick(); }, [this] { Start(); }});
            // A command cut short by the program's end (a drag the quit cancelled) was not
            // carried out.
            return FQuitting ? 0 : result;
        }
        default:
            return 0;
    }
}

void TFrmDravemo::closeEvent(QCloseEvent* event) {
    bool canClose = FCanClose;
    if (!FCanClose) HideMainWindow();
    if (canClose && IsRecording()) {
        ShowBox(QStringLiteral("녹화중입니다."),
                mb::ICONINFORMATION | mb::SETFOREGROUND | mb::TOPMOST);
        canClose = false;
    }
    if (canClose) {
        event->accept();
        FQuitting = true;
        // exit() rather than quit(): it also ends a loop that runs before the main one (a
        // start-up message box), where quit() does nothing.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    } else {
        event->ignore();
    }
}

bool TFrmDravemo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        // FormMouseUp: a right-button release opens the popup menu at the cursor.
        if (button == Qt::RightButton) {
            Menu->popup(QCursor::pos());
            return true;
        }
        if (button == Qt::LeftButton && watched == LblCopyright) {
            LblCopyrightClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace dravemo
