#pragma once

#include "core/MoveSearch.h"

#include <algorithm>
#include <string>
#include <vector>

// The move search written the plain way, as a yardstick for findBestWord: the word travels
// as a std::string that each step extends into a new string, and the library is asked
// through the binary search with the case-insensitive comparison (WordList::Contains). It
// walks the same paths in the same order, so it gives the same word, cell, path and walk
// count as the game's search without its prefix tree; the tests compare the moves, and the
// benchmark measures how much faster the game's search is. No observer: the words that
// improved on the best, and the number of trial letters, are kept for the tests instead.
// With firstFound, a word wins only by its length, the first found of the greatest length
// (the search before the commonest word won): the tests compare the lengths with it.
namespace reference {

class StraightforwardSearch {
public:
    StraightforwardSearch(const WordLibrary& words,
                          const std::array<std::string, kPlayedWordSlots>& played,
                          const SearchLimits& limits)
        : words_(words), played_(played), limits_(limits) {}

    std::vector<std::string> improvements; // every new best word, in the order found
    int trialLetters = 0;
    bool firstFound = false;

    SearchResult run(const LetterGrid& snapshot) {
        const bool everyday = limits_.everydayOnly && !limits_.hintMode;
        maxTier_ = everyday ? kLastEverydayTier : kRarestTier;
        runPass(snapshot);
        if (everyday && best_.empty()) {
            maxTier_ = kRarestTier;
            runPass(snapshot);
        }
        result_.word = best_;
        return result_;
    }

private:
    void runPass(const LetterGrid& snapshot) {
        LetterGrid grid = snapshot;
        const int letterCount = limits_.language == 2 ? 26 : 32;
        limit_ = limits_.hintMode ? kHintWordLength : limits_.maxWordLength;
        for (int c = 0; c < 5; ++c) {
            for (int r = 0; r < 5; ++r) {
                if (grid.cells[c][r].letter != kFreeCell)
                    continue;
                // After a word of the full length only a commoner one as long may follow.
                if (int(best_.size()) >= limits_.maxWordLength) {
                    if (firstFound || bestCommonness_ <= words_.lists[best_.size()].commonest())
                        continue;
                    limit_ = std::min(limit_, best_.size());
                }
                if (!hasFilledNeighbour(grid, c, r))
                    continue;
                for (int k = 0; k < letterCount; ++k) {
                    ++trialLetters;
                    candidateColumn_ = c;
                    candidateRow_ = r;
                    grid.cells[c][r].letter = char((limits_.language == 2 ? 'A' : 192) + k);
                    for (int sc = 0; sc < 5; ++sc) {
                        for (int sr = 0; sr < 5; ++sr) {
                            if (grid.cells[sc][sr].letter == kFreeCell)
                                continue;
                            grid.cells[sc][sr].visited = 1;
                            path_.assign({sc, sr});
                            walkPath(grid, sc, sr, std::string(1, grid.cells[sc][sr].letter));
                            grid.cells[sc][sr].visited = 0;
                        }
                    }
                    grid.cells[c][r].letter = kFreeCell;
                }
            }
        }
    }

    static bool hasFilledNeighbour(const LetterGrid& g, int c, int r) {
        return (c > 0 && g.cells[c - 1][r].letter != kFreeCell) ||
               (r > 0 && g.cells[c][r - 1].letter != kFreeCell) ||
               (c < 4 && g.cells[c + 1][r].letter != kFreeCell) ||
               (r < 4 && g.cells[c][r + 1].letter != kFreeCell);
    }

    void walkPath(LetterGrid g, int x, int y, std::string s) {
        ++result_.walks;
        if (s.size() > limit_)
            return;
        const int index = s.size() >= 2 && s.size() <= size_t(kMaxWordLength)
                              ? words_.lists[s.size()].indexOf(s)
                              : -1;
        const uint8_t tier = index >= 0 ? words_.lists[s.size()].tierAt(index) : kRarestTier;
        const bool mayChoose = (limits_.hintMode || tier != kRudeTier) && tier <= maxTier_;
        const bool better = s.size() > best_.size() || (!firstFound && s.size() == best_.size() &&
                                                        commonnessOf(tier) < bestCommonness_);
        if (index >= 0 && mayChoose && better && g.cells[candidateColumn_][candidateRow_].visited &&
            !isWordPlayedIn(played_, s)) {
            best_ = s;
            bestCommonness_ = commonnessOf(tier);
            improvements.push_back(s);
            result_.column = candidateColumn_;
            result_.row = candidateRow_;
            result_.path.fill(0);
            for (size_t i = 0; i < path_.size(); ++i)
                result_.path[i] = int8_t(path_[i]);
            result_.pathLength = int(path_.size() / 2);
        }
        const int dx[4] = {0, 0, 1, -1};
        const int dy[4] = {1, -1, 0, 0};
        for (int n = 0; n < 4; ++n) {
            const int nx = x + dx[n];
            const int ny = y + dy[n];
            if (nx < 0 || nx > 4 || ny < 0 || ny > 4)
                continue;
            if (g.cells[nx][ny].letter == kFreeCell || g.cells[nx][ny].visited)
                continue;
            LetterGrid next = g;
            next.cells[nx][ny].visited = 1;
            path_.push_back(nx);
            path_.push_back(ny);
            walkPath(next, nx, ny, s + g.cells[nx][ny].letter);
            path_.resize(path_.size() - 2);
        }
    }

    const WordLibrary& words_;
    const std::array<std::string, kPlayedWordSlots>& played_;
    SearchLimits limits_;
    int candidateColumn_ = 0;
    int candidateRow_ = 0;
    std::string best_;
    uint8_t bestCommonness_ = kRarestTier + 1;
    uint8_t maxTier_ = kRarestTier;
    size_t limit_ = 0;
    std::vector<int> path_;
    SearchResult result_;
};

inline SearchResult
findBestWordStraightforward(const LetterGrid& snapshot, const WordLibrary& words,
                            const std::array<std::string, kPlayedWordSlots>& played,
                            const SearchLimits& limits) {
    return StraightforwardSearch(words, played, limits).run(snapshot);
}

} // namespace reference
