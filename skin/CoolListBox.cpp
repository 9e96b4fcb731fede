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
    explicit LineHeightDelegate(TCoolListBox* box) : QStyledItemDelegate(box), box_(box) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), box_->ItemHeight());
    }

private:
    TCoolListBox* box_;
};
} // namespace

TCoolListBox::TCoolListBox(QWidget* parent) : QListWidget(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    selFont_ = font();
    setItemDelegate(new LineHeightDelegate(this));
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
}

void TCoolListBox::SetPaintTransparently(bool transparent) {
    transparent_ = transparent;
    viewport()->update();
}

void TCoolListBox::SetWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    viewport()->update();
}

void TCoolListBox::SetColor(const QColor& color) {
    color_ = color;
    viewport()->update();
}

void TCoolListBox::SetFontColor(const QColor& color) {
    fontColor_ = color;
    viewport()->update();
}

void TCoolListBox::SetSelColor(const QColor& color) {
    selColor_ = color;
    viewport()->update();
}

void TCoolListBox::SetSelFont(const QFont& font) {
    selFont_ = font;
    viewport()->update();
}

void TCoolListBox::SetSelFontColor(const QColor& color) {
    selFontColor_ = color;
    viewport()->update();
}

void TCoolListBox::SetItemHeight(int height) {
    itemHeight_ = height;
    doItemsLayout();
}

void TCoolListBox::SetColumns(const QList<int>& lefts) {
    columns_ = lefts;
    viewport()->update();
}

// The lines are drawn here rather than by a delegate: the whole look (transparency, the
// selected line's fill, font and bevel) is the box's own.
void TCoolListBox::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (!transparent_)
        PaintWallpaper(painter, viewport()->rect(), wallpaper_, color_);
    for (int row = 0; row < count(); ++row) {
        if (visualItemRect(item(row)).intersects(event->rect()))
            paintLine(painter, row);
    }
}

void TCoolListBox::paintLine(QPainter& painter, int row) {
    const QListWidgetItem* line = item(row);
    const QRect r = visualItemRect(line);
    const bool selected = line->isSelected();
    if (selected) {
        painter.fillRect(r, selColor_);
        PaintBevel(painter, r.adjusted(0, 0, -1, -1), BevelKind::Raised);
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
