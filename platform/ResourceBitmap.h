#pragma once

#include <QImage>
#include <QString>

// The pictures compiled into the program (textures, faces, About pictures, menu images).

// Makes the compiled-in pictures reachable; runs once however often it is called.
void initBuiltInResources();

// A picture compiled into the program, by its name ("CPU00", "POLE1"); a null image when the
// program has no picture of that name.
QImage loadResourceBitmap(const QString& name);

// A picture compiled into the program by its resource path (":/menu/1") in the given format
// ("PNG", "BMP"); a null image when there is none or it is not of that format.
QImage loadResourcePicture(const QString& path, const char* format);

// The pixel ratio pictures are drawn for: the highest device pixel ratio of the screens (1
// before the application exists).
qreal pictureRatio();

// A compiled-in picture for a screen of the given pixel ratio. Above 1 it is made from the
// picture drawn at twice the resolution ("<name>@2x", PNG), smoothly rescaled when the ratio is
// not 2; its device pixel ratio is set, so it paints at the size of the 1× picture. At ratio 1,
// or when there is no 2× picture, it is the 1× picture.
// How a picture is used, which decides how its edges are rescaled.
enum class PictureUse { Single, Tile };

QImage loadResourceBitmapForRatio(const QString& name, qreal ratio,
                                  PictureUse use = PictureUse::Single);
QImage loadResourcePictureForRatio(const QString& path, const char* format, qreal ratio,
                                   PictureUse use = PictureUse::Single);

// A picture rescaled smoothly for a screen of the given pixel ratio, its device pixel ratio set
// to it; returned as it is when its device pixel ratio already equals the ratio or when it would
// grow beyond 4096 pixels a side. A tile is rescaled as if surrounded by copies of itself, so
// that tiling shows no seam.
QImage scaledForRatio(const QImage& picture, qreal ratio, PictureUse use);
