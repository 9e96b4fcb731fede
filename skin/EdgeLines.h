#pragma once

class QColor;
class QPainter;
class QRect;

// The rectangle's one-pixel outline as four lines from corner to corner, the top and left ones
// in one colour, then the bottom and right ones in the other (they cover the corners they
// share), leaving the pen in the second colour. Unscaled and without antialiasing the lines'
// own pixels are filled, which costs a fraction of stroking them; otherwise they are drawn.
void paintEdgeLines(QPainter& painter, const QRect& r, const QColor& topLeft,
                    const QColor& bottomRight);
