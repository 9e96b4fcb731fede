#pragma once

#include <QPixmap>
#include <QPlainTextEdit>
#include <QStringList>

// A read-only text box that wraps at word boundaries and scrolls vertically, its text drawn
// with a transparent background over its wallpaper. The wallpaper is tiled from the box's
// own top-left corner and stays put while the text scrolls; without a wallpaper the box is
// filled with its colour.
class CoolMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CoolMemo(QWidget* parent = nullptr);

    // The text, one string per line (an empty string is an empty line); Unicode, since the
    // box only shows text that the program itself holds.
    void setLines(const QStringList& lines);
    QStringList lines() const;

    void setWallpaper(const QPixmap& wallpaper);
    const QPixmap& wallpaper() const { return wallpaper_; }
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QPixmap wallpaper_;
    QColor color_ = Qt::white;
};
