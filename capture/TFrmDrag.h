// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <memory>

#include "capture/PixelGrid.h"
#include "capture/TBitmap.h"
#include "capture/TRect.h"
#include "platform/ScreenSource.h"
#include "platform/WindowActivation.h"

namespace dravemo {

// The drag selection overlay (capture mode 2): covers the whole virtual desktop with a frozen,
// darkened picture of it and lets the user drag out a rectangle with the left button, shown at
// full brightness. Releasing the button hands the frozen pixels of the rectangle and its screen
// position to the caller's variables; Esc, or another program taking the activation, cancels.
// One overlay serves one capture: create it, arm it with Capture, show it modally (exec); it
// deletes itself when it closes (WA_DeleteOnClose) and clears FrmDrag.
//
// All coordinates of the overlay are device pixels of its client area, which starts at the
// desktop's top-left corner; Qt's logical coordinates are converted where events come in and
// paint goes out.
class TFrmDrag : public QDialog {
    Q_OBJECT
public:
    // `activation` may be null: the overlay then relies on Qt's view of the activation.
    TFrmDrag(QWidget* owner, ScreenSource& screen, WindowActivation* activation = nullptr);
    ~TFrmDrag() override;

    // Freezes the desktop, places the overlay over it and remembers the caller's variables:
    // `bitmap` receives a new, empty bitmap now, and after the modal loop holds the selection,
    // or null when cancelled; `rect` receives the selection's screen rectangle and is left as
    // it was on a cancel. Call it right before showing. Errors of the screen propagate.
    void Capture(std::unique_ptr<TBitmap>& bitmap, TRect& rect);

    // The selection in client pixels; empty before a drag.
    const TRect& CaptureRect() const { return FCaptureRect; }
    bool Selecting() const { return FSelecting; }
    // The frozen desktop (32 bits, B, G, R, X) in client pixels.
    const TBitmap& FrozenScreen() const { return FScreen; }

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Every 100 ms: keeps the overlay on top while the program is active, cancels otherwise.
    void TmrActiveTimer();
    void StayOnTop();
    bool ApplicationActive() const;
    void RequestActivation();
    // The overlay's own logical coordinates against its device pixels.
    PixelGrid LocalGrid() const;
    // The client pixel of a mouse event, clamped to the desktop (the end point is exclusive,
    // so the far edge itself is a valid point).
    TPoint ClientPoint(const QMouseEvent& event) const;
    // Sets the selection and repaints the pixels whose brightness changed.
    void SetCaptureRect(const TRect& rect);
    void Deliver();
    // Ends the overlay's work once: stops the timer and, unless accepted, frees the caller's
    // bitmap.
    void Finish(int result);

    ScreenSource& FScreenSource;
    WindowActivation* FActivation;
    TPoint FStartPoint;
    TPoint FEndPoint;
    bool FSelecting = false;
    TRect FCaptureRect;
    TRect FDesktop;
    TBitmap FScreen;
    // FScreen darkened everywhere, made once: the picture outside any selection.
    TBitmap FDark;
    // Views of the two bitmaps for painting (no copies).
    QImage FScreenImage;
    QImage FDarkImage;
    std::unique_ptr<TBitmap>* FBitmap = nullptr;
    TRect* FRect = nullptr;
    QTimer TmrActive;
    // Whether the program has been active since the overlay showed; X11 hands the focus over
    // asynchronously, so only losing it after that counts as switching away.
    bool FWasActive = false;
    bool FDone = false;
};

// The overlay while one is open; null otherwise.
extern TFrmDrag* FrmDrag;

}  // namespace dravemo
