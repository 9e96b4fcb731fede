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
bool pictureSizeAllowed(QSize size);

// Decodes JPEG data with libjpeg into an RGB32 image, as other viewers show it:
// - a picture larger than the limits is decoded smaller by libjpeg itself, at the largest of
//   1/2, 1/4 and 1/8 that fits; the full-size picture is never held;
// - CMYK and YCCK are turned into RGB (inverted CMYK when an Adobe segment marks it);
// - the orientation of an EXIF segment is applied (a photo taken upright shows upright).
// Warnings that leave every scanline from the file (stray bytes before a marker, an unknown
// JFIF version, a missing end marker) are no failures; an error, or data that ends or breaks
// inside the picture, gives a null image; the process never ends here. A picture over the
// limits even at 1/8, or one stored in several scans whose coefficients would take more
// memory than a picture at the limit does, is not decoded: only its header has been read, the
// image is null and `refusedSize`, when given, receives its size from the header.
QImage decodeJpeg(const QByteArray& data, QSize* refusedSize = nullptr);

// What readPictureFile found.
enum class PictureReadResult {
    Decoded,     // the image holds the picture
    Undecodable, // the extension names no supported format, or the data is not a valid picture
};

// Reads a picture file by its extension: ".bmp" is a Windows bitmap, ".jpg" and ".jpeg" are
// JPEG (case ignored). A file that cannot be opened or read raises a VordaError of kind
// InputOutput. A file larger than the limits allow, a bitmap larger than the limits above by
// its header, and a JPEG that decodeJpeg refuses by its header raise a VordaError of kind
// Range naming the file and the size, before anything is decoded. A
// file whose format is unknown or whose data does not decode is reported as Undecodable, and
// the image is left null.
PictureReadResult readPictureFile(const QString& path, QImage& image);
