// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <array>

#include "capture/IntegerSettings.h"
#include "capture/TSpinEdit.h"

namespace dravemo {

// The region size dialog: the region's current size and three custom sizes, each with a
// width and a height field (64 ... 9999) and an apply button that gives the region frame that
// size. The custom sizes are kept in the settings and appear in the frame's header menu. It
// lives for the whole run and is only shown and hidden.
class TFrmSize : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFieldMinimum = 64;
    static constexpr int kFieldMaximum = 9999;

    // Reads the custom sizes from the settings.
    explicit TFrmSize(IntegerSettings& settings);

    // The fields of size number 0 (the current size) to 3 (custom size 3); null for others.
    TSpinEdit* WidthField(int sizeNo) const;
    TSpinEdit* HeightField(int sizeNo) const;
    QPushButton* ApplyButton(int sizeNo) const;

    // An apply button: asks for that size, then stores the custom sizes.
    void BtnApplyClick(int sizeNo);
    // Writes the six custom fields: every width, then every height.
    void SaveCustomSizes();

    QGroupBox* GrpArea = nullptr;
    TSpinEdit* EditWidth = nullptr;
    TSpinEdit* EditHeight = nullptr;
    QPushButton* BtnApply = nullptr;

Q_SIGNALS:
    // The region frame is to take this region size; `sizeNo` names the custom size (0 none).
    void SizeApplied(int width, int height, int sizeNo);

private:
    void CreateGroup(int sizeNo, const QString& caption, int top);

    IntegerSettings& FSettings;
    std::array<QGroupBox*, 4> FGroups{};
    std::array<TSpinEdit*, 4> FWidths{};
    std::array<TSpinEdit*, 4> FHeights{};
    std::array<QPushButton*, 4> FButtons{};
};

}  // namespace dravemo
