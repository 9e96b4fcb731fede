#pragma once

#include <QString>

// Asynchronous playback of one wave file at a time: starting one stops the one playing, and
// nothing else cuts a sound short. Each file is read once and kept; a file that is missing or
// not in the effects' format (see EffectStream.h) plays nothing. Silent when the machine has no
// audio output.
//
// The effects go through one output stream that stays open from the first play to the end of
// the application, fed on a thread of its own with a buffer of a few tens of milliseconds: a
// stream opened per play loses its start or its end on the sound servers, and a busy main
// thread must not starve a playing sound.
//
// The output is the module vorda-sound.so (SoundOutput.cpp), loaded by SoundLoader.cpp at the
// first play; without it the game is silent.
void playWaveFile(const QString& path);
