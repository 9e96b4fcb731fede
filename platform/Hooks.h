#pragma once

#include <functional>

class TDialogHost;

// What the dialogs reach of the main window, and the sound switch with its test observer, in
// one object; each is empty while nobody listens, and a fresh THooks is the state of a program
// just started.
struct THooks {
    // Whether sound is switched on (the check mark of the Sound menu item). Unset: silent.
    std::function<bool()> SoundSwitchedOn;
    // Tests watch the sound effects here instead of hearing them; while it is set nothing is
    // played.
    std::function<void(int)> SoundEffectObserver;

    // What the dialogs need from the main window while it exists; null without one.
    TDialogHost* DialogHost = nullptr;
};

// The hooks of the process.
extern THooks Hooks;
