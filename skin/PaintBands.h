#pragma once

#include <QRect>

#include <functional>

class QPainter;

// Qt's raster painting hands every fill of more than about a hundred spans (pixel rows, or
// pieces of rows under a rounded clip) to worker threads. For the small areas a window of this
// game paints, starting those threads and waking them for each piece costs many times the fill
// itself, most of all at start-up. So a large area is painted in bands of a few device rows
// (fewer under a clip, whose edges cut the rows into more spans), each band called with its
// rectangle and its distance from the area's top. Bands are made only where their edges fall on
// whole device pixels, so they paint exactly what one call would; on a fractional scale the area
// is painted in one call.
void paintInBands(QPainter& painter, const QRect& area,
                  const std::function<void(const QRect& band, int fromTop)>& paint);

// The device pixels per logical pixel when the painter maps whole logical pixels onto whole
// device pixels (a whole scale and a whole shift), else 0.
int wholePixelScale(const QPainter& painter);
