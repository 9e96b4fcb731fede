#pragma once

#include <QByteArray>
#include <QMutex>

#include <memory>
#include <optional>

// The one format of the game's sound effects: mono, signed 16-bit little-endian samples at
// 22,050 Hz.
constexpr int kEffectSampleRate = 22050;

// The samples of a wave file in the effects' format (RIFF/WAVE, PCM, mono, 16 bits, 22,050 Hz),
// or nothing for any other file, damaged or cut short.
std::optional<QByteArray> effectSamples(const QByteArray& waveFile);

// The endless stream that an audio output is fed from: the samples of the effect being played,
// then silence until the next one. Starting an effect cuts off the one still playing. play() may
// be called on any thread while the output reads on its own.
class EffectStream {
public:
    // Plays `samples` (whole 16-bit samples) from their start at the next read.
    void play(std::shared_ptr<const QByteArray> samples);
    // Fills `size` bytes (rounded down to whole samples) with what comes next; returns how many.
    qint64 read(char* data, qint64 size);
    // Whether an effect is still playing.
    bool busy() const;

private:
    mutable QMutex mutex_;
    std::shared_ptr<const QByteArray> playing_;
    qint64 position_ = 0;
};
