#include "platform/JpegReader.h"

#include "platform/FileWriting.h"

#include "platform/VordaError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
// After jpeglib.h, which it needs: the message codes.
#include <jerror.h>

namespace {

// Room for a bitmap's headers and palette beside its pixels.
constexpr qint64 kPictureHeaderSlack = 64 * 1024;

// A JPEG stored in several scans (progressive) keeps the coefficients of the whole picture in
// libjpeg's memory, at full size whatever the scale it is decoded at. They may take what the
// largest picture taken at full size needs (4096 x 4096 in full colour resolution); libjpeg's
// rows and tables get a little more beside them.
constexpr qint64 kMaxCoefficientBytes = 96LL * 1024 * 1024;
constexpr qint64 kDecoderSlackBytes = 16LL * 1024 * 1024;

// The EXIF segment is kept only as far as its first directory, which holds the orientation.
constexpr unsigned kExifBytesKept = 16 * 1024;

// libjpeg's default error manager ends the process on an error and only prints warnings; ours
// jumps back to the decoding function on an error and on a warning that means part of the
// picture is missing.
struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool dataRanOut; // libjpeg supplied the end marker itself: judged once the picture is read
};

[[noreturn]] void errorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

// Warnings (msg_level -1) that leave every scanline from the file are let pass, as other viewers
// show those pictures: stray bytes before a marker, an unknown JFIF version or Adobe transform,
// a damaged colour profile, and data that runs out where only the end marker is missing. Any
// other warning means libjpeg would make up part of the picture (grey) from data that is not
// there. Trace messages (level 0 and up) are ignored.
void emitMessage(j_common_ptr info, int msgLevel) {
    if (msgLevel >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
        return;
    case JWRN_JPEG_EOF:
        reinterpret_cast<JumpingErrorManager*>(info->err)->dataRanOut = true;
        return;
    default:
        errorExit(info);
    }
}

void outputMessage(j_common_ptr) {}

// The orientation an EXIF segment gives the picture, 1 to 8 as the TIFF tag counts them; 1 (as
// stored) without one.
int exifOrientation(jpeg_saved_marker_ptr marker) {
    for (; marker; marker = marker->next) {
        const JOCTET* data = marker->data;
        if (marker->marker != JPEG_APP0 + 1 || marker->data_length < 6 + 8 ||
            std::memcmp(data, "Exif\0\0", 6) != 0)
            continue;
        const JOCTET* tiff = data + 6;
        const quint32 length = marker->data_length - 6;
        const bool bigEndian = std::memcmp(tiff, "MM\0*", 4) == 0;
        if (!bigEndian && std::memcmp(tiff, "II*\0", 4) != 0)
            return 1;
        auto read16 = [&](quint32 at) {
            return bigEndian ? qFromBigEndian<quint16>(tiff + at)
                             : qFromLittleEndian<quint16>(tiff + at);
        };
        const quint32 directory =
            bigEndian ? qFromBigEndian<quint32>(tiff + 4) : qFromLittleEndian<quint32>(tiff + 4);
        if (directory < 8 || directory > length - 2)
            return 1;
        const quint32 entries = read16(directory);
        for (quint32 entry = 0; entry < entries; ++entry) {
            const quint64 at = directory + 2 + 12ULL * entry;
            if (at + 12 > length)
                break;
            // Tag 0x0112, one SHORT held in the entry itself.
            if (read16(quint32(at)) == 0x0112 && read16(quint32(at) + 2) == 3) {
                const int orientation = read16(quint32(at) + 8);
                return orientation >= 1 && orientation <= 8 ? orientation : 1;
            }
        }
        return 1;
    }
    return 1;
}

// Chooses the largest of libjpeg's scales 1, 1/2, 1/4 and 1/8 at which the decoded picture is
// within the limits; false when none is. Only the header has been read.
bool chooseScale(j_decompress_ptr info) {
    for (unsigned denominator = 1; denominator <= 8; denominator *= 2) {
        info->scale_num = 1;
        info->scale_denom = denominator;
        jpeg_calc_output_dimensions(info);
        if (pictureSizeAllowed(
                QSize(static_cast<int>(info->output_width), static_cast<int>(info->output_height))))
            return true;
    }
    return false;
}

// What libjpeg keeps for a picture of several scans: every block of every component, rounded
// up to whole blocks of the sampling as it stores them. Nothing for a picture of one scan.
qint64 wholePictureBytes(j_decompress_ptr info) {
    if (!jpeg_has_multiple_scans(info))
        return 0;
    qint64 bytes = 0;
    for (int c = 0; c < info->num_components; ++c) {
        const jpeg_component_info& component = info->comp_info[c];
        const qint64 across = (component.width_in_blocks + component.h_samp_factor - 1) /
                              component.h_samp_factor * component.h_samp_factor;
        const qint64 down = (component.height_in_blocks + component.v_samp_factor - 1) /
                            component.v_samp_factor * component.v_samp_factor;
        bytes += across * down * qint64(sizeof(JBLOCK));
    }
    return bytes;
}

// True when a progressive picture got every bit of every coefficient before its data ran out:
// one whose last scans are missing decodes without complaint, only blurred.
bool allScansRead(j_decompress_ptr info) {
    if (!info->progressive_mode)
        return true;
    for (int c = 0; c < info->num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (info->coef_bits[c][k] != 0)
                return false;
    return true;
}

// CMYK comes from libjpeg as stored. A file with an Adobe segment stores it inverted (0 is full
// ink), as the editors that write CMYK do; without one the values are amounts of ink. Turned
// into RGB32 in place, four bytes for four.
void cmykToRgb32(unsigned char* row, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x) {
        unsigned char* pixel = row + 4 * qsizetype(x);
        const int flip = inverted ? 0 : 255;
        const int k = pixel[3] ^ flip;
        auto part = [&](int value) { return ((value ^ flip) * k + 127) / 255; };
        const QRgb rgb = qRgb(part(pixel[0]), part(pixel[1]), part(pixel[2]));
        std::memcpy(pixel, &rgb, 4);
    }
}

// How each EXIF orientation (1 to 8) is shown: a decoded pixel (x, y) goes to (x, y), or to
// (y, x) when transposed, then mirrored across and down as marked. 6 is turned right, 8 left.
struct Turn {
    bool transposed, mirroredAcross, mirroredDown;
};
constexpr Turn kTurns[9] = {{},
                            {false, false, false},
                            {false, true, false},
                            {false, true, true},
                            {false, false, true},
                            {true, false, false},
                            {true, true, false},
                            {true, true, true},
                            {true, false, true}};

// Puts row y of the decoded picture (width x height, four bytes a pixel) where the orientation
// shows it; for orientations 5 to 8 the picture shown is height pixels wide.
void placeRow(const unsigned char* row, qsizetype width, qsizetype height, qsizetype y,
              int orientation, unsigned char* bits, qsizetype bytesPerLine) {
    const Turn& turn = kTurns[orientation];
    if (!turn.transposed && !turn.mirroredAcross && !turn.mirroredDown) {
        std::memcpy(bits + y * bytesPerLine, row, size_t(width) * 4);
        return;
    }
    const qsizetype shownWidth = turn.transposed ? height : width;
    const qsizetype shownHeight = turn.transposed ? width : height;
    for (qsizetype x = 0; x < width; ++x) {
        qsizetype across = turn.transposed ? y : x;
        qsizetype down = turn.transposed ? x : y;
        if (turn.mirroredAcross)
            across = shownWidth - 1 - across;
        if (turn.mirroredDown)
            down = shownHeight - 1 - down;
        std::memcpy(bits + down * bytesPerLine + across * 4, row + x * 4, 4);
    }
}

// Where the decoding function puts the picture: memory the caller owns, taken once the size
// is known through the callback, and the header's size for the caller's message. Plain data,
// as it lives across setjmp.
struct JpegTarget {
    void* context;
    // The picture as shown (orientation applied), RGB32: its first row and the bytes from one
    // row to the next, or null when the memory cannot be had.
    unsigned char* (*allocate)(void* context, int width, int height, qsizetype* bytesPerLine);
    JDIMENSION headerWidth;
    JDIMENSION headerHeight;
};

enum class JpegOutcome { Decoded, Damaged, TooLarge };

// RGB32 as it lies in memory: the alpha byte is 0xFF either way.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_ARGB;
#endif

// The decoding proper. Only plain locals live across setjmp. The size is checked right after
// the header, before any memory is taken for the picture: the scale is chosen there, and a
// picture of several scans whose coefficients would exceed their share is refused.
JpegOutcome decodeInto(const unsigned char* bytes, unsigned long size, JpegTarget* target) {
    jpeg_decompress_struct info;
    JumpingErrorManager manager;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = errorExit;
    manager.base.emit_message = emitMessage;
    manager.base.output_message = outputMessage;
    manager.dataRanOut = false;
    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Damaged;
    }
    jpeg_create_decompress(&info);
    // Beyond this libjpeg fails rather than take more (it has no backing store).
    info.mem->max_memory_to_use = kMaxCoefficientBytes + kDecoderSlackBytes;
    jpeg_mem_src(&info, bytes, size);
    jpeg_save_markers(&info, JPEG_APP0 + 1, kExifBytesKept);
    jpeg_read_header(&info, TRUE);
    target->headerWidth = info.image_width;
    target->headerHeight = info.image_height;
    // Print shops' CMYK and YCCK come out as CMYK and are turned into RGB32 here; grey, YCbCr
    // and RGB pictures come out as RGB32 directly.
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
    if (!chooseScale(&info) || wholePictureBytes(&info) > kMaxCoefficientBytes) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::TooLarge;
    }
    const int orientation = exifOrientation(info.marker_list);
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    qsizetype bytesPerLine = 0;
    unsigned char* bits = info.output_components != 4 ? nullptr
                          : orientation >= 5
                              ? target->allocate(target->context, height, width, &bytesPerLine)
                              : target->allocate(target->context, width, height, &bytesPerLine);
    if (!bits) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Damaged;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 4, 1);
    const bool inverted = info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, row, 1);
        if (cmyk)
            cmykToRgb32(row[0], info.output_width, inverted);
        placeRow(row[0], width, height, y, orientation, bits, bytesPerLine);
    }
    // A picture of one scan whose data ran out has already failed (premature end of a data
    // segment) unless only its end marker was missing; a progressive one may lack whole scans.
    if (manager.dataRanOut && !allScansRead(&info)) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Damaged;
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return JpegOutcome::Decoded;
}

} // namespace

bool pictureSizeAllowed(QSize size) {
    // A bitmap stored top-down gives its height negative.
    const qint64 width = qAbs(qint64(size.width()));
    const qint64 height = qAbs(qint64(size.height()));
    return width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height * 4 <= kMaxPictureBytes;
}

QImage decodeJpeg(const QByteArray& data, QSize* refusedSize) {
    if (data.isEmpty())
        return QImage();
    QImage picture;
    JpegTarget target{&picture,
                      [](void* context, int width, int height, qsizetype* bytesPerLine) {
                          auto* image = static_cast<QImage*>(context);
                          *image = QImage(width, height, QImage::Format_RGB32);
                          *bytesPerLine = image->bytesPerLine();
                          return image->isNull() ? nullptr : image->bits();
                      },
                      0, 0};
    const JpegOutcome outcome = decodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
                                           static_cast<unsigned long>(data.size()), &target);
    if (outcome == JpegOutcome::TooLarge && refusedSize)
        *refusedSize = QSize(static_cast<int>(std::min<JDIMENSION>(target.headerWidth, INT_MAX)),
                             static_cast<int>(std::min<JDIMENSION>(target.headerHeight, INT_MAX)));
    if (outcome != JpegOutcome::Decoded)
        return QImage();
    return picture;
}

namespace {
[[noreturn]] void refuseSize(const QString& path, const QString& size) {
    throw VordaError(VordaError::Kind::Range,
                     QStringLiteral("The picture \"%1\" is %2; pictures of up to %3 x %3 pixels "
                                    "and %4 MB can be used.")
                         .arg(QDir::toNativeSeparators(path), size)
                         .arg(kMaxPictureSide)
                         .arg(kMaxPictureBytes / (1024 * 1024)));
}

QString pixelSize(QSize size) {
    return QStringLiteral("%1 x %2 pixels").arg(qAbs(size.width())).arg(qAbs(size.height()));
}

// A Windows bitmap, its size checked by its header before its pixels are decoded.
QImage readBitmap(const QByteArray& data, const QString& path) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const QSize size = reader.size();
    if (!pictureSizeAllowed(size))
        refuseSize(path, pixelSize(size));
    // Whatever the header said, decoding takes no more than the limit.
    reader.setAllocationLimit(static_cast<int>(kMaxPictureBytes / (1024 * 1024)));
    return reader.read();
}
} // namespace

PictureReadResult readPictureFile(const QString& path, QImage& image) {
    image = QImage();
    const QString extension = QFileInfo(path).suffix().toLower();
    const bool isBitmap = extension == QLatin1String("bmp");
    const bool isJpeg = extension == QLatin1String("jpg") || extension == QLatin1String("jpeg");
    const auto cannot = [&path](const char* what, const QString& reason) {
        return VordaError(VordaError::Kind::InputOutput,
                          QStringLiteral("Cannot %1 file \"%2\". %3")
                              .arg(QLatin1String(what), QDir::toNativeSeparators(path), reason));
    };
    if (!isBitmap && !isJpeg) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw cannot("open", file.errorString());
        return PictureReadResult::Undecodable;
    }
    // No picture the game takes is stored in more bytes than it decodes to, headers aside. Only
    // a regular file is read, and never beyond that size, should it grow meanwhile: a device or
    // a pipe with a picture's name could never end the reading.
    constexpr qint64 kMostBytes = kMaxPictureBytes + kPictureHeaderSlack;
    QByteArray data;
    QString reason;
    if (!readRegularFile(path, kMostBytes, &data, &reason)) {
        const QFileInfo info(path);
        if (info.isFile() && info.size() > kMostBytes)
            refuseSize(path, QStringLiteral("%1 MB").arg(info.size() / (1024 * 1024)));
        throw cannot("read", reason);
    }
    if (isJpeg) {
        QSize refused;
        image = decodeJpeg(data, &refused);
        if (refused.isValid())
            refuseSize(path, pixelSize(refused));
    } else {
        image = readBitmap(data, path);
    }
    return image.isNull() ? PictureReadResult::Undecodable : PictureReadResult::Decoded;
}
