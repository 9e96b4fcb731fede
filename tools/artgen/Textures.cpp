// The default textures. Every one is computed from periodic functions of the pixel position
// (noise lattices, cell grids and waves whose periods divide the tile), so a tile placed next to
// itself continues without a seam.
#include "ArtCommon.h"
#include "Pictures.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace art {
namespace {

constexpr double kTau = 2 * std::numbers::pi;

// One pixel of a texture drawn at `ratio` pixels per texture unit: (x, y) its top-left corner
// and size its width in texture units, (ix, iy) the texture unit it lies in, (dx, dy) the pixel
// itself. At ratio 1 all three positions are the same integers.
struct Sample {
    double x;
    double y;
    double size;
    int ix;
    int iy;
    int dx;
    int dy;
};

using Shader = std::function<QRgb(const Sample&)>;

QImage shade(int width, int height, int ratio, const Shader& shader) {
    QImage image(width * ratio, height * ratio, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(
                x, y,
                shader(Sample{static_cast<double>(x) / ratio, static_cast<double>(y) / ratio,
                              1.0 / ratio, x / ratio, y / ratio, x, y}));
    return image;
}

// Fine per-pixel grain in [-0.5, 0.5]; a hash of the pixel, so it tiles at any size and is as
// fine as the pixels at every ratio.
double grain(const Sample& s, std::uint32_t seed) {
    return latticeValue(s.dx, s.dy, seed) - 0.5;
}

QRgb toRgb(const QColor& c) {
    return rgbOf(c.redF(), c.greenF(), c.blueF());
}

// Green, soft malachite-like bands of low contrast: calm enough for the pink-white captions
// of buttons, the word display and the word sheets.
QImage makeButtons(int ratio) {
    constexpr int kSize = 120;
    const QColor deep(28, 86, 48);
    const QColor light(58, 138, 78);
    const QColor olive(74, 130, 58);
    const QColor teal(30, 104, 84);
    return shade(kSize, kSize, ratio, [&](const Sample& s) {
        const double x = s.x;
        const double y = s.y;
        const double warp = tileFbm(x, y, kSize, kSize, 3, 3, 4, 11);
        const double detail = tileFbm(x, y, kSize, kSize, 6, 6, 3, 12);
        const double band =
            0.5 + 0.5 * std::sin(kTau * (2.0 * x / kSize + 1.0 * y / kSize) + 9.0 * warp);
        double t = 0.35 + 0.35 * band + 0.45 * (detail - 0.5);
        t += 0.05 * grain(s, 13);
        QColor c = mix(deep, light, clamp01(t));
        // Patches leaning to olive or to teal keep the green from looking flat.
        const double hue = tileFbm(x, y, kSize, kSize, 2, 2, 3, 14);
        c = hue > 0.5 ? mix(c, olive, 0.5 * smoothstep(0.5, 0.8, hue))
                      : mix(c, teal, 0.5 * smoothstep(0.5, 0.2, hue));
        return toRgb(c);
    });
}

// One field cell: light blue with a faint grain and a soft raised bevel, so that the grid of
// cells reads as a board of tiles.
QImage makeCell(bool selected, int ratio) {
    constexpr int kSize = 40;
    const QColor base = selected ? QColor(96, 114, 138) : QColor(178, 214, 240);
    const std::uint32_t seed = selected ? 21 : 22;
    return shade(kSize, kSize, ratio, [&](const Sample& s) {
        const double x = s.x;
        const double y = s.y;
        const double cloud = tileFbm(x, y, kSize, kSize, 2, 2, 3, seed) - 0.5;
        const double fibre = tileFbm(x, y, kSize, kSize, 2, 10, 2, seed + 5) - 0.5;
        double f = 1.0 + 0.10 * cloud + 0.05 * fibre + 0.025 * grain(s, seed + 9);
        // A gentle dome: the middle of the cell a touch brighter than its rim.
        const double dx = (x + s.size / 2 - kSize / 2.0) / (kSize / 2.0);
        const double dy = (y + s.size / 2 - kSize / 2.0) / (kSize / 2.0);
        f += 0.04 * (1.0 - (dx * dx + dy * dy) / 2.0);
        // Bevel: two pixels lit on the top and left, shaded on the bottom and right; a pressed
        // (sunken) cell has it the other way round.
        const int fromTopLeft = std::min(s.ix, s.iy);
        const int fromBottomRight = std::min(kSize - 1 - s.ix, kSize - 1 - s.iy);
        double edge = 0;
        if (fromBottomRight < 2 && fromBottomRight <= fromTopLeft)
            edge = fromBottomRight == 0 ? -0.34 : -0.16;
        else if (fromTopLeft < 2)
            edge = fromTopLeft == 0 ? 0.26 : 0.12;
        if (selected)
            edge = -edge * 1.1;
        f += edge;
        return toRgb(scaled(base, f));
    });
}

// The palette letters' face: dark green glass with a highlight at the top left of the round
// 34 × 34 button. The shading repeats with the tile (cosines of period 40), so it still tiles.
QImage makeLetter1(int ratio) {
    constexpr int kSize = 40;
    constexpr double kCentre = 17.0;
    const QColor dark(8, 44, 22);
    const QColor mid(26, 104, 50);
    const QColor shine(150, 220, 160);
    return shade(kSize, kSize, ratio, [&](const Sample& s) {
        const double x = s.x + s.size / 2; // the pixel's centre
        const double y = s.y + s.size / 2;
        const double cx = (1 + std::cos(kTau * (x - kCentre) / kSize)) / 2;
        const double cy = (1 + std::cos(kTau * (y - kCentre) / kSize)) / 2;
        const double dome = std::pow(cx * cy, 0.7);
        QColor c = mix(dark, mid, dome);
        // Highlight: a periodic bump near the upper left of the dome.
        const double hx = (1 + std::cos(kTau * (x - 11.5) / kSize)) / 2;
        const double hy = (1 + std::cos(kTau * (y - 10.5) / kSize)) / 2;
        const double spot = std::pow(hx * hy, 14.0);
        c = mix(c, shine, 0.55 * spot);
        const double fleck =
            0.06 * (tileFbm(s.x, s.y, kSize, kSize, 4, 4, 2, 31) - 0.5) + 0.03 * grain(s, 32);
        return toRgb(scaled(c, 1.0 + fleck));
    });
}

// The chosen letter: red and white gingham, two checks to the tile, with a fine weave.
QImage makeLetter2(int ratio) {
    constexpr int kSize = 22;
    constexpr int kPeriod = 11;
    constexpr int kBand = 5;
    const QColor white(252, 246, 238);
    const QColor pink(238, 150, 146);
    const QColor red(206, 44, 50);
    return shade(kSize, kSize, ratio, [&](const Sample& s) {
        const bool warp = s.ix % kPeriod < kBand;
        const bool weft = s.iy % kPeriod < kBand;
        QColor c = warp && weft ? red : (warp || weft ? pink : white);
        const double weave = ((s.dx + s.dy) % 2 == 0 ? 0.035 : -0.035) + 0.03 * grain(s, 41);
        return toRgb(scaled(c, 1.0 + weave));
    });
}

// Brown flagstones: irregular stones from a tiling cell grid, each with its own tint, gently
// domed and lit from the top left, set in rough darker mortar.
QImage makeWall1(int ratio) {
    constexpr int kSize = 128;
    const QColor mortar(66, 50, 38);
    return shade(kSize, kSize, ratio, [&](const Sample& s) {
        // Four samples per pixel smooth the mortar's edges.
        double red = 0, green = 0, blue = 0;
        for (int sy = 0; sy < 2; ++sy) {
            for (int sx = 0; sx < 2; ++sx) {
                const double px = s.x + (0.25 + 0.5 * sx) * s.size;
                const double py = s.y + (0.25 + 0.5 * sy) * s.size;
                // Warp the lookup a little so that stone edges are not straight.
                const double wx = 6.0 * (tileFbm(px, py, kSize, kSize, 4, 4, 3, 51) - 0.5);
                const double wy = 6.0 * (tileFbm(px, py, kSize, kSize, 4, 4, 3, 52) - 0.5);
                const CellSample c0 = tileCells(px + wx, py + wy, kSize, kSize, 4, 4, 53, 0.9);
                const double tint = latticeValue(c0.cell, 0, 54);
                const double hue = latticeValue(c0.cell, 1, 55);
                const QColor stone(120 + static_cast<int>(30 * tint + 8 * hue),
                                   86 + static_cast<int>(22 * tint),
                                   58 + static_cast<int>(12 * tint + 14 * hue));
                const double texture = tileFbm(px, py, kSize, kSize, 8, 8, 4, 56) - 0.5;
                const double pits = grain(s, 57);
                double f = 1.0 + 0.30 * texture + 0.06 * pits;
                const double len = std::max(1e-6, c0.f1);
                const double dirX = (px + wx - c0.siteX) / len;
                const double dirY = (py + wy - c0.siteY) / len;
                const double facing = -(dirX + dirY) / std::numbers::sqrt2;
                const double rim = 1.0 - smoothstep(0.0, 9.0, c0.border);
                f += 0.26 * rim * facing - 0.08 * rim;
                QColor c = scaled(stone, f);
                const double groove = 1.0 - smoothstep(0.9, 1.9, c0.border);
                c = mix(c, scaled(mortar, 1.0 + 0.5 * texture), groove);
                red += c.redF();
                green += c.greenF();
                blue += c.blueF();
            }
        }
        return rgbOf(red / 4, green / 4, blue / 4);
    });
}

// Pale pink marble: soft clouds crossed by a few winding rose-grey veins.
QImage makeWall2(int ratio) {
    constexpr int kSize = 96;
    const QColor base(245, 228, 228);
    const QColor cloud(234, 206, 212);
    const QColor vein(190, 146, 158);
    return shade(kSize, kSize, ratio, [&](const Sample& s) {
        const double x = s.x;
        const double y = s.y;
        const double turbulence = tileFbm(x, y, kSize, kSize, 2, 2, 4, 61, 0.5);
        const double phase = kTau * (1.0 * x / kSize + 1.0 * y / kSize) + 7.0 * turbulence;
        const double line = std::pow(1.0 - std::abs(std::sin(phase)), 6.0);
        const double fineTurbulence = tileFbm(x, y, kSize, kSize, 3, 3, 3, 62);
        const double fine =
            std::pow(1.0 - std::abs(std::sin(kTau * (2.0 * x / kSize - 1.0 * y / kSize) +
                                             4.0 * fineTurbulence)),
                     9.0);
        const double soft = tileFbm(x, y, kSize, kSize, 3, 3, 4, 63);
        QColor c = mix(base, cloud, smoothstep(0.35, 0.75, soft));
        c = mix(c, vein, 0.6 * line + 0.25 * fine);
        return toRgb(scaled(c, 1.0 + 0.015 * grain(s, 64)));
    });
}

// Deep blue slate for text areas: very quiet clouds and fibres so that white text stays readable.
QImage makeWall3(int ratio) {
    constexpr int kWidth = 124;
    constexpr int kHeight = 87;
    // Dark enough behind white text: the name box and the help text stay readable (a
    // contrast of at least 4.5 : 1 against white in every pixel).
    const QColor base(58, 86, 132);
    const QColor deep(38, 60, 102);
    return shade(kWidth, kHeight, ratio, [&](const Sample& s) {
        const double x = s.x;
        const double y = s.y;
        const double clouds = tileFbm(x, y, kWidth, kHeight, 3, 2, 5, 71);
        const double fibres = tileFbm(x, y, kWidth, kHeight, 16, 3, 2, 72) - 0.5;
        QColor c = mix(base, deep, smoothstep(0.3, 0.8, clouds));
        return toRgb(scaled(c, 1.0 + 0.03 * fibres + 0.015 * grain(s, 73)));
    });
}

Picture texture(const char* name, FileFormat format, QImage image) {
    const QString alias = QString::fromLatin1(name);
    return Picture{
        alias,          QStringLiteral("bitmaps"), alias + QStringLiteral(".bmp"), format,
        Group::Texture, std::move(image)};
}

} // namespace

std::vector<Picture> makeTextures(int ratio) {
    return {
        texture("BUTTONS", FileFormat::Bmp8, makeButtons(ratio)),
        texture("POLE1", FileFormat::Bmp24, makeCell(false, ratio)),
        texture("POLE2", FileFormat::Bmp24, makeCell(true, ratio)),
        texture("LETTER1", FileFormat::Bmp8, makeLetter1(ratio)),
        texture("LETTER2", FileFormat::Bmp24, makeLetter2(ratio)),
        texture("WALL1", FileFormat::Bmp8, makeWall1(ratio)),
        texture("WALL2", FileFormat::Bmp8, makeWall2(ratio)),
        texture("WALL3", FileFormat::Bmp8, makeWall3(ratio)),
    };
}

} // namespace art
