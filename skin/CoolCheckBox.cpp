#include "skin/CoolCheckBox.h"

#include "platform/Cp1251.h"

#include <QPainter>

#include <QStyleOptionButton>
#include <algorithm>

namespace {
constexpr int kMarkMargin = 4; // from the left edge to the mark
constexpr int kCaptionGap = 4; // from the mark to the caption
constexpr int kMarkSize = 13;  // the standard check-box mark
} // namespace

CoolCheckBox::CoolCheckBox(QWidget* parent) : CoolTextControl<QCheckBox>(parent) {
    style_.simpleView = true;
}

void CoolCheckBox::setTransparent(bool transparent) {
    assign(transparent_, transparent);
}

void CoolCheckBox::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    update();
}

void CoolCheckBox::setColor(const QColor& color) {
    assign(color_, color);
}

void CoolCheckBox::setGlyph(const QString& glyph) {
    assign(glyph_, glyph);
}

QRect CoolCheckBox::markRect() const {
    return QRect(kMarkMargin, (height() - kMarkSize) / 2, kMarkSize, kMarkSize);
}

void CoolCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_)
        paintWallpaper(painter, rect(), wallpaper_, color_);

    QStyleOptionButton mark;
    mark.initFrom(this);
    mark.rect = markRect();
    switch (checkState()) {
    case Qt::Checked:
        mark.state |= QStyle::State_On;
        break;
    case Qt::PartiallyChecked:
        mark.state |= QStyle::State_NoChange;
        break;
    case Qt::Unchecked:
        mark.state |= QStyle::State_Off;
        break;
    }
    if (isDown())
        mark.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &mark, &painter, this);

    QRect textRect = rect();
    textRect.setLeft(mark.rect.right() + 1 + kCaptionGap);
    painter.setFont(font());
    const QString text = glyph_.isEmpty() ? cp1251ToUnicode(caption_) : glyph_;
    paintShadowedText(painter, textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      text, style_, isEnabled());
    if (hasFocus()) {
        const int width = painter.fontMetrics().horizontalAdvance(text);
        const QRect around(textRect.left() - 2, 1, std::min(width + 4, textRect.width() + 1),
                           height() - 3);
        paintFocusMark(painter, around, false);
    }
}

bool CoolCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}
