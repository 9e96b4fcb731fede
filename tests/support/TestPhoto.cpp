#include "tests/support/TestPhoto.h"

#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {
// The three parts as RGB and as amounts of cyan, magenta, yellow and black ink that give it.
const unsigned char kRgbParts[3][3] = {{255, 0, 0}, {0, 0, 255}, {95, 191, 95}};
const unsigned char kInkParts[3][4] = {{0, 255, 255, 0}, {255, 255, 0, 0}, {128, 0, 128, 64}};

// An APP1 EXIF segment whose first directory holds the orientation alone.
QByteArray exifSegment(int orientation, bool bigEndian) {
    QByteArray tiff(8 + 2 + 12 + 4, '\0');
    auto put16 = [&](int at, quint16 value) {
        bigEndian ? qToBigEndian(value, tiff.data() + at)
                  : qToLittleEndian(value, tiff.data() + at);
    };
    auto put32 = [&](int at, quint32 value) {
        bigEndian ? qToBigEndian(value, tiff.data() + at)
                  : qToLittleEndian(value, tiff.data() + at);
    };
    tiff[0] = tiff[1] = bigEndian ? 'M' : 'I';
    put16(2, 42);
    put32(4, 8);                     // the first directory
    put16(8, 1);                     // one entry:
    put16(10, 0x0112);               // orientation,
    put16(12, 3);                    // a SHORT,
    put32(14, 1);                    // one of them,
    put16(18, quint16(orientation)); // held in the entry
    put32(22, 0);                    // no next directory
    return QByteArray("Exif\0\0", 6) + tiff;
}
} // namespace

QByteArray makeTestPhoto(const TestPhoto& photo) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors); // a test picture that cannot be made ends the test
    jpeg_create_compress(&info);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &bytes, &size);
    const bool rgb = photo.colours == TestPhoto::Colours::Rgb;
    info.image_width = JDIMENSION(photo.width);
    info.image_height = JDIMENSION(photo.height);
    info.input_components = rgb ? 3 : 4;
    info.in_color_space = rgb ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (photo.colours == TestPhoto::Colours::Ycck)
        jpeg_set_colorspace(&info, JCS_YCCK);
    info.write_Adobe_marker = photo.colours == TestPhoto::Colours::InvertedCmyk ||
                              photo.colours == TestPhoto::Colours::Ycck;
    if (photo.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (photo.orientation != 0) {
        const QByteArray exif = exifSegment(photo.orientation, photo.exifBigEndian);
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.constData()),
                          unsigned(exif.size()));
    }
    const bool inverted = info.write_Adobe_marker;
    std::vector<unsigned char> row(size_t(photo.width) * info.input_components);
    for (int y = 0; y < photo.height; ++y) {
        for (int x = 0; x < photo.width; ++x) {
            const int part = y >= photo.height / 2 ? 2 : x >= photo.width / 2 ? 1 : 0;
            for (int c = 0; c < info.input_components; ++c) {
                const unsigned char value = rgb ? kRgbParts[part][c] : kInkParts[part][c];
                row[size_t(x) * info.input_components + c] = inverted ? 255 - value : value;
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray result(reinterpret_cast<const char*>(bytes), qsizetype(size));
    std::free(bytes);
    return result;
}
