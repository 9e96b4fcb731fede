#include "platform/JpegReader.h"

#include "platform/VordaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

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
// Returns false when libjpeg reported an error or warning.
using AllocateRows = unsigned char* (*)(void* context, int width, int height);
using RowAddress = unsigned char* (*)(void* context, int row);

bool decodeInto(const unsigned char* bytes, unsigned long size, void* context,
                AllocateRows allocate, RowAddress rowAddress) {
    jpeg_decompress_struct info;
    JumpingErrorManager manager;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = errorExit;
    manager.base.emit_message = emitMessage;
    manager.base.output_message = outputMessage;
    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB; // grey and YCbCr pictures alike come out as RGB triples
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || !allocate(context, static_cast<int>(info.output_width),
                                                 static_cast<int>(info.output_height))) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rowAddress(context, static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data) {
    if (data.isEmpty())
        return QImage();
    // Rows arrive as RGB888, which QImage holds directly; converted to RGB32 at the end.
    QImage rgb;
    const bool ok = decodeInto(
        reinterpret_cast<const unsigned char*>(data.constData()),
        static_cast<unsigned long>(data.size()), &rgb,
        [](void* context, int width, int height) -> unsigned char* {
            auto* image = static_cast<QImage*>(context);
            *image = QImage(width, height, QImage::Format_RGB888);
            return image->isNull() ? nullptr : image->bits();
        },
        [](void* context, int row) -> unsigned char* {
            return static_cast<QImage*>(context)->scanLine(row);
        });
    if (!ok)
        return QImage();
    return rgb.convertToFormat(QImage::Format_RGB32);
}

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
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot read file \"%1\". %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
    image = isJpeg ? DecodeJpeg(data) : QImage::fromData(data, "BMP");
    return image.isNull() ? PictureReadResult::Undecodable : PictureReadResult::Decoded;
}
