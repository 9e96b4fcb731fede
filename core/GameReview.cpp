#include "core/GameReview.h"

#include "core/SavedGame.h"
#include "core/SearchUnit.h"

std::vector<TurnReview> ReviewGame(const std::vector<MoveRecord>& moves, const TWords& words) {
    std::vector<TurnReview> turns;
    SearchLimits limits;
    limits.maxWordLength = kHintWordLength;
    limits.hintMode = true;
    limits.language = words.Language;
    for (size_t i = 1; i < moves.size(); ++i) {
        const std::vector<MoveRecord> before(moves.begin(), moves.begin() + long(i));
        const std::optional<GameState> board = ReplayMoves(before, nullptr);
        if (!board)
            break;
        const SearchResult best =
            FindBestWord(board->board, words, board->playedWords, limits, nullptr);
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
