#pragma once

#include <QByteArray>

// JPEG photos made with libjpeg for the tests, written a row at a time, so that a photo of any
// size takes no memory for its pixels. Each shows three parts: the top half red on the left and
// blue on the right, the bottom half green (#5fbf5f), once turned into RGB.
struct TestPhoto {
    enum class Colours {
        Rgb,
        Cmyk,         // amounts of ink, no Adobe segment
        InvertedCmyk, // 255 less the ink, marked by an Adobe segment, as editors write it
        Ycck,         // inverted CMYK stored as YCCK, marked by an Adobe segment
    };
    int width = 16;
    int height = 16;
    Colours colours = Colours::Rgb;
    int orientation = 0;        // the EXIF orientation written, none when 0
    bool exifBigEndian = false; // the EXIF segment's byte order
    bool progressive = false;
};

// The photo's bytes.
QByteArray makeTestPhoto(const TestPhoto& photo);
