#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decoding of the picture files that dress the texture slots.

// Decodes JPEG data with libjpeg into an RGB32 image. Any error and any warning of the
// decoder (a truncated file, corrupt data) gives a null image; the process never ends here.
QImage DecodeJpeg(const QByteArray& data);

// What ReadPictureFile found.
enum class PictureReadResult {
    Decoded,     // the image holds the picture
    Undecodable, // the extension names no supported format, or the data is not a valid picture
};

// Reads a picture file by its extension: ".bmp" is a Windows bitmap, ".jpg" and ".jpeg" are
// JPEG (case ignored). A file that cannot be opened or read raises a VordaError of kind
// InputOutput; a file whose format is unknown or whose data does not decode is reported as
// Undecodable, and the image is left null.
PictureReadResult ReadPictureFile(const QString& path, QImage& image);
