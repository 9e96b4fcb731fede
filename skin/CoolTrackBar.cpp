#include "skin/CoolTrackBar.h"

#include "platform/ResourceBitmap.h"
#include "skin/CoolControls.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kThumbWidth = 9;
constexpr int kThumbHeight = 20;
constexpr int kMargin = 8; // from each end of the bar to the centre of the end positions
constexpr int kThumbTop = 4;
constexpr int kTickLength = 4;
} // namespace

CoolTrackBar::CoolTrackBar(QWidget* parent) : QAbstractSlider(parent) {
    setOrientation(Qt::Horizontal);
    setFocusPolicy(Qt::StrongFocus);
    setPageStep(1);
    thumb_ = loadResourceBitmap(QStringLiteral("THUMB_HORZ"));
    thumbInverted_ = loadResourceBitmap(QStringLiteral("THUMB_HORZ_INVERT"));
}

int CoolTrackBar::trackLeft() const {
    return kMargin;
}
int CoolTrackBar::trackRight() const {
    return width() - 1 - kMargin;
}

QRect CoolTrackBar::thumbRect(int position) const {
    const int span = std::max(1, maximum() - minimum());
    const int centre = trackLeft() + (trackRight() - trackLeft()) * (position - minimum()) / span;
    return QRect(centre - kThumbWidth / 2, kThumbTop, kThumbWidth, kThumbHeight);
}

int CoolTrackBar::positionAt(int x) const {
    const int span = std::max(1, maximum() - minimum());
    const int length = std::max(1, trackRight() - trackLeft());
    const int offset = std::clamp(x - trackLeft(), 0, length);
    return minimum() + (offset * span + length / 2) / length;
}

void CoolTrackBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int trackY = kThumbTop + kThumbHeight / 2;
    paintBevel(painter, QRect(trackLeft() - 2, trackY - 2, trackRight() - trackLeft() + 4, 4),
               BevelKind::Lowered);
    painter.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(128, 128, 128));
    const int tickTop = kThumbTop + kThumbHeight + 2;
    for (int value = minimum(); value <= maximum(); ++value) {
        const int x = thumbRect(value).center().x();
        painter.drawLine(x, tickTop, x, tickTop + kTickLength);
    }
    const QImage& picture = (dragging_ || !isEnabled()) ? thumbInverted_ : thumb_;
    const QRect thumb = thumbRect(sliderPosition());
    if (picture.isNull())
        painter.fillRect(thumb, palette().button());
    else
        painter.drawImage(thumb, picture);
    if (hasFocus()) {
        painter.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
        painter.drawRect(thumb.adjusted(-2, -2, 1, 1));
    }
}

void CoolTrackBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    setSliderDown(true);
    dragging_ = true;
    setSliderPosition(positionAt(event->position().toPoint().x()));
    update();
}

void CoolTrackBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return;
    setSliderPosition(positionAt(event->position().toPoint().x()));
}

void CoolTrackBar::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    setSliderDown(false);
    update();
}
