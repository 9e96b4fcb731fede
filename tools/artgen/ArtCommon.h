// Shared helpers of the picture generator: a seeded random source, tileable noise, blurring,
// colour mixing and the 256-colour reduction of the 8-bit textures.
//
// Everything here is deterministic: no clock, no locale, no global random state. The same seed
// gives the same numbers on every run, which keeps the generated files byte-identical.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>

#include <cstdint>

namespace art {

// A small random source with a fixed algorithm (SplitMix64), so that results never depend on the
// standard library's distributions, which differ between implementations.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double range(double low, double high) { return low + (high - low) * unit(); }
    // Uniform integer in [0, count).
    int below(int count);

private:
    std::uint64_t state_;
};

// A hash of a lattice point to [0, 1).
double latticeValue(int ix, int iy, std::uint32_t seed);

// Value noise in [0, 1] on a lattice that repeats every periodX by periodY lattice cells.
// (u, v) are in lattice units.
double periodicNoise(double u, double v, int periodX, int periodY, std::uint32_t seed);

// Fractal sum of periodicNoise for a picture of width × height pixels: the coarsest octave has
// cellsX × cellsY lattice cells across the picture, each further octave twice as many, so the
// result tiles seamlessly at the picture's size. Result roughly in [0, 1].
double tileFbm(double x, double y, int width, int height, int cellsX, int cellsY, int octaves,
               std::uint32_t seed, double persistence = 0.5);

// Cellular (Worley) noise that tiles at width × height: one jittered site per grid cell of a
// cellsX × cellsY grid. f1 and f2 are the distances in pixels to the nearest and second
// nearest site; (siteX, siteY) is the nearest site, cell its grid cell index, and border the
// distance in pixels to the edge between the nearest and the second nearest site's regions.
struct CellSample {
    double f1 = 0;
    double f2 = 0;
    double siteX = 0;
    double siteY = 0;
    double secondX = 0;
    double secondY = 0;
    int cell = 0;
    double border = 0;
};
CellSample tileCells(double x, double y, int width, int height, int cellsX, int cellsY,
                     std::uint32_t seed, double jitter = 0.8);

double clamp01(double value);
double smoothstep(double edge0, double edge1, double value);
QColor mix(const QColor& from, const QColor& to, double t);
QColor scaled(const QColor& colour, double factor);
QRgb rgbOf(double red, double green, double blue);

// Blurs an ARGB32 (premultiplied or not) picture in place by three box passes of the given
// radius, which approximates a Gaussian; edges are clamped, not wrapped.
void blur(QImage& image, int radius);

// Reduces a picture to at most 256 colours by median cut and maps every pixel to its nearest
// palette entry without dithering, so a seamless tile stays seamless. The result is
// Format_Indexed8, which Qt writes as an 8-bit Windows bitmap.
QImage toIndexed8(const QImage& image);

// Area-averaged reduction of a supersampled drawing by an integer factor.
QImage downsample(const QImage& image, int factor);

// DejaVu Sans at an exact pixel size, without hinting, so glyph shapes do not depend on the
// machine's font configuration.
QFont artFont(int pixelSize, bool bold);

} // namespace art
