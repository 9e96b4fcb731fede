#pragma once

#include <functional>

// Plays the nine sound effects of extras/SoundEffects.h for the windows. It starts switched off;
// the main window switches it with the check mark of its Sound menu item.
class SoundPlayer {
public:
    // Starts the effect from "sounds/<file>" below the current directory, cutting off the one
    // still playing, and returns at once. Silent while switched off, without an audio output,
    // or when the file is missing; while effectObserver is set it takes the number instead of
    // playing. A number outside 0..8 raises a range error.
    void play(int number) const;

    void setSwitchedOn(bool on) { switchedOn_ = on; }
    bool isSwitchedOn() const { return switchedOn_; }

    // Tests watch the sound effects here instead of hearing them.
    std::function<void(int)> effectObserver;

private:
    bool switchedOn_ = false;
};
