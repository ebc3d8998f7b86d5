// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/CaptureInterfaces.h"
#include "app/OutputFileNaming.h"
#include "app/ProgramPorts.h"
#include "app/TCaptureDispatch.h"
#include "capture/TCapture.h"

namespace dravemo {

class ProgramCaptureSources;
class ProgramCaptureDestinations;

// The main window: the capture mode and save target the user chose, the owner of every other
// window and service object, and the receiver of the messages other programs send. Closing it
// only hides it; the program ends on an explicit quit, the end of the session or a quit
// request from another process.
class TFrmDravemo : public QWidget, public CaptureHost {
    Q_OBJECT
public:
    // `firstArgument` is the first command-line argument ("/start", "/inst" or other).
    TFrmDravemo(ProgramPorts& ports, const QString& firstArgument);
    ~TFrmDravemo() override;

    // A message from another program (or this one): the instance control message, a command
    // block; the result goes back to the sender.
    int32_t HandleWindowMessage(const WindowMessage& message);
    // The session ends: close for real and let it end.
    int32_t WmQueryEndSession();

    // The capture request of the hotkey and the "capture" command.
    void Start();
    void HideMainWindow();
    void RestoreMainWindow();
    // Whether a recording runs.
    bool IsRecording() const { return false; }

    // CaptureHost
    int SelectedMode() const override { return ChkArea->currentIndex(); }
    int SelectedTarget() const override { return ChkSaveTo->currentIndex(); }
    int SoundChoice() const override { return FSoundChoice; }
    bool IncludeCursor() const override { return FIncludeCursor; }
    QString JpegQualityText() const override { return FJpegQualityText; }
    QString WebpQualityText() const override { return FWebpQualityText; }
    int PixelsPerInch() const override { return logicalDpiX(); }
    QString NewFilename(const QString& ext) override;
    void PlayCaptureSound() override { FPorts.Sound.PlayCaptureSound(); }
    void ShowMessage(const QString& text, uint32_t flags) override;
    void ReportError(const QString& message) override;

    uint8_t& FStatus() { return FDispatch->FStatus; }
    bool CanClose() const { return FCanClose; }
    bool HasTrayIcon() const { return static_cast<bool>(TrayIcon); }
    const dravemo::TrayIcon* Tray() const { return TrayIcon.get(); }

    QString SavePath;
    QString Language;
    QStringList Languages;

    QComboBox* ChkArea = nullptr;
    QComboBox* ChkSaveTo = nullptr;
    QStackedWidget* PnlMain = nullptr;
    QLabel* LblCopyright = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QString& firstArgument);
    void CreateControls();
    void LoadConfig();
    void ChkAreaChange();
    void ChkSaveToChange();
    void LblCopyrightClick();
    void ForceForegroundWindow(QWidget* window);
    void WmUser(uint32_t param);
    TNamingScheme NamingScheme() const;

    ProgramPorts& FPorts;
    std::unique_ptr<dravemo::TrayIcon> TrayIcon;
    std::unique_ptr<TCapture> FCapture;
    std::unique_ptr<ProgramCaptureSources> FSources;
    std::unique_ptr<ProgramCaptureDestinations> FDestinations;
    std::unique_ptr<TCaptureDispatch> FDispatch;
    bool FCanClose = false;
    QString FApplicationTitle;

    // Choices of the popup menu, read by the capture request.
    int FAppendChoice = 1;
    int FSoundChoice = scBefore;
    bool FIncludeCursor = true;
    QString FJpegQualityText = QStringLiteral("90");
    QString FWebpQualityText = QStringLiteral("90");
};

}  // namespace dravemo
