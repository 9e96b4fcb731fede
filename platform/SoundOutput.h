#pragma once

#include <QString>

// Asynchronous playback of one wave file at a time: starting one stops the one playing.
// Each file is loaded once and kept. Silent when the machine has no audio output or the
// file does not exist.
void PlayWaveFile(const QString& path);
