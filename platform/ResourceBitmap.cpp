#include "platform/ResourceBitmap.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

// The pictures are compiled into the static library, whose resources register on first use.
// Q_INIT_RESOURCE must be called outside any namespace.
void initBuiltInResources() {
#ifdef VORDA_HAVE_RESOURCES
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
#endif
}

QImage loadResourcePicture(const QString& path, const char* format) {
    initBuiltInResources();
    // The format is named and never guessed: the names carry no suffix, and any guess, even
    // one beside a named format, loads every image format plug-in to ask it.
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage loadResourceBitmap(const QString& name) {
    return loadResourcePicture(QStringLiteral(":/bitmaps/") + name, "BMP");
}

qreal pictureRatio() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

QImage scaledForRatio(const QImage& picture, qreal ratio, PictureUse use) {
    if (picture.isNull() || qFuzzyCompare(picture.devicePixelRatio(), ratio))
        return picture;
    const qreal factor = ratio / picture.devicePixelRatio();
    const int width = std::max(1, static_cast<int>(std::lround(picture.width() * factor)));
    const int height = std::max(1, static_cast<int>(std::lround(picture.height() * factor)));
    // A player's picture may be 4096 pixels wide already; enlarged it would take hundreds of
    // megabytes, so such a picture is left to the painter's own scaling.
    constexpr int kLargestSide = 4096;
    if (width > kLargestSide || height > kLargestSide)
        return picture;
    // Smooth scaling is given 32-bit pixels: Qt 6.4 crashes scaling a palette picture (an
    // 8-bit texture) smoothly.
    const QImage source = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QImage scaled;
    // A large picture's edges matter little against its size; a tiled copy of it would be huge.
    constexpr qsizetype kLargestTiledPixels = 1024 * 1024;
    if (use == PictureUse::Tile &&
        static_cast<qsizetype>(picture.width()) * picture.height() <= kLargestTiledPixels) {
        // Rescaled in the middle of a 3 × 3 block of itself, so that the smoothing at each edge
        // blends with the neighbouring tile's pixels as they will lie on the screen.
        QImage block(picture.width() * 3, picture.height() * 3, QImage::Format_RGB32);
        QImage plain = source;
        plain.setDevicePixelRatio(1);
        {
            QPainter painter(&block);
            for (int row = 0; row < 3; ++row)
                for (int column = 0; column < 3; ++column)
                    painter.drawImage(column * picture.width(), row * picture.height(), plain);
        }
        scaled =
            block.scaled(width * 3, height * 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .copy(width, height, width, height);
    } else {
        scaled = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

QImage loadResourcePictureForRatio(const QString& path, const char* format, qreal ratio,
                                   PictureUse use) {
    if (ratio > 1) {
        QImage doubled = loadResourcePicture(path + QStringLiteral("@2x"), "PNG");
        if (!doubled.isNull()) {
            doubled.setDevicePixelRatio(2);
            return scaledForRatio(doubled, ratio, use);
        }
    }
    return loadResourcePicture(path, format);
}

QImage loadResourceBitmapForRatio(const QString& name, qreal ratio, PictureUse use) {
    return loadResourcePictureForRatio(QStringLiteral(":/bitmaps/") + name, "BMP", ratio, use);
}
