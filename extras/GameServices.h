#pragma once

#include "core/GameState.h"
#include "extras/SoundPlayer.h"

// What the program keeps around the game for its whole run, in one object: made by main()
// (a test's fixture makes its own) and handed to the main window, which hands it to the
// dialogs. Nothing here is reached any other way, so two owners made one after another share
// nothing.
class GameServices {
public:
    GameServices() = default;
    GameServices(const GameServices&) = delete;
    GameServices& operator=(const GameServices&) = delete;

    SoundPlayer& sound() { return sound_; }
    // The input gate and the computer's strength.
    TSession& game() { return game_; }
    const TSession& game() const { return game_; }

private:
    SoundPlayer sound_;
    TSession game_;
};
