// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStringList>
#include <QTimer>
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
class ProgramSettings;
class TFrmArea;
class TFrmSize;
class TFrmHotKey;

// The main window: the capture mode and save target the user chose with their options, the
// popup menu with every other setting, the owner of every other window and service object,
// and the receiver of the messages other programs send. Closing it only hides it; the program
// ends on an explicit quit, the end of the session or a quit request from another process.
class TFrmDravemo : public QWidget, public CaptureHost {
    Q_OBJECT
public:
    // `firstArgument` is the first command-line argument ("/start", "/inst" or other).
    TFrmDravemo(ProgramPorts& ports, const QString& firstArgument);
    ~TFrmDravemo() override;

    // A message from another program: the instance control message or a command block; the
    // result goes back to the sender.
    int32_t HandleWindowMessage(const WindowMessage& message);
    // The session ends: close for real and let it end.
    int32_t WmQueryEndSession();

    // The capture request of the hotkey and the "capture" command.
    void Start();
    void HideMainWindow();
    void RestoreMainWindow();
    // Whether a recording runs.
    bool IsRecording() const { return false; }

    // Writes one setting at once; errors are swallowed.
    void SaveConfig(const QString& name, int value);
    void SaveConfig(const QString& name, bool value);
    void SaveConfig(const QString& name, const QString& value);
    // A design length at 96 dots per inch in the window's logical pixels.
    int Scaled(int length) const;

    // CaptureHost
    int SelectedMode() const override { return ChkArea->currentIndex(); }
    int SelectedTarget() const override { return ChkSaveTo->currentIndex(); }
    int SoundChoice() const override;
    bool IncludeCursor() const override { return ChkMouse->isChecked(); }
    QString JpegQualityText() const override { return ChkJPEG_qual->currentText(); }
    QString WebpQualityText() const override { return ChkWebp_qual->currentText(); }
    int PixelsPerInch() const override;
    QString NewFilename(const QString& ext) override;
    void PlayCaptureSound() override { FPorts.Sound.PlayCaptureSound(); }
    void ShowMessage(const QString& text, uint32_t flags) override;
    void ReportError(const QString& message) override;

    uint8_t& FStatus() { return FDispatch->FStatus; }
    bool CanClose() const { return FCanClose; }
    // Whether a close was accepted: the program is ending.
    bool Quitting() const { return FQuitting; }
    const dravemo::TrayIcon* Tray() const { return TrayIcon.get(); }
    // The menu action of that object name; throws std::logic_error naming it when there is
    // none, so that a misspelt name fails as soon as the window is built.
    QAction* MenuItem(const QString& name) const;
    // The translated main window caption, the title of every message box.
    QString MessageTitle() const;
    // A message box owned by the main window; returns the button pressed.
    int ShowBox(const QString& text, uint32_t flags);

    QString SavePath;
    QString Language;
    std::vector<TextRecognizer::Language> Languages;

    QLabel* LblArea = nullptr;
    QComboBox* ChkArea = nullptr;
    QStackedWidget* PnlMain = nullptr;
    QWidget* Card1 = nullptr;
    QWidget* Card2 = nullptr;
    QWidget* Card3 = nullptr;
    QLabel* LblSaveTo = nullptr;
    QComboBox* ChkSaveTo = nullptr;
    QComboBox* ChkJPEG_qual = nullptr;
    QComboBox* ChkWebp_qual = nullptr;
    QComboBox* ChkOCR_lang = nullptr;
    QPushButton* BtnOpenDir = nullptr;
    QLabel* LblCopyright = nullptr;
    QMenu* Menu = nullptr;
    QTimer* TmrColor = nullptr;
    QTimer* TmrRec = nullptr;
    // Menu items read by other parts of the program.
    QAction* ChkMouse = nullptr;
    QAction* ChkAudio = nullptr;
    QAction* ChkLog = nullptr;
    QAction* ChkRegStart = nullptr;
    // The capture hotkey and its dialog, kept from start-up to exit.
    TFrmHotKey* FrmHotKey = nullptr;
    // The region frame and its size dialog, kept from start-up to exit.
    TFrmArea* FrmArea() const { return FFrmArea.get(); }
    TFrmSize* FrmSize() const { return FFrmSize.get(); }

    // Handlers, public so that tests can drive them as the user would.
    void ChkAreaChange();
    void ChkSaveToChange();
    void ChkLangClick(QAction* item);
    void ChkAppend1Click(QAction* item);
    void ChkSound1Click(QAction* item);
    void ChkRecLimit0Click(QAction* item);
    void ChkToggleClick(QAction* item, const QString& setting);
    void ChkRegStartClick();
    void N1Click();
    void N4Click();
    void N10Click();
    void BtnOpenDirClick();
    void LblCopyrightClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QString& firstArgument);
    void CreateControls();
    void CreateMenu();
    QComboBox* CreateList(QWidget* parent, const char* name, const QRect& geometry);
    void LoadConfig();
    void TranslateWindows();
    void ShowMissingComponent(const QString& file, const QString& helpQuery);
    void ForceForegroundWindow(QWidget* window);
    void WmUser(uint32_t param);
    TNamingScheme NamingScheme() const;
    void CheckOnly(const QStringList& group, const QString& checked);

    ProgramPorts& FPorts;
    std::unique_ptr<dravemo::TrayIcon> TrayIcon;
    std::unique_ptr<TCapture> FCapture;
    std::unique_ptr<ProgramCaptureSources> FSources;
    std::unique_ptr<ProgramCaptureDestinations> FDestinations;
    std::unique_ptr<TCaptureDispatch> FDispatch;
    // Independent windows: no owner, freed with the main window (the frame before its dialog).
    std::unique_ptr<ProgramSettings> FRegionSettings;
    std::unique_ptr<TFrmSize> FFrmSize;
    std::unique_ptr<TFrmArea> FFrmArea;
    bool FCanClose = false;
    bool FQuitting = false;
    // The default save folder as start-up found it (clean path), to recognise it cheaply.
    QString FDesktopFolder;
};

// The main window while it exists (from the start of its creation on), null otherwise.
extern TFrmDravemo* FrmDravemo;

}  // namespace dravemo
