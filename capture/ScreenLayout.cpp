// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/ScreenLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdint>

namespace dravemo {

PixelGrid GridOf(const ScreenScale& screen) {
    return PixelGrid(screen.Ratio, screen.Logical.topLeft());
}

ScreenRect PhysicalArea(const ScreenScale& screen) {
    const PixelGrid grid = GridOf(screen);
    return ScreenRect{grid.PhysicalX(screen.Logical.x()), grid.PhysicalY(screen.Logical.y()),
                      grid.PhysicalLength(screen.Logical.width()),
                      grid.PhysicalLength(screen.Logical.height())};
}

PixelGrid GridAtPhysical(const std::vector<ScreenScale>& screens, TPoint physical,
                         const PixelGrid& fallback) {
    for (const ScreenScale& screen : screens) {
        const ScreenRect area = PhysicalArea(screen);
        if (QRect(area.X, area.Y, area.Width, area.Height).contains(physical.X, physical.Y))
            return GridOf(screen);
    }
    return fallback;
}

PixelGrid GridAtLogical(const std::vector<ScreenScale>& screens, QPoint logical,
                        const PixelGrid& fallback) {
    for (const ScreenScale& screen : screens) {
        if (screen.Logical.contains(logical)) return GridOf(screen);
    }
    return fallback;
}

std::vector<ScreenScale> ApplicationScreens() {
    std::vector<ScreenScale> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.push_back({screen->geometry(), screen->devicePixelRatio()});
    return screens;
}

std::vector<Monitor> ApplicationMonitors() {
    std::vector<Monitor> monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        monitors.push_back(
            {PhysicalArea({screen->geometry(), screen->devicePixelRatio()}), screen == primary});
    }
    return monitors;
}

TRect DesktopBounds(const std::vector<Monitor>& monitors) {
    if (monitors.empty()) return {};
    int64_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const Monitor& m : monitors) {
        left = std::min<int64_t>(left, m.Bounds.X);
        top = std::min<int64_t>(top, m.Bounds.Y);
        right = std::max<int64_t>(right, int64_t{m.Bounds.X} + std::max(m.Bounds.Width, 0));
        bottom = std::max<int64_t>(bottom, int64_t{m.Bounds.Y} + std::max(m.Bounds.Height, 0));
    }
    // Kept to sizes an int32 width can express; such a desktop is still far too large for a
    // bitmap, which says so.
    right = std::min<int64_t>(right, left + INT32_MAX);
    bottom = std::min<int64_t>(bottom, top + INT32_MAX);
    const auto clamp = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return TRect{clamp(left), clamp(top), clamp(right), clamp(bottom)};
}

}  // namespace dravemo
