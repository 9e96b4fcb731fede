#include "ArtCommon.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace art {

std::uint64_t Rng::next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Rng::unit() {
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

int Rng::below(int count) {
    return static_cast<int>(unit() * count);
}

namespace {

std::uint32_t hash3(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h = a * 0x8DA6B343U ^ b * 0xD8163841U ^ c * 0xCB1AB31FU;
    h ^= h >> 16;
    h *= 0x7FEB352DU;
    h ^= h >> 15;
    h *= 0x846CA68BU;
    h ^= h >> 16;
    return h;
}

int wrap(int value, int period) {
    const int r = value % period;
    return r < 0 ? r + period : r;
}

double quintic(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

} // namespace

double latticeValue(int ix, int iy, std::uint32_t seed) {
    return hash3(static_cast<std::uint32_t>(ix), static_cast<std::uint32_t>(iy), seed) /
           4294967296.0;
}

double periodicNoise(double u, double v, int periodX, int periodY, std::uint32_t seed) {
    const double fu = std::floor(u);
    const double fv = std::floor(v);
    const int x0 = wrap(static_cast<int>(fu), periodX);
    const int y0 = wrap(static_cast<int>(fv), periodY);
    const int x1 = (x0 + 1) % periodX;
    const int y1 = (y0 + 1) % periodY;
    const double tx = quintic(u - fu);
    const double ty = quintic(v - fv);
    const double a = latticeValue(x0, y0, seed);
    const double b = latticeValue(x1, y0, seed);
    const double c = latticeValue(x0, y1, seed);
    const double d = latticeValue(x1, y1, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double tileFbm(double x, double y, int width, int height, int cellsX, int cellsY, int octaves,
               std::uint32_t seed, double persistence) {
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    int px = cellsX;
    int py = cellsY;
    for (int octave = 0; octave < octaves; ++octave) {
        const double u = x * px / width;
        const double v = y * py / height;
        sum += amplitude * periodicNoise(u, v, px, py, seed + 977U * octave);
        total += amplitude;
        amplitude *= persistence;
        px *= 2;
        py *= 2;
    }
    return sum / total;
}

CellSample tileCells(double x, double y, int width, int height, int cellsX, int cellsY,
                     std::uint32_t seed, double jitter) {
    const double cellW = static_cast<double>(width) / cellsX;
    const double cellH = static_cast<double>(height) / cellsY;
    const int cx = static_cast<int>(std::floor(x / cellW));
    const int cy = static_cast<int>(std::floor(y / cellH));
    CellSample best;
    best.f1 = 1e9;
    best.f2 = 1e9;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int gx = cx + dx;
            const int gy = cy + dy;
            const int wx = wrap(gx, cellsX);
            const int wy = wrap(gy, cellsY);
            const double jx = (latticeValue(wx, wy, seed) - 0.5) * jitter;
            const double jy = (latticeValue(wx, wy, seed + 101U) - 0.5) * jitter;
            const double sx = (gx + 0.5 + jx) * cellW;
            const double sy = (gy + 0.5 + jy) * cellH;
            const double d = std::hypot(x - sx, y - sy);
            if (d < best.f1) {
                best.f2 = best.f1;
                best.secondX = best.siteX;
                best.secondY = best.siteY;
                best.f1 = d;
                best.siteX = sx;
                best.siteY = sy;
                best.cell = wy * cellsX + wx;
            } else if (d < best.f2) {
                best.f2 = d;
                best.secondX = sx;
                best.secondY = sy;
            }
        }
    }
    const double between = std::hypot(best.secondX - best.siteX, best.secondY - best.siteY);
    best.border = (best.f2 * best.f2 - best.f1 * best.f1) / (2 * std::max(between, 1e-9));
    return best;
}

double clamp01(double value) {
    return std::clamp(value, 0.0, 1.0);
}

double smoothstep(double edge0, double edge1, double value) {
    const double t = clamp01((value - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

QColor mix(const QColor& from, const QColor& to, double t) {
    return QColor::fromRgbF(static_cast<float>(from.redF() + (to.redF() - from.redF()) * t),
                            static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * t),
                            static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * t),
                            static_cast<float>(from.alphaF() + (to.alphaF() - from.alphaF()) * t));
}

QColor scaled(const QColor& colour, double factor) {
    return QColor::fromRgbF(static_cast<float>(clamp01(colour.redF() * factor)),
                            static_cast<float>(clamp01(colour.greenF() * factor)),
                            static_cast<float>(clamp01(colour.blueF() * factor)), colour.alphaF());
}

QRgb rgbOf(double red, double green, double blue) {
    auto channel = [](double v) { return static_cast<int>(std::lround(clamp01(v) * 255.0)); };
    return qRgb(channel(red), channel(green), channel(blue));
}

void blur(QImage& image, int radius) {
    if (radius < 1)
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    std::vector<std::array<int, 4>> line(static_cast<size_t>(std::max(w, h)));
    auto at = [&](int x, int y) -> QRgb& { return reinterpret_cast<QRgb*>(image.scanLine(y))[x]; };
    auto pass = [&](bool horizontal) {
        const int outer = horizontal ? h : w;
        const int inner = horizontal ? w : h;
        const int n = 2 * radius + 1;
        for (int o = 0; o < outer; ++o) {
            for (int i = 0; i < inner; ++i) {
                const QRgb p = horizontal ? at(i, o) : at(o, i);
                line[i] = {qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
            }
            for (int i = 0; i < inner; ++i) {
                std::array<int, 4> sum{0, 0, 0, 0};
                for (int k = -radius; k <= radius; ++k) {
                    const auto& q = line[std::clamp(i + k, 0, inner - 1)];
                    for (int c = 0; c < 4; ++c)
                        sum[c] += q[c];
                }
                const QRgb out = qRgba((sum[0] + n / 2) / n, (sum[1] + n / 2) / n,
                                       (sum[2] + n / 2) / n, (sum[3] + n / 2) / n);
                (horizontal ? at(i, o) : at(o, i)) = out;
            }
        }
    };
    for (int round = 0; round < 3; ++round) {
        pass(true);
        pass(false);
    }
}

namespace {

int channel(QRgb c, int index) {
    return index == 0 ? qRed(c) : index == 1 ? qGreen(c) : qBlue(c);
}

// The pixels of one median-cut box and, per channel, the spread of their values.
struct Box {
    std::vector<QRgb> colours;
    std::array<int, 3> spread{0, 0, 0};

    explicit Box(std::vector<QRgb> pixels) : colours(std::move(pixels)) {
        for (int c = 0; c < 3; ++c) {
            int lo = 255;
            int hi = 0;
            for (QRgb q : colours) {
                lo = std::min(lo, channel(q, c));
                hi = std::max(hi, channel(q, c));
            }
            spread[c] = colours.empty() ? 0 : hi - lo;
        }
    }
};

} // namespace

QImage toIndexed8(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> all;
    all.reserve(static_cast<size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            all.push_back(image.pixel(x, y) | 0xFF000000U);
    std::sort(all.begin(), all.end());

    // Median cut over all pixels (so frequent colours weigh more), always splitting the box with
    // the widest channel spread, until there are 256 boxes or nothing is left to split.
    std::vector<Box> boxes{Box(all)};
    while (boxes.size() < 256) {
        int bestBox = -1;
        int bestChannel = 0;
        int bestRange = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            for (int c = 0; c < 3; ++c) {
                if (boxes[b].spread[c] > bestRange) {
                    bestRange = boxes[b].spread[c];
                    bestBox = static_cast<int>(b);
                    bestChannel = c;
                }
            }
        }
        if (bestBox < 0)
            break;
        auto colours = std::move(boxes[bestBox].colours);
        std::stable_sort(colours.begin(), colours.end(), [&](QRgb a, QRgb b) {
            return channel(a, bestChannel) < channel(b, bestChannel);
        });
        auto middle = colours.begin() + static_cast<std::ptrdiff_t>(colours.size() / 2);
        // Keep equal values on one side so that both halves are never empty of spread.
        const int split = channel(*middle, bestChannel);
        while (middle != colours.begin() && channel(*(middle - 1), bestChannel) == split)
            --middle;
        if (middle == colours.begin())
            middle = std::upper_bound(colours.begin(), colours.end(), split,
                                      [&](int v, QRgb q) { return v < channel(q, bestChannel); });
        boxes[bestBox] = Box(std::vector<QRgb>(colours.begin(), middle));
        boxes.push_back(Box(std::vector<QRgb>(middle, colours.end())));
    }

    QList<QRgb> palette;
    for (const auto& box : boxes) {
        if (box.colours.empty())
            continue;
        long long sum[3] = {0, 0, 0};
        for (QRgb q : box.colours)
            for (int c = 0; c < 3; ++c)
                sum[c] += channel(q, c);
        const auto n = static_cast<long long>(box.colours.size());
        const QRgb mean =
            qRgb(static_cast<int>((sum[0] + n / 2) / n), static_cast<int>((sum[1] + n / 2) / n),
                 static_cast<int>((sum[2] + n / 2) / n));
        if (!palette.contains(mean))
            palette.push_back(mean);
    }
    std::sort(palette.begin(), palette.end());

    QImage result(image.size(), QImage::Format_Indexed8);
    result.setColorTable(palette);
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = result.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            int best = 0;
            int bestDistance = 1 << 30;
            for (int i = 0; i < palette.size(); ++i) {
                const int dr = qRed(p) - qRed(palette[i]);
                const int dg = qGreen(p) - qGreen(palette[i]);
                const int db = qBlue(p) - qBlue(palette[i]);
                const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            row[x] = static_cast<uchar>(best);
        }
    }
    return result;
}

QImage downsample(const QImage& image, int factor) {
    const int w = image.width() / factor;
    const int h = image.height() / factor;
    const QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    const int n = factor * factor;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int j = 0; j < factor; ++j) {
                const QRgb* row = reinterpret_cast<const QRgb*>(src.constScanLine(y * factor + j));
                for (int i = 0; i < factor; ++i) {
                    const QRgb p = row[x * factor + i];
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                    sum[3] += qAlpha(p);
                }
            }
            reinterpret_cast<QRgb*>(out.scanLine(y))[x] =
                qRgba((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n,
                      (sum[3] + n / 2) / n);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32);
}

QFont artFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setKerning(true);
    return font;
}

} // namespace art
