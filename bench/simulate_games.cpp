// Computer-against-computer games for judging how common the computer's words are: both sides
// play the game's search at one strength, moving as the ordinary search chooses (the
// commonest of the longest words). At every position the same search is asked three ways:
// as before the ranks (the first word found of the greatest length, every word alike), as the
// game now plays, and with everyday words only. Prints for each way the number of words, the
// share of everyday words (tiers 1 and 2 of the ranks file), the rude words and the mean length.
//
//   simulate_games LIBRARY RANKS LANGUAGE [GAMES] [STRENGTH]

#include "core/MoveSearch.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>

namespace {

struct Tally {
    int words = 0;
    int everyday = 0;
    int rude = 0;
    int letters = 0;
    void add(const WordLibrary& ranked, const std::string& word) {
        if (word.empty())
            return;
        const WordList& list = ranked.lists[word.size()];
        const uint8_t tier = list.tierAt(list.indexOf(word));
        ++words;
        everyday += isEverydayTier(tier);
        rude += tier == kRudeTier;
        letters += int(word.size());
    }
    void print(const char* name) const {
        std::printf("%-22s words %4d  everyday %5.1f%%  rude %d  mean length %.3f\n", name, words,
                    words ? 100.0 * everyday / words : 0.0, rude,
                    words ? double(letters) / words : 0.0);
    }
};

// Writes the move's letter into its cell.
void play(LetterGrid& grid, const SearchResult& move) {
    for (int i = 0; i < move.pathLength; ++i)
        if (move.path[2 * i] == move.column && move.path[2 * i + 1] == move.row)
            grid.cells[move.column][move.row].letter = move.word[size_t(i)];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: simulate_games LIBRARY RANKS LANGUAGE [GAMES] [STRENGTH]\n", stderr);
        return 2;
    }
    WordLibrary ranked;
    ranked.language = uint16_t(arguments[3].toInt());
    loadWordsFromFile(ranked, arguments[1]);
    readRanks(ranked, arguments[2]);
    if (ranked.ranks != RanksState::Read) {
        std::fputs("the ranks file cannot be read whole\n", stderr);
        return 2;
    }
    // The library as the search saw it before the ranks: every word alike.
    WordLibrary plain;
    plain.language = ranked.language;
    loadWordsFromFile(plain, arguments[1]);
    const int games = arguments.size() > 4 ? arguments[4].toInt() : 30;
    const int strength = arguments.size() > 5 ? arguments[5].toInt() : 4;

    SearchLimits limits;
    limits.language = ranked.language;
    limits.maxWordLength = uint16_t(strength + 2);
    SearchLimits everydayLimits = limits;
    everydayLimits.everydayOnly = true;

    Tally before, now, everyday, startWords;
    int sameLength = 0, positions = 0;
    QRandomGenerator random(2000);
    for (int game = 0; game < games; ++game) {
        LetterGrid grid;
        const std::string start = chooseStartWord(ranked, random);
        startWords.add(ranked, start);
        for (int c = 0; c < kFieldSide; ++c)
            grid.cells[c][2].letter = start[size_t(c)];
        PlayedWords played;
        played[0] = start;
        int passes = 0;
        for (int turn = 1; turn < kPlayedWordSlots && passes < 2; ++turn) {
            const SearchResult first = findBestWord(grid, plain, played, limits, nullptr);
            const SearchResult move = findBestWord(grid, ranked, played, limits, nullptr);
            const SearchResult common = findBestWord(grid, ranked, played, everydayLimits, nullptr);
            before.add(ranked, first.word);
            now.add(ranked, move.word);
            everyday.add(ranked, common.word);
            ++positions;
            sameLength += first.word.size() == move.word.size();
            if (move.word.empty()) {
                ++passes;
                continue;
            }
            passes = 0;
            play(grid, move);
            played[size_t(turn)] = move.word;
        }
    }
    std::printf("%d games, strength %d, %d positions; same length before and now: %d\n", games,
                strength, positions, sameLength);
    before.print("before (first found)");
    now.print("now (commonest)");
    everyday.print("everyday words only");
    startWords.print("start words");
    return 0;
}
