// The picture loader: any file named as a bitmap or a JPEG ends in a picture or in an error,
// and nothing that comes out exceeds the size limit. Seeds for JPEGs decoded smaller, CMYK,
// YCCK and turned by their EXIF orientation join the bitmaps and the plain JPEG.

#include "fuzz/FuzzSupport.h"

#include "platform/JpegReader.h"
#include "platform/VordaError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the file's name, the rest is its content.
    const QString names[] = {QStringLiteral("p.bmp"), QStringLiteral("p.jpg"),
                             QStringLiteral("p.JPEG"), QStringLiteral("p.gif")};
    const QString path = fuzzFolder() + names[data[0] % 4];
    writeFileBytes(path, Bytes(data + 1, size - 1));
    QImage image;
    try {
        const PictureReadResult result = readPictureFile(path, image);
        FUZZ_CHECK((result == PictureReadResult::Decoded) == !image.isNull());
    } catch (const VordaError& error) {
        FUZZ_CHECK(!error.text().isEmpty());
        FUZZ_CHECK(image.isNull());
    }
    if (!image.isNull()) {
        FUZZ_CHECK(image.width() <= kMaxPictureSide && image.height() <= kMaxPictureSide);
        FUZZ_CHECK(image.sizeInBytes() <= kMaxPictureBytes);
    }
    return 0;
}
