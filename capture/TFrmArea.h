// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "capture/IntegerSettings.h"
#include "capture/PixelGrid.h"
#include "capture/RegionGeometry.h"
#include "capture/RegionPulse.h"
#include "capture/TAreaShape.h"
#include "capture/TFrmSize.h"
#include "platform/ScreenSource.h"

namespace dravemo {

// What the region frame asks of the main window that owns it. Absent functions count as "not
// recording" and do nothing.
struct TAreaHooks {
    // Whether a recording runs; the border then neither moves nor resizes the frame.
    std::function<bool()> IsRecording;
    // Asks the running recording to stop.
    std::function<void()> RecordStop;
    // Sets the main window's capture mode list to full screen without running its handler.
    std::function<void()> SelectFullScreen;
};

// The region frame: an always-on-top window without decorations that marks the capture region
// with a pulsing red border and a dark red header. Its shape is only the border and the
// header, so the region inside shows, and passes the mouse to, whatever lies beneath. The
// header moves it, the border and the keyboard resize it, and the header's menu offers the
// custom sizes of the size dialog. Position and size are kept in the settings. Every length
// here that is not a laid-out control is in physical screen pixels; the window lives for the
// whole run and closing it only hides it.
class TFrmArea : public QWidget {
    Q_OBJECT
public:
    // The header's height in design pixels at 96 dots per inch.
    static constexpr int kHeaderDesignHeight = 25;

    TFrmArea(TFrmSize& sizeDialog, IntegerSettings& settings, ScreenSource& screen,
             TAreaHooks hooks);
    ~TFrmArea() override;

    // The region in physical screen pixels, shown or hidden.
    TRect GetRect() const;
    // Gives the region `width` x `height` pixels (within the size limits). Size number 1 to 3
    // also names that header menu item after the size.
    void SetSize(int width, int height, int sizeNo);
    // Places the window's top left corner at a physical screen point.
    void SetMove(int left, int top);
    // Places the window as stored, or at the default when the stored region does not lie
    // strictly inside the desktop.
    void LoadPosition();
    // Stores the region's size and the window's position.
    void SavePosition();

    // The window and the header height in physical pixels, and the pixel grid of its screen.
    TRect WindowRect() const;
    int HeaderHeight() const;
    PixelGrid Grid() const;
    // The window's own logical coordinates against its device pixels.
    PixelGrid LocalGrid() const;

    // The recording look of the header's time label: bold yellow while a recording runs,
    // showing the first eight characters of the elapsed time; regular maroon afterwards.
    void RecordingStarted();
    void ShowRecordingTime(const QString& recTime);
    void RecordingEnded();

    // The answer to a mouse press at a client point (physical pixels): the border's zones, or
    // htClient while recording.
    THitZone HitTestAt(int x, int y) const;

    // Handlers, public so that tests can drive them as the user would.
    void TmrColorTimer();
    void BtnCloseClick();
    void PopSizeClick(int sizeNo);
    void PopConfigClick();
    // Runs after every change of the window's size.
    void FormResize();

    TAreaShape* ShpBack = nullptr;
    QWidget* PnlHead = nullptr;
    QWidget* PnlSize = nullptr;
    QLabel* LblSize = nullptr;
    QWidget* PnlRec = nullptr;
    QLabel* LvlRecTime = nullptr;
    QWidget* PnlClose = nullptr;
    QLabel* BtnClose = nullptr;
    QMenu* PopSize = nullptr;
    QAction* PopSize_1 = nullptr;
    QAction* PopSize_2 = nullptr;
    QAction* PopSize_3 = nullptr;
    QAction* PopConfig = nullptr;
    QAction* PopClose = nullptr;
    QTimer* TmrColor = nullptr;
    TAreaPulse Pulse;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateMenu();
    void LayoutHeader();
    void UpdateMask();
    void UpdateSizeLimits();
    void UpdateCloseIcon();
    // Resizes to a logical size (a kept one within the limits), running the resize handling
    // when the size changed.
    void ApplySize(QSize logical);
    void KeyboardStep(int key, Qt::KeyboardModifiers modifiers);
    bool HeaderMousePress(QMouseEvent* event);
    // After the window manager has moved or resized the window.
    void Settled();
    bool Recording() const;
    std::vector<Monitor> Monitors() const;
    PixelGrid GridAt(TPoint physical) const;
    QPoint PhysicalPoint(const QPointF& local) const;
    QAction* PopSizeItem(int sizeNo) const;

    TFrmSize& FSize;
    IntegerSettings& FSettings;
    ScreenSource& FScreen;
    TAreaHooks FHooks;
    QTimer* FSettle = nullptr;
    QSize FHandledSize;
    double FHandledRatio = 0;
    QSize FMinimum;
};

}  // namespace dravemo
