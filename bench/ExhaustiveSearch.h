#pragma once

// The move search walking every path of the field, the library asked through its hash index
// at every path: the same moves as findBestWord, which leaves a path as soon as the library's
// prefix tree shows that no word to beat the best can begin with it. The benchmark measures
// the two side by side. No observer is needed; one may be passed.

#include "core/LanguageTable.h"
#include "core/MoveSearch.h"
#include "platform/Cp1251.h"

#include <algorithm>
#include <string_view>

namespace exhaustive {

constexpr int kSide = kFieldSide;
// A path visits each cell at most once, so no word is longer than the field has cells.
constexpr int kMaxPathLength = kSide * kSide;

// The order in which the walk tries a cell's neighbours: below, above, right, left.
constexpr int kStepColumn[4] = {0, 0, 1, -1};
constexpr int kStepRow[4] = {1, -1, 0, 0};

inline bool hasFilledNeighbour(const LetterGrid& grid, int column, int row) {
    return (column > 0 && grid.cells[column - 1][row].letter != kFreeCell) ||
           (row > 0 && grid.cells[column][row - 1].letter != kFreeCell) ||
           (column < kSide - 1 && grid.cells[column + 1][row].letter != kFreeCell) ||
           (row < kSide - 1 && grid.cells[column][row + 1].letter != kFreeCell);
}

// The filled orthogonal neighbours of a cell, in the walk's order.
struct Neighbours {
    int count = 0;
    uint8_t column[4];
    uint8_t row[4];
    uint32_t mask = 0; // the same cells as bits (see cellBit)
};

// A cell as one bit of a 25-bit set: the walk keeps the cells of its path in such a set, to
// count and test them in a few instructions.
constexpr uint32_t cellBit(int column, int row) {
    return uint32_t(1) << (column * kSide + row);
}

// The number of cells in a set. Written out, since std::popcount becomes a library call on
// processors the build may not assume a bit-count instruction for.
constexpr int cellCount(uint32_t cells) {
    cells -= (cells >> 1) & 0x55555555u;
    cells = (cells & 0x33333333u) + ((cells >> 2) & 0x33333333u);
    cells = (cells + (cells >> 4)) & 0x0f0f0f0fu;
    return int((cells * 0x01010101u) >> 24);
}
static_assert(cellCount(0) == 0 && cellCount(0x1ffffffu) == 25 && cellCount(0x1000021u) == 3);

// One run of the search. The word being spelled lives in a fixed buffer shared by every
// level of the walk: a level writes only its own position, so the levels above keep their
// prefix intact without copying strings. The letters of the field do not change during a
// walk, and the cells on the path are a bit set passed down the levels: no level copies the
// grid.
class ExhaustiveSearch {
public:
    ExhaustiveSearch(const WordLibrary& words,
                     const std::array<std::string, kPlayedWordSlots>& played,
                     const SearchLimits& limits, SearchObserver* observer)
        : words_(words), played_(played), observer_(observer), maxWordLength_(limits.maxWordLength),
          walkLimit_(limits.hintMode ? int(kHintWordLength) : int(limits.maxWordLength)),
          lowestTier_(limits.hintMode ? kRudeTier : kCommonestTier) {
        walkLimit_ = std::min(walkLimit_, kMaxPathLength);
        for (const std::string& word : played)
            if (!word.empty() && word.size() <= size_t(kMaxPathLength))
                playedLengths_ |= uint32_t(1) << word.size();
    }

    SearchResult run(const LetterGrid& snapshot, const SearchLimits& limits);

private:
    void findNeighbours(const LetterGrid& grid);
    uint64_t walkPath(uint32_t visited, int column, int row, int length);
    uint64_t walkLastStep(uint32_t visited, int column, int row, int length);
    // The three cheapest acceptance tests in one branch: long enough to beat the best word
    // (as long as it, while a commoner one could), and the path passes through the candidate
    // cell.
    bool mayWin(bool throughCandidate, int length) const {
        return (length >= acceptFrom_) & throughCandidate;
    }
    bool isNewWord(int length);
    // The tests after the library's: the word's tier may be chosen and beats the best word.
    bool beatsBest(int length) const {
        const WordList& list = words_.lists[length];
        const uint8_t tier = list.tierAt(list.indexOf(std::string_view(word_, size_t(length))));
        return tier >= lowestTier_ && tier <= highestTier_ &&
               (length > bestLength_ || commonnessOf(tier) < bestCommonness_);
    }
    void runPass(const SearchLimits& limits);
    void setLetter(int position, char letter) {
        word_[position] = letter;
        foldedLength_ = std::min(foldedLength_, position);
    }
    // Folds and hashes the word's letters up to `length` that are not folded yet: only a
    // word that is looked up in the library needs them.
    void foldUpTo(int length) {
        for (; foldedLength_ < length; ++foldedLength_) {
            folded_[foldedLength_] =
                cp1251FoldCase(static_cast<unsigned char>(word_[foldedLength_]));
            hash_[foldedLength_ + 1] =
                WordList::foldedHashStep(hash_[foldedLength_], folded_[foldedLength_]);
        }
    }
    void accept(int length);

    const WordLibrary& words_;
    const std::array<std::string, kPlayedWordSlots>& played_;
    SearchObserver* observer_;
    int maxWordLength_;
    int walkLimit_;
    uint8_t lowestTier_;
    uint8_t highestTier_ = kRarestTier;
    // Bit n is set when a played word has n letters: most lengths need no comparison at all.
    uint32_t playedLengths_ = 0;

    // The field with the trial letter in the candidate cell.
    LetterGrid grid_;
    // Which cells hold a letter does not change while one candidate cell runs through its
    // trial letters, so the neighbours a step may go to are listed once per candidate.
    Neighbours neighbours_[kSide][kSide];
    int candidateColumn_ = 0;
    int candidateRow_ = 0;
    uint32_t candidateBit_ = 0;
    char word_[kMaxPathLength];
    // The same word folded for the library, and the library's hash of each of its prefixes
    // (hash_[n] covers the first n letters), valid for the first foldedLength_ letters.
    unsigned char folded_[kMaxPathLength];
    uint32_t hash_[kMaxPathLength + 1] = {WordList::kHashStart};
    int foldedLength_ = 0;
    int8_t pathCells_[2 * kMaxPathLength];
    int bestLength_ = 0;
    uint8_t bestCommonness_ = kRarestTier + 1;
    int acceptFrom_ = kMinWordLength;
    SearchResult result_;
};

inline void ExhaustiveSearch::findNeighbours(const LetterGrid& grid) {
    for (int c = 0; c < kSide; ++c) {
        for (int r = 0; r < kSide; ++r) {
            Neighbours& list = neighbours_[c][r];
            list.count = 0;
            list.mask = 0;
            for (int n = 0; n < 4; ++n) {
                const int x = c + kStepColumn[n];
                const int y = r + kStepRow[n];
                if (x < 0 || x >= kSide || y < 0 || y >= kSide)
                    continue;
                if (grid.cells[x][y].letter == kFreeCell)
                    continue;
                list.column[list.count] = static_cast<uint8_t>(x);
                list.row[list.count] = static_cast<uint8_t>(y);
                list.mask |= cellBit(x, y);
                ++list.count;
            }
        }
    }
}

inline SearchResult ExhaustiveSearch::run(const LetterGrid& snapshot, const SearchLimits& limits) {
    const bool everyday = limits.everydayOnly && !limits.hintMode;
    highestTier_ = everyday ? kLastEverydayTier : kRarestTier;
    grid_ = snapshot;
    runPass(limits);
    if (everyday && bestLength_ == 0 && !result_.abandoned) {
        highestTier_ = kRarestTier;
        grid_ = snapshot;
        runPass(limits);
    }
    return result_;
}

inline void ExhaustiveSearch::runPass(const SearchLimits& limits) {
    LetterGrid& grid = grid_;
    for (auto& column : grid.cells)
        for (LetterCell& cell : column)
            cell.visited = 0;

    const std::string_view letters = languageOf(limits.language).letters;
    const int letterCount = int(letters.size());
    for (int c = 0; c < kSide; ++c) {
        for (int r = 0; r < kSide; ++r) {
            if (grid.cells[c][r].letter != kFreeCell)
                continue;
            // Once a word of the full allowed length is found, a later cell can only give a
            // commoner one as long; the strength limit decides this in hint mode too.
            if (bestLength_ >= maxWordLength_) {
                if (bestCommonness_ <= words_.lists[bestLength_].commonest())
                    continue;
                walkLimit_ = std::min(walkLimit_, bestLength_);
            }
            if (!hasFilledNeighbour(grid, c, r))
                continue;
            candidateColumn_ = c;
            candidateRow_ = r;
            candidateBit_ = cellBit(c, r);
            grid.cells[c][r].letter = letters[0];
            findNeighbours(grid);
            for (int k = 0; k < letterCount; ++k) {
                if (observer_ && !observer_->trialLetterDone()) {
                    const uint64_t walks = result_.walks;
                    result_ = SearchResult();
                    result_.walks = walks;
                    result_.abandoned = true;
                    return;
                }
                grid.cells[c][r].letter = letters[size_t(k)];
                for (int sc = 0; sc < kSide; ++sc) {
                    for (int sr = 0; sr < kSide; ++sr) {
                        const LetterCell& start = grid.cells[sc][sr];
                        if (start.letter == kFreeCell)
                            continue;
                        setLetter(0, start.letter);
                        pathCells_[0] = static_cast<int8_t>(sc);
                        pathCells_[1] = static_cast<int8_t>(sr);
                        result_.walks += walkPath(cellBit(sc, sr), sc, sr, 1);
                    }
                }
            }
            grid.cells[c][r].letter = kFreeCell;
        }
    }
}

// The acceptance tests after the cheap ones (length, best length, the candidate cell on the
// path), which the walk makes itself at every step: the played words, then the library.
inline bool ExhaustiveSearch::isNewWord(int length) {
    const std::string_view word(word_, static_cast<size_t>(length));
    if ((playedLengths_ >> length & 1) && isWordPlayedIn(played_, word))
        return false;
    if (length > kMaxWordLength)
        return false;
    foldUpTo(length);
    return words_.lists[length].containsFolded(folded_, size_t(length), hash_[length]);
}

// (column, row) is the last cell of the path; `visited` holds the path's cells, and
// word_[0..length) and pathCells_ hold the word and its cells.
inline uint64_t ExhaustiveSearch::walkPath(uint32_t visited, int column, int row, int length) {
    // The walks are summed through the return values rather than in a member, so that the
    // count does not chain every step to the memory of the one before.
    uint64_t walks = 1;
    if (length > walkLimit_)
        return walks;
    if (mayWin((visited & candidateBit_) != 0, length) && isNewWord(length) && beatsBest(length))
        accept(length);

    const Neighbours& next = neighbours_[column][row];
    if (length == walkLimit_) {
        // Every further step would only return at once: count them.
        return walks + uint64_t(cellCount(next.mask & ~visited));
    }
    const bool lastStep = length + 1 == walkLimit_;
    for (int n = 0; n < next.count; ++n) {
        const int x = next.column[n];
        const int y = next.row[n];
        const uint32_t bit = cellBit(x, y);
        if (visited & bit)
            continue;
        setLetter(length, grid_.cells[x][y].letter);
        pathCells_[2 * length] = static_cast<int8_t>(x);
        pathCells_[2 * length + 1] = static_cast<int8_t>(y);
        walks += lastStep ? walkLastStep(visited | bit, x, y, length + 1)
                          : walkPath(visited | bit, x, y, length + 1);
    }
    return walks;
}

// The step onto (column, row) that reaches the length limit: the same tests as walkPath, and
// the steps beyond it only counted.
inline uint64_t ExhaustiveSearch::walkLastStep(uint32_t visited, int column, int row, int length) {
    if (mayWin((visited & candidateBit_) != 0, length) && isNewWord(length) && beatsBest(length))
        accept(length);
    return 1 + uint64_t(cellCount(neighbours_[column][row].mask & ~visited));
}

// A better word: kept, and shown to the observer on a copy of the field with the word's path
// marked visited.
inline void ExhaustiveSearch::accept(int length) {
    const WordList& list = words_.lists[length];
    bestCommonness_ =
        commonnessOf(list.tierAt(list.indexOf(std::string_view(word_, size_t(length)))));
    bestLength_ = length;
    const bool commonerMayFollow = bestCommonness_ > list.commonest();
    acceptFrom_ = std::max(commonerMayFollow ? bestLength_ : bestLength_ + 1, kMinWordLength);
    result_.word.assign(word_, static_cast<size_t>(length));
    result_.column = candidateColumn_;
    result_.row = candidateRow_;
    result_.path.fill(0);
    std::copy(pathCells_, pathCells_ + 2 * length, result_.path.begin());
    result_.pathLength = length;
    if (observer_) {
        LetterGrid marked = grid_;
        for (int i = 0; i < length; ++i)
            marked.cells[pathCells_[2 * i]][pathCells_[2 * i + 1]].visited = 1;
        observer_->bestWordFound(marked, result_.word);
    }
}

inline SearchResult findBestWordExhaustive(const LetterGrid& snapshot, const WordLibrary& words,
                                           const std::array<std::string, kPlayedWordSlots>& played,
                                           const SearchLimits& limits) {
    ExhaustiveSearch search(words, played, limits, nullptr);
    return search.run(snapshot, limits);
}

} // namespace exhaustive
