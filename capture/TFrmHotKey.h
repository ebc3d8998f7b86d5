// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <functional>

#include "platform/HotKeys.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"

namespace dravemo {

// The capture hotkey: holds the system-wide registration of the stored key from the program's
// start to its end, and is the dialog in which the user chooses the key and its modifiers.
// Hidden except while the user changes the key; a press of the registered key calls the
// capture request it was given.
class TFrmHotKey : public QDialog {
    Q_OBJECT
public:
    struct Ports {
        Registry& Reg;
        QString SettingsPath;  // the settings path below "Software\" that holds "hotkey"
        HotKeys& Keys;
        MessageBoxes& Boxes;
    };

    // Translates the dialog, registers the stored key and, when that fails, reports it and
    // shows the dialog modally before returning.
    TFrmHotKey(QWidget* owner, Ports ports, std::function<void()> onHotKey);
    // Unregisters the key and gives its identifier back.
    ~TFrmHotKey() override;

    // Reads the stored shortcut word (Print Screen alone when absent), shows it in the
    // controls and returns it. A key outside the list selects no item.
    int LoadHotKey();
    // The shortcut word the controls show; its key part is 0 while no item is selected.
    int DialogHotKey() const;
    void SaveHotKey();
    // Replaces the registration by the key of `word`; false when the key is in use, and then
    // no hotkey is registered at all.
    bool RegisterCaptureHotKey(int word);

    // OK: registers and stores the chosen key and closes, or reports the key in use and stays
    // open. Without a chosen key it does nothing (and the button is disabled).
    void BtnYesClick();
    // Cancel: registers the stored key again (reporting a failure) and closes.
    void BtnNoClick();

    int HotKeyID() const { return FHotKeyID; }
    // Shown centred on the screen.
    void setVisible(bool visible) override;

    QGroupBox* GrpConfig = nullptr;
    QCheckBox* ChkShift = nullptr;
    QCheckBox* ChkCtrl = nullptr;
    QCheckBox* ChkAlt = nullptr;
    QComboBox* ChkHotKey = nullptr;
    QPushButton* BtnYes = nullptr;
    QPushButton* BtnNo = nullptr;

protected:
    // Escape and the title bar's close button leave the dialog as Cancel does, so that it is
    // never closed with the key unregistered.
    void reject() override;

private:
    void CreateControls();
    void FormCreate();
    void WmHotKey(int id);
    // Says that another program holds the key and lets the user choose another, modally.
    void ReportInUse();
    void Report(const QString& text, uint32_t flags);

    Ports FPorts;
    std::function<void()> FOnHotKey;
    int FHotKeyID = 0;
};

}  // namespace dravemo
