// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/TFrmHotKey.h"

#include <QGuiApplication>
#include <QScreen>

#include "capture/HotKeyNames.h"
#include "capture/ListItemDelegate.h"
#include "capture/ShortcutWord.h"
#include "services/DesignFont.h"
#include "services/TConfig.h"
#include "services/TranslateComponent.h"
#include "services/Translation.h"

namespace dravemo {

namespace {

const QString kSetting = QStringLiteral("hotkey");
const QString kUnknownProgram =
    QStringLiteral("알수없는 프로그램이 단축키를 사용중입니다.\\n\\n단축키를 변경해주세요.");
const QString kInUse = QStringLiteral("단축키가 다른 프로그램에서 사용중입니다.");
const QString kNotSet = QStringLiteral("단축키가 설정되지 못해 캡쳐기능이 작동하지 않습니다.");

}  // namespace

TFrmHotKey::TFrmHotKey(QWidget* owner, Ports ports, std::function<void()> onHotKey)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      FPorts(std::move(ports)),
      FOnHotKey(std::move(onHotKey)) {
    setObjectName(QStringLiteral("FrmHotKey"));
    CreateControls();
    FormCreate();
}

TFrmHotKey::~TFrmHotKey() {
    FPorts.Keys.SetPressHandler({});
    FPorts.Keys.SetLostHandler({});
    FPorts.Keys.Unregister(FHotKeyID);
    FPorts.Keys.DeleteIdentifier(FHotKeyID);
}

void TFrmHotKey::CreateControls() {
    setWindowTitle(QStringLiteral("단축키 설정"));
    setFixedSize(299, 121);
    setFont(DesignFont());

    GrpConfig = new QGroupBox(QStringLiteral("설정"), this);
    GrpConfig->setObjectName(QStringLiteral("GrpConfig"));
    GrpConfig->setGeometry(8, 8, 281, 73);
    auto check = [this](const char* name, const char* caption, int left) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), GrpConfig);
        box->setObjectName(QString::fromUtf8(name));
        box->move(left, 32);
        return box;
    };
    ChkShift = check("ChkShift", "Shift", 16);
    ChkCtrl = check("ChkCtrl", "Ctrl", 71);
    ChkAlt = check("ChkAlt", "Alt", 126);
    ChkHotKey = new QComboBox(GrpConfig);
    ChkHotKey->setObjectName(QStringLiteral("ChkHotKey"));
    ChkHotKey->setGeometry(181, 29, 84, 22);
    ChkHotKey->setItemDelegate(new ListItemDelegate(ChkHotKey));
    ChkHotKey->addItems(HotKeyItems());

    BtnYes = new QPushButton(QStringLiteral("확인"), this);
    BtnYes->setObjectName(QStringLiteral("BtnYes"));
    BtnYes->setGeometry(133, 87, 75, 25);
    BtnYes->setDefault(true);
    BtnNo = new QPushButton(QStringLiteral("취소"), this);
    BtnNo->setObjectName(QStringLiteral("BtnNo"));
    BtnNo->setGeometry(214, 87, 75, 25);
    BtnNo->setAutoDefault(false);

    // OK needs a key: only a hand-edited stored key outside the list leaves none selected.
    connect(ChkHotKey, &QComboBox::currentIndexChanged, this,
            [this](int index) { BtnYes->setEnabled(index >= 0); });
    connect(BtnYes, &QPushButton::clicked, this, [this] { BtnYesClick(); });
    connect(BtnNo, &QPushButton::clicked, this, [this] { BtnNoClick(); });
}

void TFrmHotKey::FormCreate() {
    TranslateComponent(this);
    FHotKeyID = FPorts.Keys.AddIdentifier();
    FPorts.Keys.SetPressHandler([this](int id) { WmHotKey(id); });
    // A key lost when the keyboard mapping changed is a key another program holds, as at start.
    FPorts.Keys.SetLostHandler([this](int id) {
        if (id == FHotKeyID && !isVisible()) ReportInUse();
    });
    if (!RegisterCaptureHotKey(LoadHotKey())) ReportInUse();
}

void TFrmHotKey::ReportInUse() {
    Report(TranslateText(kUnknownProgram), mb::ICONERROR);
    exec();
}

int TFrmHotKey::LoadHotKey() {
    const int word = shortcut::Word(
        TConfig(FPorts.Reg, FPorts.SettingsPath).ReadInteger(kSetting, shortcut::DEFAULT));
    ChkHotKey->setCurrentIndex(ItemOfKey(shortcut::Key(word)));
    BtnYes->setEnabled(ChkHotKey->currentIndex() >= 0);
    ChkAlt->setChecked(word & shortcut::ALT);
    ChkCtrl->setChecked(word & shortcut::CTRL);
    ChkShift->setChecked(word & shortcut::SHIFT);
    return word;
}

int TFrmHotKey::DialogHotKey() const {
    const int key = ChkHotKey->currentIndex() >= 0 ? KeyOfItem(ChkHotKey->currentText()) : 0;
    return shortcut::Make(key, ChkShift->isChecked(), ChkCtrl->isChecked(), ChkAlt->isChecked());
}

void TFrmHotKey::SaveHotKey() {
    // A key that cannot be stored stays registered for this run; the next start registers the
    // old one.
    TConfig(FPorts.Reg, FPorts.SettingsPath).WriteInteger(kSetting, DialogHotKey());
}

bool TFrmHotKey::RegisterCaptureHotKey(int word) {
    FPorts.Keys.Unregister(FHotKeyID);
    return FPorts.Keys.Register(FHotKeyID, shortcut::Modifiers(word),
                                static_cast<uint32_t>(shortcut::Key(word)));
}

void TFrmHotKey::BtnYesClick() {
    if (ChkHotKey->currentIndex() < 0) return;
    if (RegisterCaptureHotKey(DialogHotKey())) {
        SaveHotKey();
        accept();
    } else {
        Report(TranslateText(kInUse), mb::TOPMOST | mb::SETFOREGROUND | mb::ICONINFORMATION);
    }
}

void TFrmHotKey::BtnNoClick() {
    if (!RegisterCaptureHotKey(LoadHotKey())) {
        Report(TranslateText(kNotSet), mb::TOPMOST | mb::SETFOREGROUND | mb::ICONERROR);
    }
    QDialog::reject();
}

void TFrmHotKey::reject() { BtnNoClick(); }

void TFrmHotKey::setVisible(bool visible) {
    if (visible && !isVisible()) {
        const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
        if (shown) move(shown->availableGeometry().center() - rect().center());
    }
    QDialog::setVisible(visible);
}

void TFrmHotKey::WmHotKey(int id) {
    if (id == FHotKeyID && FOnHotKey) FOnHotKey();
}

void TFrmHotKey::Report(const QString& text, uint32_t flags) {
    FPorts.Boxes.Show(TranslateText(windowTitle()), text, flags);
}

}  // namespace dravemo
