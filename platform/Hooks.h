#pragma once

#include <functional>

class DialogHost;

// What the dialogs reach of the main window, and the sound switch with its test observer, in
// one object; each is empty while nobody listens, and a fresh ServiceHooks is the state of a
// program just started.
struct ServiceHooks {
    // Whether sound is switched on (the check mark of the Sound menu item). Unset: silent.
    std::function<bool()> soundSwitchedOn;
    // Tests watch the sound effects here instead of hearing them; while it is set nothing is
    // played.
    std::function<void(int)> soundEffectObserver;

    // What the dialogs need from the main window while it exists; null without one.
    DialogHost* dialogHost = nullptr;
};

// The hooks of the process.
extern ServiceHooks Hooks;
