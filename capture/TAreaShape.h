// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <cstdint>

namespace dravemo {

// The region frame's background, painted in physical pixels so that its lines fall on whole
// pixels at any scale: the header's colour above the header line, below it a rectangle with a
// one-pixel outline in the pen colour filled with the brush colour. Colours are 0x00BBGGRR.
// Mouse input passes through it to the frame.
class TAreaShape : public QWidget {
    Q_OBJECT
public:
    explicit TAreaShape(QWidget* parent);

    uint32_t PenColor() const { return FPen; }
    uint32_t BrushColor() const { return FBrush; }
    void SetPenColor(uint32_t color);
    void SetBrushColor(uint32_t color);
    // The header's height in physical pixels and its colour.
    void SetHeader(int height, uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint32_t FPen = 0x0000FF;
    uint32_t FBrush = 0x0000FF;
    uint32_t FHeaderColor = 0x000040;
    int FHeader = 0;
};

// The Qt colour of a colour 0x00BBGGRR.
QColor ColorOf(uint32_t color);

}  // namespace dravemo
