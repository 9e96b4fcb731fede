#pragma once

#include <functional>

class SoundOutput;

// Plays the nine sound effects of extras/SoundEffects.h for the windows. It starts switched off;
// the main window switches it with the check mark of its Sound menu item.
class SoundPlayer {
public:
    // Plays through `output`, or through the program's own (soundOutput()) when none is given.
    explicit SoundPlayer(SoundOutput* output = nullptr) : output_(output) {}

    // Starts the effect from "sounds/<file>" below the current directory, cutting off the one
    // still playing, and returns at once. Silent while switched off, without an audio output,
    // or when the file is missing; while effectObserver is set it takes the number instead of
    // playing. A number outside 0..8 raises a range error.
    void play(int number) const;

    // Switched on once output is allowed, the output is opened in the background at once.
    void setSwitchedOn(bool on);
    bool isSwitchedOn() const { return switchedOn_; }
    // From now on the output is opened in the background whenever the sound is on, before the
    // first effect, so that the first is as quick as the rest. The main window allows it once
    // it has painted: the output's libraries and the sound server cost the start nothing, and a
    // game with the sound off never loads them.
    void allowOutput();

    // Tests watch the sound effects here instead of hearing them.
    std::function<void(int)> effectObserver;

private:
    SoundOutput& output() const;
    void openOutputIfWanted();

    SoundOutput* output_;
    bool switchedOn_ = false;
    bool outputAllowed_ = false;
};
