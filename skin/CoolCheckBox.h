#pragma once

#include "skin/CoolControls.h"

#include <QCheckBox>
#include <QColor>
#include <QPixmap>
#include <QString>

// A check box that paints itself: its wallpaper tiled (or its colour) unless transparent,
// then the standard check mark 4 pixels from the left, vertically centred, and the caption
// 4 pixels to its right, vertically centred, with a transparent background. The caption is
// Windows-1251 text; a glyph, when set, is drawn in its place (symbols outside the code page).
// Setting the state from code repaints the box without emitting clicked().
class CoolCheckBox : public CoolTextControl<QCheckBox> {
    Q_OBJECT
public:
    explicit CoolCheckBox(QWidget* parent = nullptr);

    void setTransparent(bool transparent);
    bool transparent() const { return transparent_; }
    void setWallpaper(const QPixmap& wallpaper);
    const QPixmap& wallpaper() const { return wallpaper_; }
    void setColor(const QColor& color);
    void setGlyph(const QString& glyph);

    // Where the mark is painted, in the box's coordinates.
    QRect markRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool transparent_ = false;
    QPixmap wallpaper_;
    QColor color_ = QColor(192, 192, 192);
    QString glyph_;
};
