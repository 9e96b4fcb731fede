// The nine sound effects, synthesised from sines, filtered noise and envelopes.
//
// All effects share one loudness: each is scaled to the same integrated loudness (EBU R128:
// K-weighted, gated, in LUFS) of the effect played over and over, as a player hears a click
// repeated or a fanfare, unless that would push its peak above the ceiling, which then decides.
#include "Sounds.h"

#include "ArtCommon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace art {
namespace {

constexpr double kTau = 2 * std::numbers::pi;
constexpr double kTargetLoudness = -18.0; // LUFS
constexpr double kPeakCeiling = 0.89;     // about -1 dBFS
constexpr double kLoopedSeconds = 20.0;   // how long the repeated effect is measured

using Signal = std::vector<double>;

int samplesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * kSampleRate));
}

double timeOf(int index) {
    return static_cast<double>(index) / kSampleRate;
}

// A short raised-cosine ramp over the last 6 ms of a part, so that no part stops abruptly.
double endRamp(int index, int count) {
    const int ramp = samplesFor(0.006);
    const int left = count - 1 - index;
    if (left >= ramp)
        return 1.0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(left, 0) / ramp);
}

// Adds a sine whose frequency glides exponentially from f0 to f1 over `glide` seconds, with an
// attack ramp and an exponential decay of time constant `decay`, starting at `start`.
void addTone(Signal& out, double start, double length, double f0, double f1, double glide,
             double amplitude, double attack, double decay, double vibratoDepth = 0,
             double vibratoRate = 0) {
    const int first = samplesFor(start);
    const int count = samplesFor(length);
    double phase = 0;
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = timeOf(i);
        const double k = glide > 0 ? std::min(1.0, t / glide) : 1.0;
        double f = f0 * std::pow(f1 / f0, k);
        if (vibratoDepth > 0)
            f *= 1.0 + vibratoDepth * std::sin(kTau * vibratoRate * t) * smoothstep(0.05, 0.25, t);
        phase += kTau * f / kSampleRate;
        const double env = (attack > 0 ? std::min(1.0, t / attack) : 1.0) * std::exp(-t / decay) *
                           endRamp(i, count);
        out[first + i] += amplitude * env * std::sin(phase);
    }
}

// A two-pole resonant band-pass over white noise, with an exponential decay.
void addNoiseBurst(Signal& out, double start, double length, double centre, double q,
                   double amplitude, double decay, std::uint64_t seed) {
    Rng rng(seed);
    const double w = kTau * centre / kSampleRate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0;
    const double b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w) / a0;
    const double a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    const int first = samplesFor(start);
    const int count = samplesFor(length);
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double x = rng.range(-1, 1);
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        out[first + i] += amplitude * y * std::exp(-timeOf(i) / decay) * endRamp(i, count);
    }
}

// A brass-like note: harmonics whose upper partials open up with the attack ("blat") and
// fade first in the release. `brightness` sets how many partials speak.
void addBrass(Signal& out, double start, double length, double frequency, double amplitude,
              double brightness, double vibrato = 0, double bendAtEnd = 1.0) {
    const int first = samplesFor(start);
    const int count = samplesFor(length + 0.12);
    constexpr int kPartials = 12;
    double phase = 0;
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = timeOf(i);
        const double attack = smoothstep(0.0, 0.035, t);
        const double release = t < length ? 1.0 : std::exp(-(t - length) / 0.035);
        const double sustain = 0.82 + 0.18 * std::exp(-t / 0.08);
        const double env = attack * release * sustain;
        double f = frequency;
        if (vibrato > 0)
            f *= 1.0 + vibrato * std::sin(kTau * 5.2 * t) * smoothstep(0.12, 0.35, t);
        if (bendAtEnd != 1.0)
            f *= std::pow(bendAtEnd, smoothstep(length * 0.55, length + 0.1, t));
        phase += kTau * f / kSampleRate;
        double sample = 0;
        for (int n = 1; n <= kPartials; ++n) {
            if (n * f > kSampleRate * 0.45)
                break;
            const double open = std::pow(env, 0.6 + n * (1.2 - 0.8 * brightness));
            sample += open * std::sin(n * phase) / std::pow(n, 1.25);
        }
        out[first + i] += amplitude * env * sample;
    }
}

// A bell-like chime: a struck fundamental with slightly inharmonic partials.
void addChime(Signal& out, double start, double frequency, double amplitude, double decay) {
    constexpr double kRatios[] = {1.0, 2.0, 3.01, 4.17};
    constexpr double kLevels[] = {1.0, 0.32, 0.12, 0.07};
    constexpr double kDecays[] = {1.0, 0.55, 0.35, 0.22};
    for (int p = 0; p < 4; ++p)
        addTone(out, start, 0.6, frequency * kRatios[p], frequency * kRatios[p], 0,
                amplitude * kLevels[p], 0.003, decay * kDecays[p]);
}

// Sets the first and last samples to silence along raised-cosine ramps.
void fade(Signal& s, double fadeIn, double fadeOut) {
    const int in = std::max(2, samplesFor(fadeIn));
    const int out = std::max(2, samplesFor(fadeOut));
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < in && i < n; ++i)
        s[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / in);
    for (int i = 0; i < out && i < n; ++i)
        s[n - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / out);
}

// Removes any DC with a gentle high-pass (about 20 Hz), applied before the fades.
void removeDc(Signal& s) {
    const double r = std::exp(-kTau * 20.0 / kSampleRate);
    double x1 = 0, y1 = 0;
    for (double& v : s) {
        const double y = v - x1 + r * y1;
        x1 = v;
        y1 = y;
        v = y;
    }
}

// One second-order section, direct form I.
struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double step(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The two stages of the K-weighting (a high shelf of +4 dB above about 1.7 kHz, then a high-pass
// at about 38 Hz), designed for our sample rate from their analogue prototypes.
std::array<Biquad, 2> kWeighting() {
    const double shelfK = std::tan(std::numbers::pi * 1681.974450955533 / kSampleRate);
    const double shelfQ = 0.7071752369554196;
    const double vh = std::pow(10.0, 3.999843853973347 / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1 + shelfK / shelfQ + shelfK * shelfK;
    const Biquad shelf{
        (vh + vb * shelfK / shelfQ + shelfK * shelfK) / a0, 2 * (shelfK * shelfK - vh) / a0,
        (vh - vb * shelfK / shelfQ + shelfK * shelfK) / a0, 2 * (shelfK * shelfK - 1) / a0,
        (1 - shelfK / shelfQ + shelfK * shelfK) / a0};
    const double passK = std::tan(std::numbers::pi * 38.13547087602444 / kSampleRate);
    const double passQ = 0.5003270373238773;
    const double p0 = 1 + passK / passQ + passK * passK;
    const Biquad highPass{1, -2, 1, 2 * (passK * passK - 1) / p0,
                          (1 - passK / passQ + passK * passK) / p0};
    return {shelf, highPass};
}

// The integrated loudness, in LUFS, of `s` repeated without a gap for kLoopedSeconds: 400 ms
// blocks every 100 ms, gated at -70 LUFS and then 10 LU below the mean of the blocks left.
double loopedLoudness(const Signal& s) {
    auto filters = kWeighting();
    const size_t total = static_cast<size_t>(samplesFor(kLoopedSeconds));
    std::vector<double> power(total);
    for (size_t i = 0; i < total; ++i) {
        const double y = filters[1].step(filters[0].step(s[i % s.size()]));
        power[i] = y * y;
    }
    const size_t block = static_cast<size_t>(samplesFor(0.4));
    const size_t hop = static_cast<size_t>(samplesFor(0.1));
    std::vector<double> blocks;
    for (size_t begin = 0; begin + block <= total; begin += hop) {
        double sum = 0;
        for (size_t i = begin; i < begin + block; ++i)
            sum += power[i];
        blocks.push_back(sum / static_cast<double>(block));
    }
    auto loudness = [](double meanSquare) { return -0.691 + 10 * std::log10(meanSquare); };
    auto gatedMean = [&](double gate) {
        double sum = 0;
        int count = 0;
        for (double z : blocks)
            if (loudness(z) > gate) {
                sum += z;
                ++count;
            }
        return count ? sum / count : 0.0;
    };
    const double absolute = gatedMean(-70.0);
    return loudness(gatedMean(loudness(absolute) - 10.0));
}

std::vector<std::int16_t> normalise(Signal s, double fadeIn, double fadeOut) {
    removeDc(s);
    fade(s, fadeIn, fadeOut);
    double peak = 0;
    for (double v : s)
        peak = std::max(peak, std::abs(v));
    const double toTarget = std::pow(10.0, (kTargetLoudness - loopedLoudness(s)) / 20.0);
    const double gain = std::min(toTarget, kPeakCeiling / peak);
    std::vector<std::int16_t> pcm(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::lround(s[i] * gain * 32767.0));
    return pcm;
}

Sound finish(const char* name, Signal s, double fadeIn, double fadeOut) {
    return Sound{QString::fromLatin1(name), normalise(std::move(s), fadeIn, fadeOut)};
}

// A wooden tap, as of a letter tile picked from the rack.
Sound click1() {
    Signal s(static_cast<size_t>(samplesFor(0.050)));
    addNoiseBurst(s, 0, 0.05, 2400, 2.5, 0.9, 0.004, 101);
    addTone(s, 0, 0.05, 1180, 1100, 0.02, 0.6, 0.0005, 0.010);
    addTone(s, 0, 0.05, 2630, 2600, 0.02, 0.3, 0.0005, 0.006);
    return finish("click1.wav", s, 0.0008, 0.008);
}

// A soft, low "thup": the step back.
Sound click2() {
    Signal s(static_cast<size_t>(samplesFor(0.080)));
    addTone(s, 0, 0.08, 520, 300, 0.05, 0.9, 0.001, 0.020);
    addNoiseBurst(s, 0, 0.05, 900, 1.5, 0.5, 0.006, 102);
    return finish("click2.wav", s, 0.001, 0.015);
}

// A bright glassy "tink": a letter set on the board or a cell added to the word.
Sound click3() {
    Signal s(static_cast<size_t>(samplesFor(0.070)));
    addTone(s, 0, 0.07, 2794, 2794, 0, 0.55, 0.0008, 0.018);
    addTone(s, 0, 0.07, 4186, 4186, 0, 0.25, 0.0008, 0.010);
    addNoiseBurst(s, 0, 0.01, 5000, 2.0, 0.35, 0.0015, 103);
    return finish("click3.wav", s, 0.0008, 0.012);
}

// A word accepted: two rising bell notes, C6 and G6.
Sound apply() {
    Signal s(static_cast<size_t>(samplesFor(0.48)));
    addChime(s, 0.0, 1046.5, 0.5, 0.16);
    addChime(s, 0.085, 1568.0, 0.5, 0.18);
    return finish("apply.wav", s, 0.002, 0.06);
}

// A little fanfare: G4 C5 E5 G5, E5, and a held G5 over a C major chord.
Sound winner() {
    Signal s(static_cast<size_t>(samplesFor(1.75)));
    const double step = 0.115;
    addBrass(s, 0 * step, 0.09, 392.0, 0.5, 0.8);
    addBrass(s, 1 * step, 0.09, 523.25, 0.5, 0.8);
    addBrass(s, 2 * step, 0.09, 659.25, 0.5, 0.8);
    addBrass(s, 3 * step, 0.20, 784.0, 0.5, 0.9);
    addBrass(s, 5 * step, 0.09, 659.25, 0.5, 0.8);
    addBrass(s, 6 * step, 0.85, 784.0, 0.45, 1.0, 0.006);
    addBrass(s, 6 * step, 0.85, 523.25, 0.30, 0.7, 0.005);
    addBrass(s, 6 * step, 0.85, 392.0, 0.25, 0.6, 0.004);
    return finish("winner.wav", s, 0.003, 0.12);
}

// A sad falling phrase, muted trombone style: G4, F#4, F4, then a long E4 that sags.
Sound loser() {
    Signal s(static_cast<size_t>(samplesFor(1.90)));
    addBrass(s, 0.00, 0.26, 392.0, 0.55, 0.35);
    addBrass(s, 0.32, 0.26, 369.99, 0.55, 0.35);
    addBrass(s, 0.64, 0.26, 349.23, 0.55, 0.35);
    addBrass(s, 0.96, 0.72, 329.63, 0.55, 0.40, 0.018, 0.94);
    return finish("loser.wav", s, 0.003, 0.15);
}

// The ball hits the floor: a rubbery thump whose pitch falls.
Sound bang1() {
    Signal s(static_cast<size_t>(samplesFor(0.30)));
    addTone(s, 0, 0.30, 260, 110, 0.12, 1.0, 0.002, 0.070);
    addTone(s, 0, 0.30, 520, 400, 0.10, 0.45, 0.002, 0.050);
    addNoiseBurst(s, 0, 0.03, 1500, 1.0, 0.5, 0.005, 104);
    return finish("bang1.wav", s, 0.001, 0.05);
}

// The ball hits a wall: a shorter, higher "pok".
Sound bang2() {
    Signal s(static_cast<size_t>(samplesFor(0.20)));
    addTone(s, 0, 0.20, 640, 380, 0.06, 0.9, 0.0015, 0.040);
    addTone(s, 0, 0.20, 1270, 1200, 0.05, 0.25, 0.0015, 0.020);
    addNoiseBurst(s, 0, 0.02, 2600, 1.4, 0.45, 0.003, 105);
    return finish("bang2.wav", s, 0.001, 0.04);
}

// A gentle two-note query rising a fifth, E5 to B5.
Sound question() {
    Signal s(static_cast<size_t>(samplesFor(0.46)));
    addTone(s, 0.0, 0.20, 659.25, 659.25, 0, 0.55, 0.012, 0.12);
    addTone(s, 0.0, 0.20, 1318.5, 1318.5, 0, 0.10, 0.012, 0.06);
    addTone(s, 0.15, 0.31, 940.0, 987.77, 0.04, 0.55, 0.015, 0.16, 0.008, 6.0);
    addTone(s, 0.15, 0.31, 1975.5, 1975.5, 0, 0.08, 0.015, 0.08);
    return finish("question.wav", s, 0.004, 0.06);
}

void putLe(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

std::vector<Sound> makeSounds() {
    return {click1(), click2(), click3(), apply(), winner(), loser(), bang1(), bang2(), question()};
}

QByteArray encodeWav(const Sound& sound) {
    constexpr int kChannels = 1;
    constexpr int kBits = 16;
    const auto dataSize = static_cast<std::uint32_t>(sound.samples.size() * 2);
    QByteArray bytes;
    bytes.append("RIFF");
    putLe(bytes, 36 + dataSize, 4);
    bytes.append("WAVEfmt ");
    putLe(bytes, 16, 4);
    putLe(bytes, 1, 2); // PCM
    putLe(bytes, kChannels, 2);
    putLe(bytes, kSampleRate, 4);
    putLe(bytes, kSampleRate * kChannels * kBits / 8, 4);
    putLe(bytes, kChannels * kBits / 8, 2);
    putLe(bytes, kBits, 2);
    bytes.append("data");
    putLe(bytes, dataSize, 4);
    for (std::int16_t v : sound.samples)
        putLe(bytes, static_cast<std::uint16_t>(v), 2);
    return bytes;
}

} // namespace art
