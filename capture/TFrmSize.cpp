// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/TFrmSize.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "capture/RegionGeometry.h"
#include "services/DesignFont.h"
#include "services/TranslateComponent.h"

namespace dravemo {

namespace {
QLabel* FieldLabel(const QString& text, QWidget* group, int left) {
    auto* label = new QLabel(text, group);
    label->setGeometry(left, 32, 42, 17);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return label;
}
}  // namespace

TFrmSize::TFrmSize(IntegerSettings& settings)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      FSettings(settings) {
    setObjectName(QStringLiteral("FrmSize"));
    setWindowTitle(QStringLiteral("영역크기 설정"));
    setFont(DesignFont());
    setFixedSize(386, 330);

    CreateGroup(0, QStringLiteral("현재크기"), 8);
    CreateGroup(1, QStringLiteral("사용자 정의 #1"), 91);
    CreateGroup(2, QStringLiteral("사용자 정의 #2"), 170);
    CreateGroup(3, QStringLiteral("사용자 정의 #3"), 249);
    GrpArea = FGroups[0];
    EditWidth = FWidths[0];
    EditHeight = FHeights[0];
    BtnApply = FButtons[0];

    TranslateComponent(this);
    for (int i = 1; i <= 3; ++i) {
        FWidths[i]->SetValue(
            FSettings.ReadInteger(QStringLiteral("width_%1").arg(i), kPresetDefaults[i - 1].Width));
    }
    for (int i = 1; i <= 3; ++i) {
        FHeights[i]->SetValue(FSettings.ReadInteger(QStringLiteral("height_%1").arg(i),
                                                    kPresetDefaults[i - 1].Height));
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TFrmSize::CreateGroup(int sizeNo, const QString& caption, int top) {
    const QString suffix = sizeNo == 0 ? QString() : QStringLiteral("_%1").arg(sizeNo);
    auto* group = new QGroupBox(caption, this);
    group->setObjectName((sizeNo == 0 ? QStringLiteral("GrpArea") : QStringLiteral("GrpConfig")) +
                         suffix);
    group->setGeometry(8, top, 369, 73);
    FieldLabel(QStringLiteral("넓이 :"), group, 16);
    FieldLabel(QStringLiteral("높이 :"), group, 152);
    auto* width = new TSpinEdit(group, kFieldMinimum, kFieldMaximum, kFieldMinimum);
    width->setObjectName(QStringLiteral("EditWidth") + suffix);
    width->setGeometry(64, 29, 66, 24);
    auto* height = new TSpinEdit(group, kFieldMinimum, kFieldMaximum, kFieldMinimum);
    height->setObjectName(QStringLiteral("EditHeight") + suffix);
    height->setGeometry(200, 29, 66, 24);
    auto* apply = new QPushButton(QStringLiteral("적용"), group);
    apply->setObjectName(QStringLiteral("BtnApply") + suffix);
    apply->setGeometry(sizeNo == 3 ? 294 : 296, 28, 59, 25);
    apply->setAutoDefault(false);
    connect(apply, &QPushButton::clicked, this, [this, sizeNo] { BtnApplyClick(sizeNo); });
    FGroups[sizeNo] = group;
    FWidths[sizeNo] = width;
    FHeights[sizeNo] = height;
    FButtons[sizeNo] = apply;
}

TSpinEdit* TFrmSize::WidthField(int sizeNo) const {
    return sizeNo >= 0 && sizeNo <= 3 ? FWidths[sizeNo] : nullptr;
}

TSpinEdit* TFrmSize::HeightField(int sizeNo) const {
    return sizeNo >= 0 && sizeNo <= 3 ? FHeights[sizeNo] : nullptr;
}

QPushButton* TFrmSize::ApplyButton(int sizeNo) const {
    return sizeNo >= 0 && sizeNo <= 3 ? FButtons[sizeNo] : nullptr;
}

void TFrmSize::BtnApplyClick(int sizeNo) {
    if (!WidthField(sizeNo)) return;
    // A field still being typed in reads as what it will show once clamped.
    FWidths[sizeNo]->SetValue(FWidths[sizeNo]->Value());
    FHeights[sizeNo]->SetValue(FHeights[sizeNo]->Value());
    Q_EMIT SizeApplied(FWidths[sizeNo]->Value(), FHeights[sizeNo]->Value(), sizeNo);
    SaveCustomSizes();
}

void TFrmSize::SaveCustomSizes() {
    for (int i = 1; i <= 3; ++i)
        FSettings.WriteInteger(QStringLiteral("width_%1").arg(i), FWidths[i]->Value());
    for (int i = 1; i <= 3; ++i)
        FSettings.WriteInteger(QStringLiteral("height_%1").arg(i), FHeights[i]->Value());
}

}  // namespace dravemo
