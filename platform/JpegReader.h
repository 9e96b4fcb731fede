#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decoding of the picture files that dress the texture slots.

#include <QSize>

// The largest picture the game takes, by its header, before any memory is given to its
// pixels: 4096 pixels a side and 64 MB decoded (four bytes a pixel).
inline constexpr int kMaxPictureSide = 4096;
inline constexpr qint64 kMaxPictureBytes = 64LL * 1024 * 1024;

// True when a picture of this size in pixels may be decoded.
bool PictureSizeAllowed(QSize size);

// Decodes JPEG data with libjpeg into an RGB32 image. Any error and any warning of the
// decoder (a truncated file, corrupt data) gives a null image; the process never ends here.
// A picture whose header gives a size PictureSizeAllowed refuses is not decoded: the image
// is null and `refusedSize`, when given, receives that size.
QImage DecodeJpeg(const QByteArray& data, QSize* refusedSize = nullptr);

// What ReadPictureFile found.
enum class PictureReadResult {
    Decoded,     // the image holds the picture
    Undecodable, // the extension names no supported format, or the data is not a valid picture
};

// Reads a picture file by its extension: ".bmp" is a Windows bitmap, ".jpg" and ".jpeg" are
// JPEG (case ignored). A file that cannot be opened or read raises a VordaError of kind
// InputOutput; a picture larger than the limits above, by its header or by its file's size,
// raises a VordaError of kind Range naming the file and the size, before it is decoded. A
// file whose format is unknown or whose data does not decode is reported as Undecodable, and
// the image is left null.
PictureReadResult ReadPictureFile(const QString& path, QImage& image);
