#pragma once

#include <QString>

#include <functional>

class TDialogHost;
class TSettingsView;
struct TWords;

// The places where the window (or a test) listens to the game's services, and the main
// window's interfaces that the lower layers call up through, in one object. Each is empty
// while nobody listens, and a fresh THooks is the state of a program just started.
struct THooks {
    // Shows the text of an error instead of the modal error box; tests record the texts here.
    std::function<void(const QString&)> ErrorBox;
    // Called at the end of every successful LoadWords, so the window can show both word
    // counts in its language items.
    std::function<void(const TWords&)> WordsLoaded;
    // Whether sound is switched on (the check mark of the Sound menu item). Unset: silent.
    std::function<bool()> SoundSwitchedOn;
    // Tests watch the sound effects here instead of hearing them; while it is set nothing is
    // played.
    std::function<void(int)> SoundEffectObserver;

    // The two faces the main window shows the layers below it while it exists: what the
    // dialogs need from it and what reading the settings shows on it. Each is null without a
    // main window.
    TDialogHost* DialogHost = nullptr;
    TSettingsView* SettingsView = nullptr;
};

// The hooks of the process.
extern THooks Hooks;
