#pragma once

#include "core/GameState.h"
#include "core/SpisokUnit.h"

#include <cstdint>
#include <string>

class TCoolLabel;

// The word sheets on the main window: the two columns of the players' newest words and the
// two scores. The played words and the scores themselves are core/SpisokUnit.h's.

// The visible columns [player 1..2][line 1..15], line 1 on top; made by the main window.
extern TCoolLabel* SheetLabels[3][kSheetLines + 1];
// Where ShowScores writes: Score1 and Score2 of the main window (index 1..2).
extern TCoolLabel* ScoreDisplays[3];

// Writes both scores as three digits ("000", "042").
void ShowScores();
// Credits the word to the player: score, played list, and the top of the player's column.
void AddPlayerWord(uint16_t player, const std::string& word);
// Empties both columns and sets both scores to 0.
void ClearSheets();
