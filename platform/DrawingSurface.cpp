#include "platform/DrawingSurface.h"

#include <QTransform>

#include <array>
#include <cmath>
#include <numbers>

namespace {
constexpr int kTableSize = 256;
constexpr int kOpaque = 255;

struct TrigTable {
    std::array<double, kTableSize> cosine{};
    std::array<double, kTableSize> sine{};
    TrigTable() {
        for (int a = 0; a < kTableSize; ++a) {
            const double angle = 2 * std::numbers::pi * a / kTableSize;
            cosine[a] = std::cos(angle);
            sine[a] = std::sin(angle);
        }
    }
};

const TrigTable& Table() {
    static const TrigTable table;
    return table;
}

int tableIndex(int a) {
    return ((a % kTableSize) + kTableSize) % kTableSize;
}

// Scaling keeps hard edges: a smoothed edge would blend the transparent black into the
// picture and leave a dark fringe. The result has size units at the surface's pixel ratio.
QImage scaledPicture(const QImage& picture, const QSize& size, qreal ratio) {
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    QImage result = picture.size() == pixels
                        ? picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                        : picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(ratio);
    return result;
}
} // namespace

double cos256(int a) {
    return Table().cosine[tableIndex(a)];
}

double sin256(int a) {
    return Table().sine[tableIndex(a)];
}

QImage pictureWithBlackTransparent(const QImage& picture) {
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((row[x] & 0x00ffffff) == 0)
                row[x] = 0;
    }
    return result;
}

DrawingSurface::DrawingSurface(int width, int height, qreal pixelRatio)
    : back_(qRound(width * pixelRatio), qRound(height * pixelRatio),
            QImage::Format_ARGB32_Premultiplied),
      front_(back_.size(), QImage::Format_ARGB32_Premultiplied) {
    back_.setDevicePixelRatio(pixelRatio);
    front_.setDevicePixelRatio(pixelRatio);
    back_.fill(Qt::black);
    front_.fill(Qt::black);
}

DrawingSurface::~DrawingSurface() {
    releaseCanvas();
}

void DrawingSurface::fill(const QColor& color) {
    releaseCanvas();
    back_.fill(color);
}

QPainter& DrawingSurface::canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<QPainter>(&back_);
        canvas_->setBrush(Qt::NoBrush); // hollow: text leaves the scene behind it
    }
    return *canvas_;
}

void DrawingSurface::releaseCanvas() {
    canvas_.reset();
}

void DrawingSurface::waveDraw(const QImage& picture, const QRect& dest, int amplitude,
                              int wavelength, int phase) {
    releaseCanvas();
    if (dest.isEmpty() || picture.isNull() || wavelength == 0)
        return;
    const qreal ratio = back_.devicePixelRatio();
    const QImage scaled = scaledPicture(picture, dest.size(), ratio);
    QPainter painter(&back_);
    // Row by row of pixels, each shifted by whole pixels.
    for (int r = 0; r < scaled.height(); ++r) {
        const double a = phase + r / ratio * kTableSize / wavelength;
        const double shift = amplitude * std::sin(2 * std::numbers::pi * a / kTableSize);
        painter.drawImage(
            QPointF(dest.left() + std::lround(shift * ratio) / ratio, dest.top() + r / ratio),
            scaled, QRect(0, r, scaled.width(), 1));
    }
}

void DrawingSurface::rotateDraw(const QImage& picture, const QPoint& centre, const QSize& size,
                                int angle) {
    rotateDrawBlended(picture, centre, size, angle, kOpaque);
}

void DrawingSurface::rotateDrawBlended(const QImage& picture, const QPoint& centre,
                                       const QSize& size, int angle, int opacity) {
    releaseCanvas();
    if (opacity <= 0 || size.isEmpty() || picture.isNull())
        return;
    const QImage scaled = scaledPicture(picture, size, back_.devicePixelRatio());
    QPainter painter(&back_);
    painter.setOpacity(opacity >= kOpaque ? 1.0 : opacity / double(kOpaque));
    painter.translate(centre);
    painter.rotate(360.0 * tableIndex(angle) / kTableSize);
    painter.drawImage(QPointF(-size.width() / 2.0, -size.height() / 2.0), scaled);
}

void DrawingSurface::flip() {
    releaseCanvas();
    front_ = back_; // shared until the next frame draws on the back surface
}
