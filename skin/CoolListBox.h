#pragma once

#include <QColor>
#include <QFont>
#include <QListWidget>
#include <QPixmap>

// A list box that draws its own lines. An unselected line shows, behind its text, the parent's
// background (transparent), or else the wallpaper tiled, or the colour, in the box's font and
// font colour; the selected line is filled with selColor and written in selFont and
// selFontColor, framed by a bevel (the look of the game's slot list). The box has no frame.
// With columns set, a line's text is split at its tabs and each part is written from its
// column's left edge, cut short before the next column. A line with a foreground colour of its
// own is written in it while unselected.
class CoolListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CoolListBox(QWidget* parent = nullptr);

    void setPaintTransparently(bool transparent);
    bool paintTransparently() const { return transparent_; }
    void setWallpaper(const QPixmap& wallpaper);
    void setColor(const QColor& color);
    void setFontColor(const QColor& color);
    void setSelColor(const QColor& color);
    void setSelFont(const QFont& font);
    void setSelFontColor(const QColor& color);
    void setItemHeight(int height);
    // The left edges of the columns, in pixels from the line's left; empty for none.
    void setColumns(const QList<int>& lefts);

    QColor fontColor() const { return fontColor_; }
    QColor selColor() const { return selColor_; }
    const QFont& selFont() const { return selFont_; }
    QColor selFontColor() const { return selFontColor_; }
    int itemHeight() const { return itemHeight_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLine(QPainter& painter, int row);

    bool transparent_ = false;
    QPixmap wallpaper_;
    QColor color_ = Qt::white;
    QColor fontColor_ = Qt::black;
    QColor selColor_ = QColor(0, 120, 215);
    QFont selFont_;
    QColor selFontColor_ = Qt::white;
    int itemHeight_ = 16;
    QList<int> columns_;
};
