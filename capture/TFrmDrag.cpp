// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/TFrmDrag.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <exception>

#include "capture/DragSelection.h"
#include "capture/ScreenLayout.h"

namespace dravemo {

TFrmDrag* FrmDrag = nullptr;

namespace {

// Qt draws Format_RGB32 pixels as 0xffRRGGBB; the screen delivers the fourth byte as 0.
void MakeOpaque(TBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) p[x * 4 + 3] = 0xFF;
    }
}

QImage ViewOf(TBitmap& bitmap) {
    if (bitmap.Empty()) return {};
    return QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.Stride(),
                  QImage::Format_RGB32);
}

}  // namespace

TFrmDrag::TFrmDrag(QWidget* owner, ScreenSource& screen, WindowActivation* activation)
    : QDialog(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FScreenSource(screen),
      FActivation(activation) {
    setObjectName(QStringLiteral("FrmDrag"));
    setAttribute(Qt::WA_DeleteOnClose);
    // paintEvent covers every pixel it is asked for; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setCursor(Qt::CrossCursor);
    setModal(true);
    FrmDrag = this;
    TmrActive.setInterval(100);
    connect(&TmrActive, &QTimer::timeout, this, &TFrmDrag::TmrActiveTimer);
    TmrActive.start();
}

TFrmDrag::~TFrmDrag() {
    if (FrmDrag == this) FrmDrag = nullptr;
}

void TFrmDrag::Capture(std::unique_ptr<TBitmap>& bitmap, TRect& rect) {
    bitmap = std::make_unique<TBitmap>();
    FBitmap = &bitmap;
    FRect = &rect;
    // The picture is taken while the overlay is still hidden, so that it is not part of it;
    // the pointer is never part of a screen copy.
    FDesktop = DesktopBounds(FScreenSource.Monitors());
    FScreen = TBitmap(FDesktop.Width(), FDesktop.Height());
    if (!FScreen.Empty()) {
        FScreenSource.CopyArea(
            {FDesktop.Left, FDesktop.Top},
            PixelBuffer{FScreen.Bits(), FScreen.Width(), FScreen.Height(), FScreen.Stride()});
    }
    MakeOpaque(FScreen);
    ComposeSelection(FScreen, TRect{}, FDark);
    FScreenImage = ViewOf(FScreen);
    FDarkImage = ViewOf(FDark);
    FSelecting = false;
    FCaptureRect = TRect{};
    // Placed through the screen that holds the desktop's corner, as Qt maps the window.
    const TPoint corner{FDesktop.Left, FDesktop.Top};
    setGeometry(
        GridAtPhysical(ApplicationScreens(), corner, LocalGrid()).CoverLogical(ToQRect(FDesktop)));
}

void TFrmDrag::done(int result) {
    if (FDone) return;
    Finish(result);
    QDialog::done(result);
}

void TFrmDrag::closeEvent(QCloseEvent* event) {
    // Closed from outside (the window manager): a cancel. Qt hides and deletes the overlay.
    if (!FDone) Finish(Rejected);
    event->accept();
}

void TFrmDrag::Finish(int result) {
    FDone = true;
    TmrActive.stop();
    setResult(result);
    if (result != Accepted && FBitmap) FBitmap->reset();
}

void TFrmDrag::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    StayOnTop();
    RequestActivation();
}

void TFrmDrag::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const PixelGrid local = LocalGrid();
    // Device pixels asked for, a pixel wider on every side than the logical area, since Qt may
    // round a fractional edge either way; the painter's clip keeps the rest untouched.
    QRegion area;
    for (const QRect& r : event->region()) area += local.CoverPhysical(r).adjusted(-1, -1, 1, 1);
    const QRect picture(0, 0, FScreen.Width(), FScreen.Height());
    const QRect selection = ToQRect(FCaptureRect) & picture;

    QPainter painter(this);
    // Draw in device pixels: the pictures are copied one to one, never resampled.
    painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRegion inside = area & picture;
    for (const QRect& r : inside.subtracted(selection)) {
        painter.drawImage(r.topLeft(), FDarkImage, r);
    }
    for (const QRect& r : inside.intersected(selection)) {
        painter.drawImage(r.topLeft(), FScreenImage, r);
    }
    for (const QRect& r : area.subtracted(picture)) painter.fillRect(r, Qt::black);
}

TPoint TFrmDrag::ClientPoint(const QMouseEvent& event) const {
    const qreal ratio = devicePixelRatioF();
    const QPointF estimate = LocalGrid().PhysicalPoint(event.position());
    QPoint device = estimate.toPoint();
    if (ratio != 1.0) {
        // Qt reports whole logical pixels, each standing for `ratio` device pixels. While the
        // pointer is still inside that cell, its own physical position tells which one it is.
        try {
            const ScreenPoint pointer = FScreenSource.CursorPosition();
            const QPoint client(pointer.X - FDesktop.Left, pointer.Y - FDesktop.Top);
            if (std::abs(client.x() - estimate.x()) <= ratio / 2 &&
                std::abs(client.y() - estimate.y()) <= ratio / 2) {
                device = client;
            }
        } catch (const std::exception&) {
            // No pointer position from the screen: the estimate stands.
        }
    }
    return TPoint{std::clamp(device.x(), 0, FScreen.Width()),
                  std::clamp(device.y(), 0, FScreen.Height())};
}

void TFrmDrag::SetCaptureRect(const TRect& rect) {
    const QRegion changed = ChangedArea(FCaptureRect, rect);
    FCaptureRect = rect;
    if (!changed.isEmpty()) update(LocalGrid().CoverLogical(changed));
}

void TFrmDrag::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    FSelecting = true;
    FStartPoint = FEndPoint = ClientPoint(*event);
}

void TFrmDrag::mouseMoveEvent(QMouseEvent* event) {
    if (!FSelecting) return;
    FEndPoint = ClientPoint(*event);
    SetCaptureRect(NormalizeRect(FStartPoint, FEndPoint));
}

void TFrmDrag::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !FSelecting) return;
    FSelecting = false;
    FEndPoint = ClientPoint(*event);
    SetCaptureRect(NormalizeRect(FStartPoint, FEndPoint));
    // A click without a drag selects nothing: the overlay stays for another try.
    if (FCaptureRect.IsEmpty()) return;
    Deliver();
}

void TFrmDrag::Deliver() {
    if (FBitmap) {
        if (!*FBitmap) *FBitmap = std::make_unique<TBitmap>();
        **FBitmap = CopyRect(FScreen, FCaptureRect);
    }
    if (FRect) {
        *FRect = RectOfSize(FDesktop.Left + FCaptureRect.Left, FDesktop.Top + FCaptureRect.Top,
                            FCaptureRect.Width(), FCaptureRect.Height());
    }
    done(Accepted);
}

void TFrmDrag::keyPressEvent(QKeyEvent* event) {
    // Every key is swallowed; only Esc does something.
    event->accept();
    if (event->key() == Qt::Key_Escape) reject();
}

void TFrmDrag::TmrActiveTimer() {
    if (!isVisible()) return;
    if (ApplicationActive()) {
        FWasActive = true;
        StayOnTop();
    } else if (FWasActive) {
        reject();
    } else {
        // Not given the focus yet: keep on top and ask again.
        StayOnTop();
        RequestActivation();
    }
}

PixelGrid TFrmDrag::LocalGrid() const { return PixelGrid(devicePixelRatioF()); }

void TFrmDrag::StayOnTop() { raise(); }

bool TFrmDrag::ApplicationActive() const {
    if (!FActivation) return QGuiApplication::applicationState() == Qt::ApplicationActive;
    // The desktop's own record of the active window: it changes at once, while Qt learns of a
    // switch to another program only after a delay.
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [this](QWidget* w) {
        return w->isVisible() && w->internalWinId() != 0 &&
               FActivation->IsForeground(static_cast<uintptr_t>(w->internalWinId()));
    });
}

void TFrmDrag::RequestActivation() {
    activateWindow();
    if (FActivation && internalWinId() != 0) {
        FActivation->RequestForeground(static_cast<uintptr_t>(internalWinId()));
    }
}

}  // namespace dravemo
