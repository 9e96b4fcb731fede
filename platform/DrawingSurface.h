#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>

// The cosine and sine of a/256 of a full turn, a taken modulo 256 (negative values too),
// read from a 256-entry table filled once; animations call these every frame.
double cos256(int a);
double sin256(int a);

// A picture ready for the drawing surface: 32-bit with alpha, its black pixels made fully
// transparent (black is the transparent colour of every picture the surface draws).
QImage pictureWithBlackTransparent(const QImage& picture);

// An off-screen drawing surface with page flipping: every frame is drawn on the back surface
// and shown by Flip, which copies it to the front surface that a widget paints. Pictures are
// drawn with their alpha channel, so transparency is made once when they are loaded
// (pictureWithBlackTransparent). Sizes and positions are in the surface's own units; on a screen
// of pixel ratio above 1 the surface holds that many pixels per unit, so pictures drawn for that
// ratio stay sharp, and it paints at its size in units.
class DrawingSurface {
public:
    DrawingSurface(int width, int height, qreal pixelRatio = 1);
    ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    int width() const { return qRound(back_.deviceIndependentSize().width()); }
    int height() const { return qRound(back_.deviceIndependentSize().height()); }
    const QImage& backSurface() const { return back_; }
    // The last flipped frame; black before the first flip.
    const QImage& frontSurface() const { return front_; }

    void fill(const QColor& color);

    // A painter for text on the back surface, opened on first use. It must be released before
    // pictures are drawn or the frame is flipped; the drawing operations below release it
    // themselves if it is still open.
    QPainter& canvas();
    void releaseCanvas();

    // The picture scaled to dest; destination row r (from 0) shifted right by
    // round(amplitude · sin256(phase + r · 256 / wavelength)) pixels.
    void waveDraw(const QImage& picture, const QRect& dest, int amplitude, int wavelength,
                  int phase);
    // The picture scaled to size and turned clockwise by angle/256 of a full turn about its
    // centre, which lands on centre.
    void rotateDraw(const QImage& picture, const QPoint& centre, const QSize& size, int angle);
    // The same over the scene with an opacity: 0 or less draws nothing, 255 or more draws
    // opaque, values between blend.
    void rotateDrawBlended(const QImage& picture, const QPoint& centre, const QSize& size,
                           int angle, int opacity);

    // Shows the finished frame: the back surface becomes the front surface.
    void flip();

private:
    QImage back_;
    QImage front_;
    std::unique_ptr<QPainter> canvas_;
};
