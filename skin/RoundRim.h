#pragma once

#include <QRect>

class QPainter;

// The rim of a round button over `rect`: a shadow ellipse, a frame ellipse one pixel right and
// down, a light ellipse inside and a shadow arc along its lower right, all antialiased;
// pressed, the light and the frame swap. Where the painter maps whole pixels onto whole device
// pixels, each stroke is laid from a picture of it kept for the button's size and state, which
// gives the very pixels of stroking it (each picture holds one stroke alone, so laying them in
// turn blends every pixel as the strokes do); elsewhere the strokes are drawn.
void paintRoundRim(QPainter& painter, const QRect& rect, bool pressed);
// The same rim always stroked.
void strokeRoundRim(QPainter& painter, const QRect& rect, bool pressed);
