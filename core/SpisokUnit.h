#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TCoolLabel;

// The word sheets of the current game: the words played (the start word included), the two
// players' scores and the two columns of their newest words. Players: 1 the human (left
// column, Score1), 2 the computer (right column, Score2). Words are Windows-1251 bytes.

constexpr int kPlayedWordSlots = 21; // the start word and one word for each of 20 free cells
constexpr int kSheetLines = 15;

// The words of the game, newest in slot 0; empty slots hold "".
extern std::array<std::string, kPlayedWordSlots> PlayedWords;
extern uint16_t Scores[3]; // index 1..2
// The visible columns [player 1..2][line 1..15], line 1 on top; made by the main window.
extern TCoolLabel* SheetLabels[3][kSheetLines + 1];
// Where ShowScores writes: Score1 and Score2 of the main window (index 1..2).
extern TCoolLabel* ScoreDisplays[3];

void ClearPlayedWords();
// Shifts the played words one slot down (slot 20 drops out) and puts the word in slot 0.
void PushPlayedWord(const std::string& word);
// True when the word equals one of the 21 slots, byte for byte.
bool IsWordPlayed(std::string_view word);
// The same test on any list of played words (the move search uses a copy).
bool IsWordPlayedIn(const std::array<std::string, kPlayedWordSlots>& played, std::string_view word);
// Writes both scores as three digits ("000", "042").
void ShowScores();
// Credits the word to the player: score, played list, and the top of the player's column.
void AddPlayerWord(uint16_t player, const std::string& word);
// Empties both columns and sets both scores to 0.
void ClearSheets();
