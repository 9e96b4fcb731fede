#pragma once

#include "core/GameState.h"
#include "core/WordLibrary.h"

#include <string>
#include <vector>

// One turn of a finished game beside the best it could have been.
struct TurnReview {
    Player player = Player::Nobody;
    std::string word; // Windows-1251; empty for a pass
    int score = 0;
    // The longest word the library allowed on that board for that turn, at the hint's length
    // limit and without the words played before; empty when there was none.
    std::string best;
    // The turn's word was as long as the best.
    bool matched = false;
};

// Every turn of the game after the start word, each searched on the board it was played on.
// It runs the move search once a turn: for after a game, not during play.
std::vector<TurnReview> reviewGame(const std::vector<MoveRecord>& moves, const WordLibrary& words);
