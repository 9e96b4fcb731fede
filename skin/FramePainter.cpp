#include "skin/FramePainter.h"

#include "skin/EdgeLines.h"
#include "skin/PaintBands.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace {
const QColor kActiveCaption(0, 0, 128);
const QColor kActiveCaptionEnd(16, 132, 208);
const QColor kInactiveCaption(128, 128, 128);
const QColor kInactiveCaptionEnd(181, 181, 181);
} // namespace

namespace FramePainter {

void paintFrame(QPainter& painter, const QRect& outer) {
    paintInBands(painter, outer,
                 [&](const QRect& band, int) { painter.fillRect(band, kButtonFace); });
    const QRect e = outer.adjusted(0, 0, -1, -1);
    paintEdgeLines(painter, e, kLight, kDarkShadow);
    paintEdgeLines(painter, e.adjusted(1, 1, -1, -1), kHighlight, kShadow);
}

void paintCaptionBar(QPainter& painter, const QRect& bar, bool active, const QString& title,
                     const QFont& font, const QRect& titleRect) {
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, active ? kActiveCaption : kInactiveCaption);
    gradient.setColorAt(1, active ? kActiveCaptionEnd : kInactiveCaptionEnd);
    painter.fillRect(bar, gradient);
    painter.setFont(font);
    painter.setPen(active ? kHighlight : kButtonFace);
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(title, Qt::ElideRight, titleRect.width()));
}

void paintButtonFace(QPainter& painter, const QRect& r, bool pressed) {
    painter.fillRect(r, kButtonFace);
    const QRect e = r.adjusted(0, 0, -1, -1);
    if (pressed) {
        paintEdgeLines(painter, e, kDarkShadow, kHighlight);
        return;
    }
    paintEdgeLines(painter, e, kHighlight, kDarkShadow);
    painter.setPen(kShadow);
    painter.drawLine(e.bottomLeft() + QPoint(1, -1), e.bottomRight() + QPoint(-1, -1));
    painter.drawLine(e.topRight() + QPoint(-1, 1), e.bottomRight() + QPoint(-1, -1));
}

} // namespace FramePainter

void CaptionDrag::start(QWidget* window, const QMouseEvent* press) {
    if (window->windowHandle() && window->windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    offset_ = press->globalPosition().toPoint() - window->pos();
}

bool CaptionDrag::follow(QWidget* window, const QMouseEvent* move) {
    if (!dragging_)
        return false;
    window->move(move->globalPosition().toPoint() - offset_);
    return true;
}
