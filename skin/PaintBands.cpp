#include "skin/PaintBands.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {
// A band of this many device rows stays below the span count at which Qt starts threads, even
// with the up to five spans a row has under an antialiased round clip.
constexpr int kBandDeviceRows = 16;
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
    if (scale == 0 || area.height() * scale <= kBandDeviceRows) {
        paint(area, 0);
        return;
    }
    const int rows = std::max(1, kBandDeviceRows / scale);
    for (int top = 0; top < area.height(); top += rows)
        paint(
            QRect(area.left(), area.top() + top, area.width(), std::min(rows, area.height() - top)),
            top);
}
