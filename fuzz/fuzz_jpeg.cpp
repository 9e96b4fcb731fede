// The JPEG decoder: any data gives a picture or a null image, never a crash, and never a
// picture larger than the game accepts. The seeds take every way through it: grey, colour and
// progressive pictures, pictures too large that are decoded smaller, CMYK (plain and inverted)
// and YCCK, and EXIF orientations in either byte order.

#include "fuzz/FuzzSupport.h"

#include "platform/JpegReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QImage image = decodeJpeg(Bytes(data, size));
    if (!image.isNull()) {
        FUZZ_CHECK(image.format() == QImage::Format_RGB32);
        FUZZ_CHECK(image.width() > 0 && image.height() > 0);
        FUZZ_CHECK(pictureSizeAllowed(image.size()));
        // Touch every row, so a short buffer shows.
        quint32 sum = 0;
        for (int y = 0; y < image.height(); ++y)
            sum += reinterpret_cast<const quint32*>(image.constScanLine(y))[image.width() - 1];
        (void)sum;
    }
    return 0;
}
