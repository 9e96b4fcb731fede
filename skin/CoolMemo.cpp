#include "skin/CoolMemo.h"

#include "skin/CoolControls.h"

#include <QPainter>
#include <QScrollBar>

CoolMemo::CoolMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundVisible(false);
    // The viewport paints nothing of its own: the wallpaper is painted in paintEvent, under
    // the text.
    viewport()->setAutoFillBackground(false);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
}

void CoolMemo::setLines(const QStringList& lines) {
    setPlainText(lines.join(QLatin1Char('\n')));
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

QStringList CoolMemo::lines() const {
    return toPlainText().split(QLatin1Char('\n'));
}

void CoolMemo::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    viewport()->update();
}

void CoolMemo::setColor(const QColor& color) {
    if (color_ == color)
        return;
    color_ = color;
    viewport()->update();
}

void CoolMemo::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(viewport());
        // Tiled from the box's top-left corner, so the viewport's offset inside the frame is
        // taken back.
        const QPoint origin = viewport()->mapTo(this, QPoint(0, 0));
        painter.translate(-origin);
        paintWallpaper(painter, rect(), wallpaper_, color_);
    }
    QPlainTextEdit::paintEvent(event);
}

void CoolMemo::scrollContentsBy(int dx, int dy) {
    // Scrolling by copying pixels would move the wallpaper with the text; repaint instead.
    QPlainTextEdit::scrollContentsBy(dx, dy);
    viewport()->update();
}
