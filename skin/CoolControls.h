#pragma once

#include "platform/Cp1251.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QWidget>

#include <initializer_list>
#include <optional>
#include <string>

// The skinned controls: widgets that paint tiled texture wallpapers, shadowed captions and
// bevels. Captions are game text in Windows-1251 bytes; they become Unicode only when painted.

enum class BevelKind { None, Lowered, Raised };
enum class ShadowPos { LeftTop, LeftBottom, RightBottom, RightTop };

// The text look shared by labels and buttons.
struct CoolTextStyle {
    QColor fontColor = Qt::black;
    QColor shadowColor = QColor(0, 120, 215);
    int shadowSize = 1;
    ShadowPos shadowPos = ShadowPos::LeftTop;
    bool simpleView = false;
};

// Paints the wallpaper over the rectangle, copies of it side by side from the rectangle's
// top-left corner, unscaled; without a wallpaper the rectangle is filled with the colour.
void paintWallpaper(QPainter& painter, const QRect& rect, const QPixmap& wallpaper,
                    const QColor& color);
// Draws a caption by the shadow rule (or plainly with simpleView), embossed when disabled.
void paintShadowedText(QPainter& painter, const QRect& rect, int flags, const QString& text,
                       const CoolTextStyle& style, bool enabled);
// The keyboard focus mark: a dotted outline (an ellipse on a round control), black and white
// dots in turn so it shows on any picture.
void paintFocusMark(QPainter& painter, const QRect& rect, bool round);
// A one-pixel 3-D edge on the rectangle's border, or `inset` edges inside it. On a scaled screen
// each edge is a whole number of device pixels wide (the scale rounded, at least one) and lies
// on device pixels, so that neighbouring controls' edges look alike at 125%, 150% or 200%.
void paintBevel(QPainter& painter, const QRect& rect, BevelKind kind, int inset = 0);

// The caption (Windows-1251) and its text look, shared by labels and buttons. Setters
// repaint only when a value changes.
template <class Base> class CoolTextControl : public Base {
public:
    using Base::Base;

    const std::string& caption() const { return caption_; }
    // The caption is also the control's accessible name, which screen readers speak.
    void setCaption(const std::string& caption) {
        if (caption_ != caption)
            this->setAccessibleName(cp1251ToUnicode(caption));
        assign(caption_, caption);
    }
    QColor fontColor() const { return style_.fontColor; }
    void setFontColor(const QColor& color) { assign(style_.fontColor, color); }
    void setShadowColor(const QColor& color) { assign(style_.shadowColor, color); }
    // How far text and shadow stand apart, in pixels; 0 hides the shadow under the text.
    void setShadowSize(int pixels) { assign(style_.shadowSize, pixels); }
    int shadowSize() const { return style_.shadowSize; }
    void setSimpleView(bool simple) { assign(style_.simpleView, simple); }

protected:
    template <typename T> void assign(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        this->update();
    }

    std::string caption_;
    CoolTextStyle style_;
};

// A label: optional wallpaper (when not transparent), inner and outer bevels, and a caption.
class CoolLabel : public CoolTextControl<QWidget> {
    Q_OBJECT
public:
    explicit CoolLabel(QWidget* parent = nullptr);

    void setTransparent(bool transparent);
    bool transparent() const { return transparent_; }
    void setBevels(BevelKind inner, BevelKind outer);
    void setAlignment(Qt::Alignment alignment);
    void setWallpaper(const QPixmap& wallpaper);
    const QPixmap& wallpaper() const { return wallpaper_; }
    void setColor(const QColor& color);
    // A caption too long for the label ends in "…", its start visible.
    void setElided(bool elided);
    // The caption as painted, after eliding.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;

    bool transparent_ = false;
    bool elided_ = false;
    BevelKind bevelInner_ = BevelKind::None;
    BevelKind bevelOuter_ = BevelKind::None;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    QPixmap wallpaper_;
    QColor color_ = QColor(192, 192, 192);
};

// A push button with a tiled wallpaper face, optionally round, and a shadowed caption.
// A press of any mouse button is announced by mouseDown before the usual click handling;
// double clicks count as two presses.
class CoolButton : public CoolTextControl<QAbstractButton> {
    Q_OBJECT
public:
    explicit CoolButton(QWidget* parent = nullptr);

    void setRounded(bool rounded);
    void setWallpaper(const QPixmap& wallpaper);
    const QPixmap& wallpaper() const { return wallpaper_; }
    // A face of 129 vertical bands from start (left) to end (right) instead of the wallpaper.
    void setGradient(const QColor& start, const QColor& end);

    // The caption keeps this much room on either side.
    static constexpr int kCaptionMargin = 4;
    // The focus mark stands this far inside the button's edge.
    static constexpr int kFocusInset = 4;
    // The font the caption is drawn in: the button's own font while the caption fits its
    // width with the margins; otherwise a condensed face of it, a pixel smaller at a time
    // (down to kSmallestCaptionPixels) until it fits.
    // Buttons standing side by side share one font: see fitCaptionFonts.
    QFont captionFont() const;
    static constexpr int kSmallestCaptionPixels = 8;
    // The caption font this button alone would take.
    QFont ownCaptionFont() const;

signals:
    void mouseDown(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    void paintFace(QPainter& painter, const QRect& rect) const;
    // Names what paintFace paints: the wallpaper's cache key, the gradient's colours, or 0 for
    // the plain face.
    int64_t faceKey() const;
    QFont fittedCaptionFont(int room) const;

    bool rounded_ = false;
    QPixmap wallpaper_;
    bool gradient_ = false;
    QColor gradientStart_, gradientEnd_;
    std::optional<QFont> rowFont_;
    // The last fitting, asked again at every repaint: measuring the caption costs more than
    // painting the whole button.
    struct FittedCaption {
        std::string caption;
        QFont font;
        int room = 0;
        QFont fitted;
    };
    mutable std::optional<FittedCaption> fitted_;

    friend void fitCaptionFonts(std::initializer_list<CoolButton*> row);
};

// Gives buttons that stand together one caption font: the largest that fits every caption,
// so no button of the row is drawn smaller or narrower than its siblings. Call again after
// their captions change.
void fitCaptionFonts(std::initializer_list<CoolButton*> row);

// A panel: wallpaper (or colour) and 3-D frames. It holds other controls.
class CoolPanel : public QWidget {
    Q_OBJECT
public:
    explicit CoolPanel(QWidget* parent = nullptr);
    void setBevels(BevelKind inner, BevelKind outer);
    void setWallpaper(const QPixmap& wallpaper);
    const QPixmap& wallpaper() const { return wallpaper_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BevelKind bevelInner_ = BevelKind::None;
    BevelKind bevelOuter_ = BevelKind::Raised;
    QPixmap wallpaper_;
};

// A frame drawn around other controls; transparent inside unless given a wallpaper.
class CoolBevel : public QWidget {
    Q_OBJECT
public:
    explicit CoolBevel(QWidget* parent = nullptr);
    void setKind(BevelKind kind);
    void setWallpaper(const QPixmap& wallpaper);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BevelKind kind_ = BevelKind::Raised;
    QPixmap wallpaper_;
};

// A window's client area with its tiled wallpaper background.
class CoolClientArea : public QWidget {
    Q_OBJECT
public:
    explicit CoolClientArea(QWidget* parent = nullptr);
    void setWallpaper(const QPixmap& wallpaper);
    const QPixmap& wallpaper() const { return wallpaper_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap wallpaper_;
};

// A Windows point size at 96 dots per inch, in pixels.
constexpr int pointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

// The pixel font standing in for the Windows "Default" and "MS Sans Serif" fonts.
QFont coolFont(int pixelSize, bool bold = false);
