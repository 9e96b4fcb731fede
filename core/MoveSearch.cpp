#include "core/MoveSearch.h"

#include "core/LanguageTable.h"
#include "platform/Cp1251.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr int kSide = kFieldSide;
// A path visits each cell at most once, so no word is longer than the field has cells.
constexpr int kMaxPathLength = kSide * kSide;

// The order in which the walk tries a cell's neighbours: below, above, right, left.
constexpr int kStepColumn[4] = {0, 0, 1, -1};
constexpr int kStepRow[4] = {1, -1, 0, 0};

bool hasFilledNeighbour(const LetterGrid& grid, int column, int row) {
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
};

// A cell as one bit of a 25-bit set: the walk keeps the cells of its path in such a set, to
// test them in one instruction.
constexpr uint32_t cellBit(int column, int row) {
    return uint32_t(1) << (column * kSide + row);
}

// One run of the search. The word being spelled lives in a fixed buffer shared by every
// level of the walk: a level writes only its own position, so the levels above keep their
// prefix intact without copying strings. The letters of the field do not change during a
// walk, and the cells on the path are a bit set passed down the levels: no level copies the
// grid.
//
// The walk follows the library's prefix tree along with the path: a step is taken only when
// some library word begins with the letters of the longer path and has a length that could
// still win (above the best so far, or equal to it while a commoner word could still replace
// it, and within the walk's limit). Every word the full walk would accept is still met, in the
// same order, so the moves, the words shown on the way and the trial letters stay as they
// would be without the tree.
class MoveSearch {
public:
    MoveSearch(const WordLibrary& words, const std::array<std::string, kPlayedWordSlots>& played,
               const SearchLimits& limits, SearchObserver* observer)
        : tree_(prefixTree(words)), played_(played), observer_(observer),
          maxWordLength_(limits.maxWordLength),
          walkLimit_(limits.hintMode ? int(kHintWordLength) : int(limits.maxWordLength)),
          // The hint may give a rude word; the computer never plays one.
          lowestTier_(limits.hintMode ? kRudeTier : kCommonestTier),
          highestTier_(limits.everydayOnly && !limits.hintMode ? kLastEverydayTier : kRarestTier) {
        walkLimit_ = std::min(walkLimit_, kMaxPathLength);
        for (const std::string& word : played)
            if (!word.empty() && word.size() <= size_t(kMaxPathLength))
                playedLengths_ |= uint32_t(1) << word.size();
        updateWantedLengths();
    }
    MoveSearch(const LetterGrid& snapshot, const WordLibrary& words,
               const std::array<std::string, kPlayedWordSlots>& played, const SearchLimits& limits,
               SearchObserver* observer)
        : MoveSearch(words, played, limits, observer) {
        grid_ = snapshot;
        for (auto& column : grid_.cells)
            for (LetterCell& cell : column)
                cell.visited = 0;
        letters_ = languageOf(limits.language).letters;
        letterCount_ = int(letters_.size());
    }

    // Steps through the trial letters: nextTrial() moves to the next one (false when the
    // search is over), runTrial() walks every path with it.
    bool nextTrial();
    void runTrial();
    void abandon();
    const SearchResult& result() const { return result_; }

private:
    void findNeighbours(const LetterGrid& grid);
    uint64_t walkPath(uint32_t visited, int column, int row, int length, WordTree::Node node);
    // The tree's node one letter further, when a word of a wanted length begins there.
    WordTree::Node stepInto(WordTree::Node node, char letter) const {
        const WordTree::Node child =
            tree_.child(node, cp1251FoldCase(static_cast<unsigned char>(letter)));
        if (child == WordTree::kNoNode || (tree_.wordLengths(child) & wantedLengths_) == 0)
            return WordTree::kNoNode;
        return child;
    }
    // Bits of the lengths a word still needs to be accepted: from acceptFrom_ on and within
    // the walk's limit.
    void updateWantedLengths() {
        const uint32_t upToLimit = (uint32_t(2) << walkLimit_) - 1;
        const uint32_t belowFrom = (uint32_t(1) << acceptFrom_) - 1;
        wantedLengths_ = upToLimit & ~belowFrom;
    }
    // Whether the word at the tree's node, of the best word's length or longer, would beat it.
    bool beatsBest(int length, WordTree::Node node) const {
        const uint8_t tier = tree_.tier(node);
        if (tier < lowestTier_ || tier > highestTier_)
            return false;
        return length > bestLength_ || commonnessOf(tier) < bestCommonness_;
    }
    // Whether the library holds a word as long as the best one and commoner.
    bool commonerMayFollow() const {
        return bestCommonness_ > tree_.commonestOfLength(bestLength_);
    }
    // After a better word: the shortest length that can still win. A word as long as the best
    // one wins while a commoner one could be found.
    void updateAcceptFrom() {
        acceptFrom_ = std::max(commonerMayFollow() ? bestLength_ : bestLength_ + 1, kMinWordLength);
        updateWantedLengths();
    }
    bool isUnplayed(int length) const {
        const std::string_view word(word_, static_cast<size_t>(length));
        return !(playedLengths_ >> length & 1) || !isWordPlayedIn(played_, word);
    }
    void accept(int length, uint8_t tier);

    const WordTree& tree_;
    const std::array<std::string, kPlayedWordSlots>& played_;
    SearchObserver* observer_;
    int maxWordLength_;
    int walkLimit_;
    uint8_t lowestTier_;  // the tiers of the words that may be chosen
    uint8_t highestTier_; // kLastEverydayTier in the everyday pass
    // Bit n is set when a played word has n letters: most lengths need no comparison at all.
    uint32_t playedLengths_ = 0;

    // The field with the trial letter in the candidate cell.
    LetterGrid grid_;
    int letterCount_ = 0;
    std::string_view letters_; // the trial letters, Windows-1251
    int nextCell_ = 0;         // the candidate cell as column * kSide + row
    int trialLetter_ = 0;
    bool candidateActive_ = false;
    // Which cells hold a letter does not change while one candidate cell runs through its
    // trial letters, so the neighbours a step may go to are listed once per candidate.
    Neighbours neighbours_[kSide][kSide];
    int candidateColumn_ = 0;
    int candidateRow_ = 0;
    uint32_t candidateBit_ = 0;
    char word_[kMaxPathLength];
    int8_t pathCells_[2 * kMaxPathLength];
    int bestLength_ = 0;
    uint8_t bestCommonness_ = kRarestTier + 1; // of the best word; above every tier while none
    int acceptFrom_ = kMinWordLength;          // see updateAcceptFrom
    uint32_t wantedLengths_ = 0;               // see updateWantedLengths
    SearchResult result_;
};

void MoveSearch::findNeighbours(const LetterGrid& grid) {
    for (int c = 0; c < kSide; ++c) {
        for (int r = 0; r < kSide; ++r) {
            Neighbours& list = neighbours_[c][r];
            list.count = 0;
            for (int n = 0; n < 4; ++n) {
                const int x = c + kStepColumn[n];
                const int y = r + kStepRow[n];
                if (x < 0 || x >= kSide || y < 0 || y >= kSide)
                    continue;
                if (grid.cells[x][y].letter == kFreeCell)
                    continue;
                list.column[list.count] = static_cast<uint8_t>(x);
                list.row[list.count] = static_cast<uint8_t>(y);
                ++list.count;
            }
        }
    }
}

bool MoveSearch::nextTrial() {
    if (candidateActive_ && trialLetter_ < letterCount_)
        return true;
    if (candidateActive_) {
        grid_.cells[candidateColumn_][candidateRow_].letter = kFreeCell;
        candidateActive_ = false;
        ++nextCell_;
    }
    // Cells column by column, each from the top.
    for (;; ++nextCell_) {
        if (nextCell_ == kSide * kSide) {
            // An everyday pass that found nothing is followed by one over every word.
            if (highestTier_ == kRarestTier || bestLength_ != 0)
                return false;
            highestTier_ = kRarestTier;
            nextCell_ = -1;
            continue;
        }
        const int c = nextCell_ / kSide;
        const int r = nextCell_ % kSide;
        if (grid_.cells[c][r].letter != kFreeCell)
            continue;
        // Once a word of the full allowed length is found, no later cell can give a longer
        // one (the strength limit decides this in hint mode too), only a commoner one of the
        // same length.
        if (bestLength_ >= maxWordLength_) {
            if (!commonerMayFollow())
                continue;
            if (walkLimit_ > bestLength_) {
                walkLimit_ = bestLength_;
                updateWantedLengths();
            }
        }
        if (!hasFilledNeighbour(grid_, c, r))
            continue;
        candidateColumn_ = c;
        candidateRow_ = r;
        candidateBit_ = cellBit(c, r);
        grid_.cells[c][r].letter = letters_[0];
        findNeighbours(grid_);
        trialLetter_ = 0;
        candidateActive_ = true;
        return true;
    }
    return false;
}

void MoveSearch::runTrial() {
    LetterGrid& grid = grid_;
    grid.cells[candidateColumn_][candidateRow_].letter = letters_[size_t(trialLetter_)];
    ++trialLetter_;
    for (int sc = 0; sc < kSide; ++sc) {
        for (int sr = 0; sr < kSide; ++sr) {
            const LetterCell& start = grid.cells[sc][sr];
            if (start.letter == kFreeCell)
                continue;
            const WordTree::Node node = stepInto(WordTree::kRoot, start.letter);
            if (node == WordTree::kNoNode)
                continue;
            word_[0] = start.letter;
            pathCells_[0] = static_cast<int8_t>(sc);
            pathCells_[1] = static_cast<int8_t>(sr);
            result_.walks += walkPath(cellBit(sc, sr), sc, sr, 1, node);
        }
    }
}

void MoveSearch::abandon() {
    const uint64_t walks = result_.walks;
    result_ = SearchResult();
    result_.walks = walks;
    result_.abandoned = true;
}

// (column, row) is the last cell of the path; `visited` holds the path's cells, word_[0..length)
// and pathCells_ hold the word and its cells, and `node` is the tree's node of the word.
uint64_t MoveSearch::walkPath(uint32_t visited, int column, int row, int length,
                              WordTree::Node node) {
    // The walks are summed through the return values rather than in a member, so that the
    // count does not chain every step to the memory of the one before.
    uint64_t walks = 1;
    // The tests in the order of their cost: the word's length against the best (and one
    // letter), the candidate cell on the path, the library, the played words.
    if (length >= acceptFrom_ && (visited & candidateBit_) != 0 &&
        (tree_.wordLengths(node) >> length & 1) && beatsBest(length, node) && isUnplayed(length))
        accept(length, tree_.tier(node));
    if (length >= walkLimit_)
        return walks;

    const Neighbours& next = neighbours_[column][row];
    for (int n = 0; n < next.count; ++n) {
        const int x = next.column[n];
        const int y = next.row[n];
        const uint32_t bit = cellBit(x, y);
        if (visited & bit)
            continue;
        const char letter = grid_.cells[x][y].letter;
        const WordTree::Node child = stepInto(node, letter);
        if (child == WordTree::kNoNode)
            continue;
        word_[length] = letter;
        pathCells_[2 * length] = static_cast<int8_t>(x);
        pathCells_[2 * length + 1] = static_cast<int8_t>(y);
        walks += walkPath(visited | bit, x, y, length + 1, child);
    }
    return walks;
}

// A better word: kept, and shown to the observer on a copy of the field with the word's path
// marked visited.
void MoveSearch::accept(int length, uint8_t tier) {
    bestLength_ = length;
    bestCommonness_ = commonnessOf(tier);
    updateAcceptFrom();
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

} // namespace

SearchResult findBestWord(const LetterGrid& snapshot, const WordLibrary& words,
                          const std::array<std::string, kPlayedWordSlots>& played,
                          const SearchLimits& limits, SearchObserver* observer) {
    MoveSearch search(snapshot, words, played, limits, observer);
    while (search.nextTrial()) {
        if (observer && !observer->trialLetterDone()) {
            search.abandon();
            break;
        }
        search.runTrial();
    }
    return search.result();
}

struct StepwiseSearch::Run {
    Run(const LetterGrid& snapshot, const WordLibrary& words, const SearchLimits& limits,
        SearchObserver* observer, const std::array<std::string, kPlayedWordSlots>& played)
        : played(played), search(snapshot, words, this->played, limits, observer) {}
    const std::array<std::string, kPlayedWordSlots> played;
    MoveSearch search;
};

StepwiseSearch::StepwiseSearch(const LetterGrid& snapshot, const WordLibrary& words,
                               const std::array<std::string, kPlayedWordSlots>& played,
                               const SearchLimits& limits, SearchObserver* observer)
    : run_(std::make_unique<Run>(snapshot, words, limits, observer, played)) {}

StepwiseSearch::~StepwiseSearch() = default;

bool StepwiseSearch::step() {
    if (done_ || !run_->search.nextTrial()) {
        done_ = true;
        return false;
    }
    run_->search.runTrial();
    return true;
}

const SearchResult& StepwiseSearch::result() const {
    return run_->search.result();
}

std::optional<LetterGrid> letterGridFromRows(const std::array<std::string_view, 5>& rows) {
    LetterGrid grid;
    for (int r = 0; r < kSide; ++r) {
        if (rows[r].size() != kSide)
            return std::nullopt;
        for (int c = 0; c < kSide; ++c)
            grid.cells[c][r].letter = rows[r][c];
    }
    return grid;
}
