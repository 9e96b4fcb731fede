// The sample textures. Like the built-in ones they are periodic functions of the pixel
// position, so each tiles without a seam; the JPEG encoder is deterministic at a fixed quality.
#include "SampleTextures.h"

#include "ArtCommon.h"

#include <QBuffer>
#include <QImageWriter>

#include <cmath>
#include <functional>
#include <numbers>
#include <stdexcept>

namespace art {
namespace {

constexpr double kTau = 2 * std::numbers::pi;
constexpr int kJpegQuality = 85;

QImage shade(int size, const std::function<QColor(int x, int y)>& shader) {
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QColor c = shader(x, y);
            image.setPixel(x, y, rgbOf(c.redF(), c.greenF(), c.blueF()));
        }
    return image;
}

QByteArray encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (QByteArray(format) == "JPEG")
        writer.setQuality(kJpegQuality);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode a sample texture: " +
                                 writer.errorString().toStdString());
    return bytes;
}

// Warm sand with soft wind ripples.
QImage sandstone() {
    constexpr int kSize = 64;
    return shade(kSize, [](int x, int y) {
        const double warp = tileFbm(x, y, kSize, kSize, 2, 2, 3, 101);
        const double ripple = 0.5 + 0.5 * std::sin(kTau * (3.0 * y / kSize) + 5.0 * warp);
        const double t = 0.55 * ripple + 0.45 * tileFbm(x, y, kSize, kSize, 4, 4, 3, 102);
        return mix(QColor(196, 150, 96), QColor(238, 206, 150), clamp01(t));
    });
}

// Pale blue-grey slate in flat cleaved patches, light enough everywhere for the black letters
// of the field cells (at least 4.5 : 1).
QImage slate() {
    constexpr int kSize = 40;
    return shade(kSize, [](int x, int y) {
        const CellSample cell = tileCells(x, y, kSize, kSize, 3, 3, 111);
        const double patch = latticeValue(cell.cell, 0, 112);
        const double edge = smoothstep(0.0, 2.0, cell.border);
        const double t =
            0.3 + 0.4 * patch + 0.2 * (tileFbm(x, y, kSize, kSize, 4, 4, 2, 113) - 0.5);
        return scaled(mix(QColor(150, 160, 174), QColor(196, 206, 218), clamp01(t)),
                      0.85 + 0.15 * edge);
    });
}

// The skin "Meadow": grass-green buttons, a field of clover for the main window and a pale
// hay colour for the dialogs.
QImage meadowButtons() {
    constexpr int kSize = 64;
    return shade(kSize, [](int x, int y) {
        const double t = tileFbm(x, y, kSize, kSize, 3, 3, 4, 121);
        return mix(QColor(46, 110, 40), QColor(110, 170, 70), clamp01(t));
    });
}

QImage meadowField() {
    constexpr int kSize = 64;
    return shade(kSize, [](int x, int y) {
        const CellSample leaf = tileCells(x, y, kSize, kSize, 4, 4, 131);
        const double light = tileFbm(x, y, kSize, kSize, 2, 2, 3, 132);
        const double inLeaf = smoothstep(7.0, 4.0, leaf.f1);
        QColor c = mix(QColor(34, 84, 36), QColor(70, 130, 56), clamp01(light));
        return mix(c, QColor(120, 176, 92), 0.6 * inLeaf);
    });
}

QImage meadowDialogs() {
    constexpr int kSize = 48;
    return shade(kSize, [](int x, int y) {
        const double straw = 0.5 + 0.5 * std::sin(kTau * (2.0 * x / kSize + 4.0 * y / kSize) +
                                                  4.0 * tileFbm(x, y, kSize, kSize, 2, 2, 2, 141));
        return mix(QColor(226, 214, 160), QColor(246, 238, 200), clamp01(straw));
    });
}

} // namespace

std::vector<SampleFile> makeSampleTextures() {
    return {
        {QStringLiteral("Sandstone.jpg"), encode(sandstone(), "JPEG")},
        {QStringLiteral("Slate.bmp"), encode(slate(), "BMP")},
        {QStringLiteral("Meadow/0.jpg"), encode(meadowButtons(), "JPEG")},
        {QStringLiteral("Meadow/5.bmp"), encode(toIndexed8(meadowField()), "BMP")},
        {QStringLiteral("Meadow/6.jpg"), encode(meadowDialogs(), "JPEG")},
    };
}

} // namespace art
