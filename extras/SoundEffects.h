#pragma once

// The nine sound effects, by number: 0 click1 (palette letter), 1 click2 (step back),
// 2 click3 (letter placed or added to the word), 3 apply (word credited), 4 winner, 5 loser,
// 6 bang1, 7 bang2 (About animation), 8 question (question window).
constexpr int kSoundEffects = 9;
constexpr int kSoundLetter = 0;
constexpr int kSoundStepBack = 1;
constexpr int kSoundCell = 2;
constexpr int kSoundApply = 3;
constexpr int kSoundWinner = 4;
constexpr int kSoundLoser = 5;
constexpr int kSoundFloorBang = 6;
constexpr int kSoundWallBang = 7;
constexpr int kSoundQuestion = 8;
extern const char* const soundFiles[kSoundEffects];
