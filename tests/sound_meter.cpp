// Finds the sounds in a recording of the game's output and compares each with the effect that
// was played. Used by scripts/check-sound on a recording of a virtual sound card's monitor.
//
//   sound_meter RECORDING REFERENCE.wav [--count N | --at-least N] [--min F] [--max F]
//               [--heard-after SECONDS] [--presses FILE]
//
// RECORDING is a WAV file or raw signed 16-bit little-endian mono samples at the reference's
// rate. A sound is a stretch of 1 ms frames above -50 dBFS, with gaps shorter than 15 ms
// bridged; its length is measured the same way in the reference. A sound that runs into the
// end of the recording is left out. Prints every sound found and
// exits 1 unless their number is N (or at least N), every one lasts between F-min and F-max
// times the reference's length, and (with --heard-after) one starts after that time.
//
// With --presses the recording begins with a marker (any sound, heard before the first press)
// and FILE gives the times of the presses, one a line, in seconds after the marker was started.
// The marker is not counted; each press's sound is the first to start after it and before the
// next press. Prints each press's latency from the press to its sound, and fails as well when a
// press gives no sound or the first comes more than 100 ms later than the median of the others.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr double kThresholdDb = -50.0;
constexpr double kFrameSeconds = 0.001;
constexpr double kBridgedGapSeconds = 0.015;
// A press's sound may seem to come a little before it: the marker's own start is late by the
// time its player takes to open a stream.
constexpr double kEarlySeconds = 0.05;
constexpr double kFirstPressSlackSeconds = 0.1;

struct Samples {
    int rate = 0;
    std::vector<double> values; // full scale is 1
};

struct Stretch {
    double start = 0;  // seconds
    double length = 0; // seconds
};

std::uint32_t readLe(const QByteArray& bytes, qsizetype at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::vector<double> decode16(const QByteArray& bytes, qsizetype begin, qsizetype end) {
    std::vector<double> values;
    for (qsizetype i = begin; i + 1 < end; i += 2)
        values.push_back(static_cast<std::int16_t>(readLe(bytes, i, 2)) / 32768.0);
    return values;
}

// A mono 16-bit PCM WAV file, or nothing.
std::optional<Samples> parseWav(const QByteArray& bytes) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Samples result;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = readLe(bytes, at + 4, 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
            if (readLe(bytes, body, 2) != 1 || readLe(bytes, body + 2, 2) != 1 ||
                readLe(bytes, body + 14, 2) != 16)
                return std::nullopt;
            result.rate = static_cast<int>(readLe(bytes, body + 4, 4));
        } else if (id == "data" && result.rate > 0) {
            result.values = decode16(bytes, body, std::min(bytes.size(), body + size));
            return result;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<QByteArray> readFile(const char* path) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::vector<Stretch> findSounds(const Samples& s) {
    const int frame = std::max(1, static_cast<int>(std::lround(s.rate * kFrameSeconds)));
    const double threshold = std::pow(10.0, kThresholdDb / 20.0);
    const int bridged = static_cast<int>(std::lround(kBridgedGapSeconds / kFrameSeconds));
    std::vector<Stretch> found;
    int first = -1, last = -1;
    const int frames = static_cast<int>(s.values.size()) / frame;
    auto close = [&] {
        if (first >= 0)
            found.push_back({first * kFrameSeconds, (last - first + 1) * kFrameSeconds});
        first = last = -1;
    };
    for (int f = 0; f < frames; ++f) {
        double sum = 0;
        for (int i = 0; i < frame; ++i) {
            const double v = s.values[static_cast<size_t>(f * frame + i)];
            sum += v * v;
        }
        if (std::sqrt(sum / frame) < threshold)
            continue;
        if (first >= 0 && f - last > bridged)
            close();
        if (first < 0)
            first = f;
        last = f;
    }
    close();
    return found;
}

std::optional<std::vector<double>> readTimes(const char* path) {
    const auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    std::vector<double> times;
    for (const QByteArray& line : bytes->split('\n')) {
        bool ok = false;
        const double time = line.trimmed().toDouble(&ok);
        if (ok)
            times.push_back(time);
    }
    return times;
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Pairs each press with its sound and prints the latencies; false when a press is unheard or
// the first is late.
bool judgeLatencies(const std::vector<Stretch>& sounds, double marker,
                    const std::vector<double>& presses) {
    std::vector<double> latencies;
    bool pass = true;
    for (size_t i = 0; i < presses.size(); ++i) {
        const double from = marker + presses[i] - kEarlySeconds;
        const double to = i + 1 < presses.size() ? marker + presses[i + 1] - kEarlySeconds
                                                 : std::numeric_limits<double>::max();
        const auto heard = std::find_if(sounds.begin(), sounds.end(), [&](const Stretch& s) {
            return s.start >= from && s.start < to;
        });
        if (heard == sounds.end()) {
            std::printf("  press %2zu at %7.3f s: no sound\n", i + 1, marker + presses[i]);
            pass = false;
            continue;
        }
        const double latency = heard->start - marker - presses[i];
        latencies.push_back(latency);
        std::printf("  press %2zu at %7.3f s: heard after %4.0f ms\n", i + 1, marker + presses[i],
                    latency * 1000);
    }
    if (!pass || latencies.size() < 2)
        return false;
    const double others = medianOf({latencies.begin() + 1, latencies.end()});
    std::printf("  first press %.0f ms, the others' median %.0f ms\n", latencies.front() * 1000,
                others * 1000);
    if (latencies.front() > others + kFirstPressSlackSeconds) {
        std::printf("  the first press is heard more than %.0f ms late\n",
                    kFirstPressSlackSeconds * 1000);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: sound_meter RECORDING REFERENCE.wav [--count N | --at-least "
                             "N] [--min F] [--max F] [--heard-after SECONDS] [--presses "
                             "FILE]\n");
        return 2;
    }
    int count = -1, atLeast = -1;
    double minFraction = 0.95, maxFraction = 1.10, heardAfter = -1;
    const char* pressesFile = nullptr;
    for (int i = 3; i + 1 < argc; i += 2) {
        const double value = std::atof(argv[i + 1]);
        if (!std::strcmp(argv[i], "--count"))
            count = static_cast<int>(value);
        else if (!std::strcmp(argv[i], "--at-least"))
            atLeast = static_cast<int>(value);
        else if (!std::strcmp(argv[i], "--min"))
            minFraction = value;
        else if (!std::strcmp(argv[i], "--max"))
            maxFraction = value;
        else if (!std::strcmp(argv[i], "--heard-after"))
            heardAfter = value;
        else if (!std::strcmp(argv[i], "--presses"))
            pressesFile = argv[i + 1];
        else {
            std::fprintf(stderr, "sound_meter: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    const auto referenceBytes = readFile(argv[2]);
    const auto reference = referenceBytes ? parseWav(*referenceBytes) : std::nullopt;
    const auto recordingBytes = readFile(argv[1]);
    if (!reference || !recordingBytes) {
        std::fprintf(stderr, "sound_meter: cannot read %s\n", reference ? argv[1] : argv[2]);
        return 2;
    }
    Samples recording;
    if (const auto wav = parseWav(*recordingBytes))
        recording = *wav;
    else
        recording = {reference->rate, decode16(*recordingBytes, 0, recordingBytes->size())};
    if (recording.rate != reference->rate) {
        std::fprintf(stderr, "sound_meter: the recording is at %d Hz, the reference at %d Hz\n",
                     recording.rate, reference->rate);
        return 2;
    }
    const auto whole = findSounds(*reference);
    if (whole.size() != 1) {
        std::fprintf(stderr, "sound_meter: the reference holds %zu sounds, not one\n",
                     whole.size());
        return 2;
    }
    const double full = whole.front().length;
    auto sounds = findSounds(recording);
    // A sound still going when the recording stopped is not judged.
    const double end = static_cast<double>(recording.values.size()) / recording.rate;
    if (!sounds.empty() && sounds.back().start + sounds.back().length > end - kBridgedGapSeconds) {
        std::printf("  at %7.3f s: cut off by the end of the recording, not judged\n",
                    sounds.back().start);
        sounds.pop_back();
    }
    std::optional<std::vector<double>> presses;
    double marker = 0;
    if (pressesFile) {
        presses = readTimes(pressesFile);
        if (!presses || presses->empty()) {
            std::fprintf(stderr, "sound_meter: no press times in %s\n", pressesFile);
            return 2;
        }
        if (sounds.empty()) {
            std::printf("  no marker heard\n");
            return 1;
        }
        marker = sounds.front().start;
        std::printf("  marker at %7.3f s\n", marker);
        sounds.erase(sounds.begin());
    }
    int fit = 0;
    bool late = false;
    for (const Stretch& s : sounds) {
        const double fraction = s.length / full;
        const bool ok = fraction >= minFraction && fraction <= maxFraction;
        fit += ok ? 1 : 0;
        late = late || s.start > heardAfter;
        std::printf("  at %7.3f s: %4.0f ms, %3.0f%% of %.0f ms%s\n", s.start, s.length * 1000,
                    fraction * 100, full * 1000, ok ? "" : "  <-- not whole");
    }
    const int heard = static_cast<int>(sounds.size());
    std::printf("  %d heard, %d of them between %.0f%% and %.0f%% of the effect's length\n", heard,
                fit, minFraction * 100, maxFraction * 100);
    bool pass = fit == heard;
    if (count >= 0 && heard != count) {
        std::printf("  expected %d\n", count);
        pass = false;
    }
    if (atLeast >= 0 && heard < atLeast) {
        std::printf("  expected at least %d\n", atLeast);
        pass = false;
    }
    if (presses && !judgeLatencies(sounds, marker, *presses))
        pass = false;
    if (heardAfter >= 0 && !late) {
        std::printf("  nothing heard after %.1f s\n", heardAfter);
        pass = false;
    }
    return pass ? 0 : 1;
}
