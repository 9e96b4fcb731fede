#pragma once

#include <QImage>
#include <QString>

// The pictures compiled into the program (textures, faces, About pictures, menu images).

// Makes the compiled-in pictures reachable; runs once however often it is called.
void InitBuiltInResources();

// A picture compiled into the program, by its name ("CPU00", "POLE1"); a null image when the
// program has no picture of that name.
QImage LoadResourceBitmap(const QString& name);
