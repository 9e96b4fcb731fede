#pragma once

#include "core/MoveSearch.h"
#include "core/PlayedWords.h"
#include "core/WordLibrary.h"

#include <cstdint>
#include <string>

// The rules of play over plain data, free of windows: the game model (core/GameModel.h) asks
// these.

// The game is over after two turns in a row without a word (passCount 2 or more) or when the
// field has no free cell left.
bool isGameOver(const LetterGrid& field, int32_t passCount);

// Whether a cell may follow the last cell of a word's path: it shares a side with it.
// Columns and rows count from the same origin for both cells.
bool isPathStep(int lastColumn, int lastRow, int column, int row);

// What becomes of a word the human has spelled (Windows-1251): Refused when it has fewer
// than two letters, more than the library's longest words, or was played in this game; Accepted
// when the library knows it; otherwise Unknown, and the human is asked whether to add it.
enum class HumanWordVerdict { Refused, Accepted, Unknown };
HumanWordVerdict judgeHumanWord(const std::string& word, const WordLibrary& words,
                                const PlayedWords& played);
