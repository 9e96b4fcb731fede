#include "core/GameReview.h"

#include "core/MoveSearch.h"
#include "core/SavedGame.h"

std::vector<TurnReview> reviewGame(const std::vector<MoveRecord>& moves, const WordLibrary& words) {
    std::vector<TurnReview> turns;
    SearchLimits limits;
    limits.maxWordLength = kHintWordLength;
    limits.hintMode = true;
    limits.language = words.language;
    for (size_t i = 1; i < moves.size(); ++i) {
        const std::vector<MoveRecord> before(moves.begin(), moves.begin() + long(i));
        const std::optional<GameState> board = replayMoves(before, nullptr);
        if (!board)
            break;
        const SearchResult best =
            findBestWord(board->board, words, board->playedWords, limits, nullptr);
        TurnReview turn;
        turn.player = moves[i].player;
        turn.word = moves[i].word;
        turn.score = int(moves[i].word.size());
        turn.best = best.word;
        turn.matched = !turn.word.empty() && turn.word.size() >= best.word.size();
        turns.push_back(turn);
    }
    return turns;
}
