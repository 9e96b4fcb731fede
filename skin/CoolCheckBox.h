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
class TCoolCheckRadioBox : public TCoolTextControl<QCheckBox> {
    Q_OBJECT
public:
    explicit TCoolCheckRadioBox(QWidget* parent = nullptr);

    void SetTransparent(bool transparent);
    bool Transparent() const { return transparent_; }
    void SetWallpaper(const QPixmap& wallpaper);
    const QPixmap& Wallpaper() const { return wallpaper_; }
    void SetColor(const QColor& color);
    void SetGlyph(const QString& glyph);

    // Where the mark is painted, in the box's coordinates.
    QRect MarkRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool transparent_ = false;
    QPixmap wallpaper_;
    QColor color_ = QColor(192, 192, 192);
    QString glyph_;
};
