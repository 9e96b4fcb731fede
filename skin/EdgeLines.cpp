#include "skin/EdgeLines.h"

#include "skin/PaintBands.h"

#include <QPainter>

void paintEdgeLines(QPainter& painter, const QRect& r, const QColor& topLeft,
                    const QColor& bottomRight) {
    if (wholePixelScale(painter) == 1 && !painter.testRenderHint(QPainter::Antialiasing) &&
        r.width() > 0 && r.height() > 0) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        painter.setPen(bottomRight);
        return;
    }
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}
