#pragma once

#include <QImage>
#include <QString>

// The pictures compiled into the program (textures, faces, About pictures, menu images).

// Makes the compiled-in pictures reachable; runs once however often it is called.
void InitBuiltInResources();

// A picture compiled into the program, by its name ("CPU00", "POLE1"); a null image when the
// program has no picture of that name.
QImage LoadResourceBitmap(const QString& name);

// A picture compiled into the program by its resource path (":/menu/1") in the given format
// ("PNG", "BMP"); a null image when there is none or it is not of that format.
QImage LoadResourcePicture(const QString& path, const char* format);
