// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/TAreaShape.h"

#include <QPainter>

#include "capture/PixelGrid.h"
#include "capture/RegionPulse.h"

namespace dravemo {

QColor ColorOf(uint32_t color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

TAreaShape::TAreaShape(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ShpBack"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TAreaShape::SetPenColor(uint32_t color) {
    if (color == FPen) return;
    FPen = color;
    update();
}

void TAreaShape::SetBrushColor(uint32_t color) {
    if (color == FBrush) return;
    FBrush = color;
    update();
}

void TAreaShape::SetHeader(int height, uint32_t color) {
    FHeader = height;
    FHeaderColor = color;
    update();
}

void TAreaShape::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const PixelGrid local(devicePixelRatioF());
    painter.scale(1.0 / local.Scale(), 1.0 / local.Scale());
    const int width = local.PhysicalLength(this->width());
    const int height = local.PhysicalLength(this->height());
    painter.fillRect(QRect(0, 0, width, FHeader), ColorOf(FHeaderColor));
    painter.fillRect(QRect(0, FHeader, width, height - FHeader), ColorOf(FPen));
    painter.fillRect(QRect(1, FHeader + 1, width - 2, height - FHeader - 2), ColorOf(FBrush));
}

}  // namespace dravemo
