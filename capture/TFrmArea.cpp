// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The region frame's creation, geometry, settings, showing and closing.
#include "capture/TFrmArea.h"

#include <QCloseEvent>
#include <QRegion>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "capture/ScreenLayout.h"
#include "services/TranslateComponent.h"

namespace dravemo {

namespace {
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kHeaderColor = 0x000040;

QString SizeText(int width, int height) { return QStringLiteral("%1x%2").arg(width).arg(height); }
}  // namespace

TFrmArea::TFrmArea(TFrmSize& sizeDialog, IntegerSettings& settings, ScreenSource& screen,
                   TAreaHooks hooks)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FSize(sizeDialog),
      FSettings(settings),
      FScreen(screen),
      FHooks(std::move(hooks)) {
    setObjectName(QStringLiteral("FrmArea"));
    setWindowTitle(QStringLiteral("영역지정 - Dravemo"));
    CreateControls();
    connect(&FSize, &TFrmSize::SizeApplied, this,
            [this](int width, int height, int sizeNo) { SetSize(width, height, sizeNo); });

    TranslateComponent(this);
    UpdateSizeLimits();
    LoadPosition();
    UpdateCloseIcon();
    FormResize();
    Pulse.Reset(kRed);
    ShpBack->SetPenColor(kRed);
    ShpBack->SetBrushColor(kRed);
}

TFrmArea::~TFrmArea() = default;

PixelGrid TFrmArea::Grid() const {
    const QScreen* where = screen();
    return GridOf({where ? where->geometry() : QRect(), devicePixelRatioF()});
}

PixelGrid TFrmArea::GridAt(TPoint physical) const {
    return GridAtPhysical(ApplicationScreens(), physical, Grid());
}

PixelGrid TFrmArea::LocalGrid() const { return PixelGrid(devicePixelRatioF()); }

TRect TFrmArea::WindowRect() const { return Grid().ToPhysical(geometry()); }

int TFrmArea::HeaderHeight() const { return Grid().PhysicalLength(kHeaderDesignHeight); }

TRect TFrmArea::GetRect() const { return RegionOfWindow(WindowRect(), HeaderHeight()); }

void TFrmArea::SetMove(int left, int top) {
    const TPoint position = LimitWindowPosition({left, top});
    const PixelGrid grid = GridAt(position);
    move(grid.LogicalX(position.X), grid.LogicalY(position.Y));
}

void TFrmArea::SetSize(int width, int height, int sizeNo) {
    const TSize window = WindowSizeOfRegion(width, height, HeaderHeight());
    const PixelGrid grid = Grid();
    ApplySize({grid.LogicalLength(window.Width), grid.LogicalLength(window.Height)});
    if (QAction* item = PopSizeItem(sizeNo)) item->setText(SizeText(width, height));
}

void TFrmArea::ApplySize(QSize logical) {
    const PixelGrid grid = Grid();
    const QSize kept(NearestKeptLength(grid, logical.width(), FMinimum.width()),
                     NearestKeptLength(grid, logical.height(), FMinimum.height()));
    if (kept != size()) resize(kept);
    if (size() != FHandledSize || devicePixelRatioF() != FHandledRatio) FormResize();
}

void TFrmArea::UpdateSizeLimits() {
    // The smallest region is 2 x 2: a window of 14 x (header + 14) physical pixels.
    const PixelGrid grid = Grid();
    const int width = grid.LogicalLengthAtLeast(kRegionMinimum + 2 * kRegionBorder);
    const int height =
        grid.LogicalLengthAtLeast(HeaderHeight() + kRegionMinimum + 2 * kRegionBorder);
    FMinimum =
        QSize(NearestKeptLength(grid, width, width), NearestKeptLength(grid, height, height));
    setMinimumSize(FMinimum);
}

void TFrmArea::FormResize() {
    FHandledSize = size();
    FHandledRatio = devicePixelRatioF();
    const TRect window = WindowRect();
    const int header = HeaderHeight();
    FSize.EditWidth->SetValue(window.Width() - 2 * kRegionBorder);
    FSize.EditHeight->SetValue(window.Height() - header - 2 * kRegionBorder);
    LayoutHeader();
    // The label shows the fields as they read after clamping.
    LblSize->setText(SizeText(FSize.EditWidth->Value(), FSize.EditHeight->Value()));
    LblSize->adjustSize();
    const THeaderParts parts = VisibleHeaderParts(window.Width());
    PnlRec->setVisible(parts.RecordingTime);
    PnlClose->setVisible(parts.CloseButton);
    LblSize->setVisible(parts.SizeLabel);
    ShpBack->SetHeader(header, kHeaderColor);
    UpdateMask();
    SavePosition();
}

void TFrmArea::UpdateMask() {
    // Only the border strips and the header belong to the window. The hole's edges are the
    // logical ones that land on the wanted physical pixels.
    const PixelGrid local = LocalGrid();
    const TRect window = WindowRect();
    const int left = local.LogicalLength(kRegionBorder);
    const int top = local.LogicalLength(HeaderHeight() + kRegionBorder);
    const int right = local.LogicalLength(window.Width() - kRegionBorder);
    const int bottom = local.LogicalLength(window.Height() - kRegionBorder);
    QRegion shape(rect());
    if (right > left && bottom > top)
        shape -= QRegion(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    setMask(shape);
}

void TFrmArea::SavePosition() {
    const TRect window = WindowRect();
    const TRect region = GetRect();
    FSettings.WriteInteger(QStringLiteral("width"), region.Width());
    FSettings.WriteInteger(QStringLiteral("height"), region.Height());
    FSettings.WriteInteger(QStringLiteral("left"), window.Left);
    FSettings.WriteInteger(QStringLiteral("top"), window.Top);
}

std::vector<Monitor> TFrmArea::Monitors() const {
    try {
        std::vector<Monitor> monitors = FScreen.Monitors();
        if (!monitors.empty()) return monitors;
    } catch (const std::exception&) {
        // Without the screen's own answer, the screens as Qt knows them.
    }
    return ApplicationMonitors();
}

void TFrmArea::LoadPosition() {
    const std::vector<Monitor> monitors = Monitors();
    const TStoredPlacement defaults = DefaultPlacement(monitors);
    TStoredPlacement stored{FSettings.ReadInteger(QStringLiteral("left"), defaults.Left),
                            FSettings.ReadInteger(QStringLiteral("top"), defaults.Top),
                            FSettings.ReadInteger(QStringLiteral("width"), defaults.Width),
                            FSettings.ReadInteger(QStringLiteral("height"), defaults.Height)};
    for (int i = 1; i <= 3; ++i) {
        const TSize preset = kPresetDefaults[i - 1];
        PopSizeItem(i)->setText(
            SizeText(FSettings.ReadInteger(QStringLiteral("width_%1").arg(i), preset.Width),
                     FSettings.ReadInteger(QStringLiteral("height_%1").arg(i), preset.Height)));
    }
    // A region on a monitor that is gone, or touching the desktop's edge, starts over.
    const bool reset = !PlacementInsideDesktop(stored, monitors);
    if (reset) stored = defaults;
    SetMove(stored.Left, stored.Top);
    SetSize(stored.Width, stored.Height, 0);
    if (reset) SavePosition();
}

void TFrmArea::TmrColorTimer() { ShpBack->SetBrushColor(Pulse.Tick()); }

void TFrmArea::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    TmrColor->start();
}

void TFrmArea::closeEvent(QCloseEvent* event) {
    // The window manager's close request (Alt+F4 and the like) is refused: the frame closes
    // only through the program.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    TmrColor->stop();
    if (Recording() && FHooks.RecordStop) FHooks.RecordStop();
    SavePosition();
    event->accept();
}

bool TFrmArea::Recording() const { return FHooks.IsRecording && FHooks.IsRecording(); }

void TFrmArea::BtnCloseClick() {
    if (FHooks.SelectFullScreen) FHooks.SelectFullScreen();
    FSettings.WriteInteger(QStringLiteral("area"), 0);
    close();
}

void TFrmArea::PopSizeClick(int sizeNo) {
    const TSpinEdit* width = FSize.WidthField(sizeNo);
    const TSpinEdit* height = FSize.HeightField(sizeNo);
    if (sizeNo < 1 || !width || !height) return;
    SetSize(width->Value(), height->Value(), 0);
}

void TFrmArea::PopConfigClick() {
    FSize.show();
    FSize.raise();
    FSize.activateWindow();
}

QAction* TFrmArea::PopSizeItem(int sizeNo) const {
    switch (sizeNo) {
        case 1:
            return PopSize_1;
        case 2:
            return PopSize_2;
        case 3:
            return PopSize_3;
        default:
            return nullptr;
    }
}

void TFrmArea::RecordingStarted() {
    QFont font = LvlRecTime->font();
    font.setBold(true);
    LvlRecTime->setFont(font);
    QPalette yellow = LvlRecTime->palette();
    yellow.setColor(QPalette::WindowText, QColor(255, 255, 0));
    LvlRecTime->setPalette(yellow);
}

void TFrmArea::ShowRecordingTime(const QString& recTime) {
    LvlRecTime->setText(QStringLiteral("[REC] ") + recTime.left(8));
}

void TFrmArea::RecordingEnded() {
    QFont font = LvlRecTime->font();
    font.setBold(false);
    LvlRecTime->setFont(font);
    QPalette maroon = LvlRecTime->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    LvlRecTime->setPalette(maroon);
    LvlRecTime->setText(QStringLiteral("[REC] 00:00:00"));
}

}  // namespace dravemo
