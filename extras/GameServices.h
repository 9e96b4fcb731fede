#pragma once

#include "core/GameState.h"
#include "core/WordLibrary.h"
#include "extras/SoundPlayer.h"
#include "records/RecordsTable.h"
#include "settings/SettingsFile.h"

#include <string>
#include <string_view>

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
    GameSession& game() { return game_; }
    const GameSession& game() const { return game_; }
    // The word library of the current language, and the language itself.
    WordLibrary& words() { return words_; }
    const WordLibrary& words() const { return words_; }
    // The settings file; bound to the program folder's "Vorda2000.ini" by initSettingsFile.
    SettingsFile& settingsFile() { return settingsFile_; }
    const SettingsFile& settingsFile() const { return settingsFile_; }
    // The records lists, read from "DATA/Winners" at the start and written at the close.
    RecordsTable& winners() { return winners_; }

    // The text of a key in the current language's section of the settings file (textInSection).
    std::string languageText(std::string_view key) const {
        return textInSection(settingsFile_, words_.languageSection, key);
    }

private:
    SoundPlayer sound_;
    GameSession game_;
    WordLibrary words_;
    SettingsFile settingsFile_;
    RecordsTable winners_;
};
