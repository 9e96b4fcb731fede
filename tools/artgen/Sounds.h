// Synthesis of the game's nine sound effects.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace art {

constexpr int kSampleRate = 22050;

// One finished effect: mono 16-bit samples at kSampleRate, normalised, faded in and out.
struct Sound {
    QString fileName;
    std::vector<std::int16_t> samples;
};

std::vector<Sound> makeSounds();

// A canonical RIFF/WAVE file: one "fmt " chunk (PCM, mono, 16 bits) and one "data" chunk.
QByteArray encodeWav(const Sound& sound);

} // namespace art
