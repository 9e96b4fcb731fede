#include "platform/JpegReader.h"

#include "platform/VordaError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// Room for a bitmap's headers and palette beside its pixels.
constexpr qint64 kPictureHeaderSlack = 64 * 1024;

// libjpeg's default error manager ends the process on an error and only prints warnings; ours
// jumps back to the decoding function on both, so a damaged file is just a failure.
struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void errorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

// A warning (msg_level −1) means the data is damaged, for instance a truncated file whose rest
// libjpeg would fill with grey; trace messages (level 0 and up) are ignored.
void emitMessage(j_common_ptr info, int msgLevel) {
    if (msgLevel < 0)
        errorExit(info);
}

void outputMessage(j_common_ptr) {}

// The decoding proper. Only plain locals live across setjmp: the image's pixels are written
// into memory the caller owns, found through the two callbacks below once the size is known.
// The allocation refuses a size the game does not take; that is checked right after the
// header, before libjpeg itself takes memory for the picture.
using AllocateRows = unsigned char* (*)(void* context, int width, int height);
using RowAddress = unsigned char* (*)(void* context, int row);

enum class JpegOutcome { Decoded, Damaged, TooLarge };

JpegOutcome decodeInto(const unsigned char* bytes, unsigned long size, void* context,
                       AllocateRows allocate, RowAddress rowAddress, JDIMENSION* headerWidth,
                       JDIMENSION* headerHeight) {
    jpeg_decompress_struct info;
    JumpingErrorManager manager;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = errorExit;
    manager.base.emit_message = emitMessage;
    manager.base.output_message = outputMessage;
    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Damaged;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, size);
    jpeg_read_header(&info, TRUE);
    *headerWidth = info.image_width;
    *headerHeight = info.image_height;
    if (!PictureSizeAllowed(
            QSize(static_cast<int>(std::min<JDIMENSION>(info.image_width, INT_MAX)),
                  static_cast<int>(std::min<JDIMENSION>(info.image_height, INT_MAX))))) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::TooLarge;
    }
    info.out_color_space = JCS_RGB; // grey and YCbCr pictures alike come out as RGB triples
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || !allocate(context, static_cast<int>(info.output_width),
                                                 static_cast<int>(info.output_height))) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Damaged;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rowAddress(context, static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return JpegOutcome::Decoded;
}

} // namespace

bool PictureSizeAllowed(QSize size) {
    // A bitmap stored top-down gives its height negative.
    const qint64 width = qAbs(qint64(size.width()));
    const qint64 height = qAbs(qint64(size.height()));
    return width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height * 4 <= kMaxPictureBytes;
}

QImage DecodeJpeg(const QByteArray& data, QSize* refusedSize) {
    if (data.isEmpty())
        return QImage();
    // Rows arrive as RGB888, which QImage holds directly; converted to RGB32 at the end.
    QImage rgb;
    JDIMENSION width = 0, height = 0;
    const JpegOutcome outcome = decodeInto(
        reinterpret_cast<const unsigned char*>(data.constData()),
        static_cast<unsigned long>(data.size()), &rgb,
        [](void* context, int width, int height) -> unsigned char* {
            auto* image = static_cast<QImage*>(context);
            *image = QImage(width, height, QImage::Format_RGB888);
            return image->isNull() ? nullptr : image->bits();
        },
        [](void* context, int row) -> unsigned char* {
            return static_cast<QImage*>(context)->scanLine(row);
        },
        &width, &height);
    if (outcome == JpegOutcome::TooLarge && refusedSize)
        *refusedSize = QSize(static_cast<int>(std::min<JDIMENSION>(width, INT_MAX)),
                             static_cast<int>(std::min<JDIMENSION>(height, INT_MAX)));
    if (outcome != JpegOutcome::Decoded)
        return QImage();
    return rgb.convertToFormat(QImage::Format_RGB32);
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
    if (!PictureSizeAllowed(size))
        refuseSize(path, pixelSize(size));
    // Whatever the header said, decoding takes no more than the limit.
    reader.setAllocationLimit(static_cast<int>(kMaxPictureBytes / (1024 * 1024)));
    return reader.read();
}
} // namespace

PictureReadResult ReadPictureFile(const QString& path, QImage& image) {
    image = QImage();
    const QString extension = QFileInfo(path).suffix().toLower();
    const bool isBitmap = extension == QLatin1String("bmp");
    const bool isJpeg = extension == QLatin1String("jpg") || extension == QLatin1String("jpeg");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot open file \"%1\". %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
    if (!isBitmap && !isJpeg)
        return PictureReadResult::Undecodable;
    // No picture the game takes is stored in more bytes than it decodes to, headers aside.
    if (file.size() > kMaxPictureBytes + kPictureHeaderSlack)
        refuseSize(path, QStringLiteral("%1 MB").arg(file.size() / (1024 * 1024)));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot read file \"%1\". %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
    if (isJpeg) {
        QSize refused;
        image = DecodeJpeg(data, &refused);
        if (refused.isValid())
            refuseSize(path, pixelSize(refused));
    } else {
        image = readBitmap(data, path);
    }
    return image.isNull() ? PictureReadResult::Undecodable : PictureReadResult::Decoded;
}
