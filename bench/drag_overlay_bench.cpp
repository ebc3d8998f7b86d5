// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The drag overlay's cost per mouse move during a drag at 1920 x 1080 and 3840 x 2160: the time
// from the move event to the finished repaint, for the overlay (which repaints only the pixels
// whose brightness changed, from a darkened copy made once) and for the straightforward way
// (recompose the whole desktop picture from the frozen copy on every move and repaint all of
// it), measured in the same run on the same path. Both pictures are checked to be identical.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QBackingStore>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "capture/DragSelection.h"
#include "capture/TFrmDrag.h"

namespace {

using namespace dravemo;
using Clock = std::chrono::steady_clock;

// One monitor of the given size showing a busy picture.
class PatternScreen : public ScreenSource {
public:
    PatternScreen(int width, int height) : FWidth(width), FHeight(height) {}
    void CopyArea(ScreenPoint origin, const PixelBuffer& target) override {
        for (int y = 0; y < target.Height; ++y) {
            uint8_t* p = target.Data + static_cast<ptrdiff_t>(y) * target.Stride;
            for (int x = 0; x < target.Width; ++x, p += 4) {
                const uint32_t sx = origin.X + x, sy = origin.Y + y;
                p[0] = static_cast<uint8_t>(sx * 7 + sy);
                p[1] = static_cast<uint8_t>(sx ^ sy);
                p[2] = static_cast<uint8_t>(sy * 3 + (sx >> 4));
                p[3] = 0;
            }
        }
    }
    CursorImage Cursor() override { return {}; }
    ScreenPoint CursorPosition() override { return {}; }
    std::vector<Monitor> Monitors() override { return {{{0, 0, FWidth, FHeight}, true}}; }
    WindowId ActiveWindow() override { return WindowId::None; }
    WindowId WindowAt(ScreenPoint) override { return WindowId::None; }
    std::optional<ScreenRect> WindowFrame(WindowId) override { return std::nullopt; }
    std::optional<ScreenColor> PixelAt(ScreenPoint) override { return std::nullopt; }

private:
    int FWidth, FHeight;
};

// The straightforward overlay: on every move the whole picture is composed anew from the
// frozen desktop and the whole window repainted from it.
class StraightOverlay : public QWidget {
public:
    StraightOverlay(const TBitmap& frozen, qreal ratio) : FFrozen(frozen) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        ComposeSelection(FFrozen, {}, FPicture);
        resize(qRound(frozen.Width() / ratio), qRound(frozen.Height() / ratio));
    }
    void Select(const TRect& selection) {
        ComposeSelection(FFrozen, selection, FPicture);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const qreal ratio = devicePixelRatioF();
        painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0,
                          QImage(FPicture.Bits(), FPicture.Width(), FPicture.Height(),
                                 FPicture.Stride(), QImage::Format_RGB32));
    }

private:
    const TBitmap& FFrozen;
    TBitmap FPicture;
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

void SendMouse(QWidget* widget, QEvent::Type type, QPoint device) {
    const qreal ratio = widget->devicePixelRatioF();
    const QPointF local(device.x() / ratio, device.y() / ratio);
    QMouseEvent event(type, local, widget->mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A drag as a hand makes it: from a tenth of the way in, in steps of a few pixels, out to
// nine tenths and part of the way back.
std::vector<QPoint> DragPath(int width, int height, int moves) {
    std::vector<QPoint> path;
    const QPoint from(width / 10, height / 10), to(width * 9 / 10, height * 9 / 10);
    for (int i = 1; i <= moves; ++i) {
        const double t = i <= moves * 3 / 4 ? double(i) / (moves * 3 / 4)
                                            : 1.0 - 0.5 * (i - moves * 3 / 4) / (moves / 4);
        path.emplace_back(from.x() + int((to.x() - from.x()) * t),
                          from.y() + int((to.y() - from.y()) * t));
    }
    return path;
}

// Milliseconds per move: the move is handled and the repaint it asks for has finished.
double MillisecondsPerMove(const std::vector<QPoint>& path,
                           const std::function<void(QPoint)>& move) {
    const auto start = Clock::now();
    for (const QPoint& p : path) {
        move(p);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    return elapsed.count() / static_cast<double>(path.size());
}

QImage Shown(QWidget* widget) {
    QPaintDevice* device = widget->backingStore()->paintDevice();
    if (device->devType() != QInternal::Image) return {};
    return static_cast<QImage*>(device)->convertToFormat(QImage::Format_RGB32);
}

bool SamePicture(const QImage& a, const QImage& b, int width, int height) {
    if (a.width() < width || a.height() < height || b.width() < width || b.height() < height) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if ((la[x] & 0xFFFFFF) != (lb[x] & 0xFFFFFF)) return false;
        }
    }
    return true;
}

bool Run(int width, int height, int moves) {
    PatternScreen screen(width, height);
    std::unique_ptr<TBitmap> bitmap;
    TRect rect;
    QWidget owner;
    QPointer<TFrmDrag> overlay = new TFrmDrag(&owner, screen);  // owned by `owner`
    overlay->Capture(bitmap, rect);
    overlay->show();
    StraightOverlay straight(overlay->FrozenScreen(), overlay->devicePixelRatioF());
    straight.show();
    QCoreApplication::processEvents();

    PaintCounter fastPaints, plainPaints;
    overlay->installEventFilter(&fastPaints);
    straight.installEventFilter(&plainPaints);
    const std::vector<QPoint> path = DragPath(width, height, moves);
    const QPoint start(width / 10, height / 10);
    SendMouse(overlay, QEvent::MouseButtonPress, start);
    const double fast =
        MillisecondsPerMove(path, [&](QPoint p) { SendMouse(overlay, QEvent::MouseMove, p); });
    const double plain = MillisecondsPerMove(path, [&](QPoint p) {
        straight.Select(NormalizeRect({start.x(), start.y()}, {p.x(), p.y()}));
    });

    TBitmap expected;
    ComposeSelection(overlay->FrozenScreen(), overlay->CaptureRect(), expected);
    const QImage reference(expected.Bits(), expected.Width(), expected.Height(), expected.Stride(),
                           QImage::Format_RGB32);
    const bool same = SamePicture(Shown(overlay), Shown(&straight), width, height) &&
                      SamePicture(Shown(overlay), reference, width, height);
    std::printf(
        "%4d x %4d, %d moves (%d and %d repaints): overlay %8.3f ms/move, "
        "straightforward %8.3f ms/move, straightforward / overlay %6.1f x, pictures %s\n",
        width, height, moves, fastPaints.Paints, plainPaints.Paints, fast, plain, plain / fast,
        same ? "identical" : "DIFFER");
    return same;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("device pixel ratio %.2f\n", app.devicePixelRatio());
    const bool ok = Run(1920, 1080, 300) && Run(3840, 2160, 300);
    return ok ? 0 : 1;
}
