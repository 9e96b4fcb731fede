#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The played words of a game and the sheets' score text. Players: 1 the human (left column),
// 2 the computer (right column). Words are Windows-1251 bytes.

constexpr int kPlayedWordSlots = 21; // the start word and one word for each of 20 free cells
constexpr int kSheetLines = 15;

using PlayedWords = std::array<std::string, kPlayedWordSlots>;

// Shifts the played words one slot down (slot 20 drops out) and puts the word in slot 0.
void pushPlayedWord(PlayedWords& played, const std::string& word);
// True when the word equals one of the 21 slots, byte for byte; never for an empty word.
bool isWordPlayedIn(const PlayedWords& played, std::string_view word);
// A score as the sheets show it: three digits ("000", "042").
std::string scoreText(unsigned score);
