#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The word sheets of the current game: the words played (the start word included), the two
// players' scores and the two columns of their newest words. Players: 1 the human (left
// column, Score1), 2 the computer (right column, Score2). Words are Windows-1251 bytes.

constexpr int kPlayedWordSlots = 21; // the start word and one word for each of 20 free cells
constexpr int kSheetLines = 15;

// The played words and the scores themselves are Game's (core/GameState.h).

void ClearPlayedWords();
// Shifts the played words one slot down (slot 20 drops out) and puts the word in slot 0.
void PushPlayedWord(const std::string& word);
// True when the word equals one of the 21 slots, byte for byte.
bool IsWordPlayed(std::string_view word);
// The same test on any list of played words (the move search uses a copy).
bool IsWordPlayedIn(const std::array<std::string, kPlayedWordSlots>& played, std::string_view word);
// A score as the sheets show it: three digits ("000", "042").
std::string ScoreText(unsigned score);

// The columns and the score displays that show the sheets are the main window's
// (app/WordSheetsView.h).
