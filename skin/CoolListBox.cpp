#include "skin/CoolListBox.h"

#include "skin/CoolControls.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVariant>

#include <algorithm>

namespace {
// Gives every line the box's item height; the lines themselves are painted by the box.
class LineHeightDelegate : public QStyledItemDelegate {
public:
    explicit LineHeightDelegate(CoolListBox* box) : QStyledItemDelegate(box), box_(box) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), box_->itemHeight());
    }

private:
    CoolListBox* box_;
};
} // namespace

CoolListBox::CoolListBox(QWidget* parent) : QListWidget(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    selFont_ = font();
    setItemDelegate(new LineHeightDelegate(this));
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
}

void CoolListBox::setPaintTransparently(bool transparent) {
    transparent_ = transparent;
    viewport()->update();
}

void CoolListBox::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    viewport()->update();
}

void CoolListBox::setColor(const QColor& color) {
    color_ = color;
    viewport()->update();
}

void CoolListBox::setFontColor(const QColor& color) {
    fontColor_ = color;
    viewport()->update();
}

void CoolListBox::setSelColor(const QColor& color) {
    selColor_ = color;
    viewport()->update();
}

void CoolListBox::setSelFont(const QFont& font) {
    selFont_ = font;
    viewport()->update();
}

void CoolListBox::setSelFontColor(const QColor& color) {
    selFontColor_ = color;
    viewport()->update();
}

void CoolListBox::setItemHeight(int height) {
    itemHeight_ = height;
    doItemsLayout();
}

void CoolListBox::setColumns(const QList<int>& lefts) {
    columns_ = lefts;
    viewport()->update();
}

// The lines are drawn here rather than by a delegate: the whole look (transparency, the
// selected line's fill, font and bevel) is the box's own.
void CoolListBox::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (!transparent_)
        paintWallpaper(painter, viewport()->rect(), wallpaper_, color_);
    for (int row = 0; row < count(); ++row) {
        if (visualItemRect(item(row)).intersects(event->rect()))
            paintLine(painter, row);
    }
}

void CoolListBox::paintLine(QPainter& painter, int row) {
    const QListWidgetItem* line = item(row);
    const QRect r = visualItemRect(line);
    const bool selected = line->isSelected();
    if (selected) {
        painter.fillRect(r, selColor_);
        paintBevel(painter, r.adjusted(0, 0, -1, -1), BevelKind::Raised);
    }
    painter.setFont(selected ? selFont_ : font());
    const QVariant own = line->data(Qt::ForegroundRole);
    painter.setPen(selected                                    ? selFontColor_
                   : own.canConvert<QBrush>() && own.isValid() ? own.value<QBrush>().color()
                                                               : fontColor_);
    constexpr int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (columns_.isEmpty()) {
        painter.drawText(r.adjusted(2, 0, 0, 0), flags, line->text());
        return;
    }
    const QStringList parts = line->text().split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size() && i < columns_.size(); ++i) {
        const int left = r.left() + columns_[i] + 2;
        const int right = i + 1 < columns_.size() ? r.left() + columns_[i + 1] - 2 : r.right();
        const QRect cell(left, r.top(), std::max(right - left, 0), r.height());
        painter.drawText(cell, flags,
                         painter.fontMetrics().elidedText(parts[i], Qt::ElideRight, cell.width()));
    }
}
