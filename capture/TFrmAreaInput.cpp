// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The region frame's mouse and keyboard: the border's zones, moving by the header, the key
// steps, and what follows the window manager's moves and resizes.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "capture/TFrmArea.h"

namespace dravemo {

namespace {
Qt::CursorShape ZoneCursor(THitZone zone) {
    switch (zone) {
        case htLeft:
        case htRight:
            return Qt::SizeHorCursor;
        case htTop:
        case htBottom:
            return Qt::SizeVerCursor;
        case htTopLeft:
        case htBottomRight:
            return Qt::SizeFDiagCursor;
        case htTopRight:
        case htBottomLeft:
            return Qt::SizeBDiagCursor;
        default:
            return Qt::ArrowCursor;
    }
}
}  // namespace

QPoint TFrmArea::PhysicalPoint(const QPointF& local) const {
    return LocalGrid().PhysicalPoint(local).toPoint();
}

THitZone TFrmArea::HitTestAt(int x, int y) const {
    const TRect window = WindowRect();
    const THitZone zone = HitTest(x, y, window.Width(), window.Height(), HeaderHeight());
    // While recording the border answers as the window's inside: no move, no resize.
    if (zone != htNowhere && Recording()) return htClient;
    return zone;
}

void TFrmArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = PhysicalPoint(event->position());
    const THitZone zone = HitTestAt(point.x(), point.y());
    QWindow* window = windowHandle();
    if (!window) return;
    if (zone == htCaption) {
        window->startSystemMove();
    } else if (const Qt::Edges edges = ZoneEdges(zone)) {
        window->startSystemResize(edges);
    }
    event->accept();
}

void TFrmArea::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton) return;
    const QPoint point = PhysicalPoint(event->position());
    setCursor(ZoneCursor(HitTestAt(point.x(), point.y())));
}

bool TFrmArea::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return QWidget::eventFilter(watched, event);
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == BtnClose) {
        if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
            BtnClose->rect().contains(mouse->position().toPoint())) {
            BtnCloseClick();
        }
        return true;
    }
    if (type == QEvent::MouseButtonPress) return HeaderMousePress(mouse);
    return true;
}

bool TFrmArea::HeaderMousePress(QMouseEvent* event) {
    // The right button opens the header menu: a move loop started by it would hold the
    // pointer the menu needs.
    if (event->button() == Qt::RightButton) {
        PopSize->popup(event->globalPosition().toPoint());
        return true;
    }
    // Keyboard moves so far are kept; the drag itself is kept when it has settled.
    SavePosition();
    if (QWindow* window = windowHandle()) window->startSystemMove();
    return true;
}

void TFrmArea::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier)) {
        event->accept();
        return;
    }
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Left && key != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
        return;
    }
    KeyboardStep(key, event->modifiers());
    event->accept();
}

void TFrmArea::KeyboardStep(int key, Qt::KeyboardModifiers modifiers) {
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    const int direction = key == Qt::Key_Up || key == Qt::Key_Left ? -1 : 1;
    const PixelGrid grid = Grid();
    // Shift wins over Ctrl.
    const int resizeStep = modifiers & Qt::ShiftModifier     ? 1
                           : modifiers & Qt::ControlModifier ? 10
                                                             : 0;
    if (resizeStep != 0) {
        QSize size = this->size();
        if (vertical) {
            size.setHeight(
                StepKeptLength(grid, size.height(), direction * resizeStep, FMinimum.height()));
        } else {
            size.setWidth(
                StepKeptLength(grid, size.width(), direction * resizeStep, FMinimum.width()));
        }
        ApplySize(size);
        return;
    }
    // Not saved here: the next resize, header drag or close keeps the position.
    const QPoint position = geometry().topLeft();
    if (vertical) {
        move(position.x(), StepCoordinate(grid, true, position.y(), direction));
    } else {
        move(StepCoordinate(grid, false, position.x(), direction), position.y());
    }
}

void TFrmArea::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (event->spontaneous()) FSettle->start();
}

void TFrmArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutHeader();
    if (size() != FHandledSize || devicePixelRatioF() != FHandledRatio) FormResize();
    if (event->spontaneous()) FSettle->start();
}

void TFrmArea::Settled() {
    // Where a logical pixel is not a whole number of physical pixels, the window manager may
    // leave the window between Qt's pixels; placing it again puts it where the region's
    // physical rectangle says.
    if (!Grid().Exact()) {
        ApplySize(size());
        if (QWindow* window = windowHandle()) window->setFramePosition(window->framePosition());
    }
    SavePosition();
}

bool TFrmArea::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ScreenChangeInternal) {
        // Another scale: other logical lengths for the physical ones, another close image.
        UpdateSizeLimits();
        UpdateCloseIcon();
        ApplySize(size());
    }
    return handled;
}

}  // namespace dravemo
