#pragma once

#include <QRect>

#include <cstdint>
#include <functional>

class QPainter;

// The two parts of a round button that look alike on every button of a size, its rim and its
// face, laid from pictures kept for the purpose: drawing them for each button took more than
// the rest of the window's first painting.

// The rim of a round button over `rect`: a shadow ellipse, a frame ellipse one pixel right and
// down, a light ellipse inside and a shadow arc along its lower right, all antialiased;
// pressed, the light and the frame swap. Where the painter maps whole pixels onto whole device
// pixels, each stroke is laid from a picture of it kept for the button's size and state: each
// picture holds one stroke alone, so laying them in turn blends every pixel as the strokes do,
// but for a few pixels that Qt's one-pixel stroke at 100% blends twice, which come out a level
// or two in 255 apart. Elsewhere the strokes are drawn.
void paintRoundRim(QPainter& painter, const QRect& rect, bool pressed);
// The same rim always stroked.
void strokeRoundRim(QPainter& painter, const QRect& rect, bool pressed);

// The face of a round button over `rect`: what `paintFace` paints over the rectangle, cut to the
// ellipse inside it with antialiased edges. Where the painter maps whole pixels onto whole
// device pixels it is laid from a picture kept for the size, the scale and `faceKey` (which
// names what paintFace paints, such as a wallpaper's cache key): the face's edge pixels, blended
// once over the background from the picture, may differ by a level in 255 from the face painted
// through the clip, which the face is elsewhere.
void paintRoundFace(QPainter& painter, const QRect& rect, int64_t faceKey,
                    const std::function<void(QPainter&, const QRect&)>& paintFace);
// The same face always painted through the clip.
void clipRoundFace(QPainter& painter, const QRect& rect,
                   const std::function<void(QPainter&, const QRect&)>& paintFace);
