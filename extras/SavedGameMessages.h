#pragma once

#include "core/SavedGame.h"

#include <QString>

class GameServices;

// What the player is told about the saved game, in the current language (its texts from the
// settings file, or the game's own where the file lacks them).

// Why the saved game found at the start is not resumed; empty when nothing is wrong with it.
QString savedGameLoadMessage(const GameServices& services, const SavedGameLoad& load);

// That the game could not be saved in `path`, and why.
QString savedGameSaveMessage(const GameServices& services, const QString& path,
                             const QString& reason);
