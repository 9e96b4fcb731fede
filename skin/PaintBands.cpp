#include "skin/PaintBands.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {
// A band of this many device rows stays below the span count at which Qt starts threads: one
// span a row unclipped, and up to five a row under a clip such as a round button's
// antialiased outline.
constexpr int kBandDeviceRows = 64;
constexpr int kClippedBandDeviceRows = 16;
} // namespace

int wholePixelScale(const QPainter& painter) {
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != t.m22())
        return 0;
    const double scale = t.m22();
    const double rounded = std::round(scale);
    if (rounded < 1 || scale != rounded || t.dx() != std::round(t.dx()) ||
        t.dy() != std::round(t.dy()))
        return 0;
    return int(rounded);
}

void paintInBands(QPainter& painter, const QRect& area,
                  const std::function<void(const QRect& band, int fromTop)>& paint) {
    const int scale = wholePixelScale(painter);
    const int deviceRows = painter.hasClipping() ? kClippedBandDeviceRows : kBandDeviceRows;
    if (scale == 0 || area.height() * scale <= deviceRows) {
        paint(area, 0);
        return;
    }
    const int rows = std::max(1, deviceRows / scale);
    for (int top = 0; top < area.height(); top += rows)
        paint(
            QRect(area.left(), area.top() + top, area.width(), std::min(rows, area.height() - top)),
            top);
}
