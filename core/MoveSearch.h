#pragma once

#include "core/PlayedWords.h"
#include "core/WordLibrary.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The computer's move search: the longest word that can be made by writing one letter of the
// alphabet into one free cell with a filled orthogonal neighbour and walking from cell to
// orthogonally adjacent cell, each cell at most once, along a path through the new letter.
// Among the words of the greatest length the commonest wins (the lowest tier, a rude word
// counting as rarest), and among equally common ones the first found. The computer never plays
// a rude word; the hint may, when no other word is as long.
// The search finds what trying every path would find, but walks only the paths whose letters
// begin a library word that could still beat the best word so far. It is free of widgets: it
// works on a snapshot of the field and tells an observer about its progress.

constexpr char kFreeCell = '?';

// The field is kFieldSide × kFieldSide cells.
constexpr int kFieldSide = 5;

struct LetterCell {
    char letter = kFreeCell; // Windows-1251 code, or '?' for a free cell
    uint8_t visited = 0;     // 1 on the path of a word shown to the observer
};

// The search's copy of the field, [column][row] both 0-based here (column 0 leftmost,
// row 0 topmost); a plain 50-byte value.
struct LetterGrid {
    LetterCell cells[kFieldSide][kFieldSide];
};
static_assert(sizeof(LetterGrid) == 50);

struct SearchLimits {
    uint16_t maxWordLength = 8; // the computer's strength limit, 3..8
    bool hintMode = false;      // the search runs on the human's behalf: words up to 10 letters
    uint16_t language = 1;      // the language table's row: its letters are the trial letters
    // The computer plays the longest everyday word it can, and a rarer word only when no
    // everyday word fits; the search then runs a second time over every word. Not for the hint,
    // which always gives the longest word.
    bool everydayOnly = false;
};

constexpr uint16_t kHintWordLength = 10;

// What the search reports while it runs.
class SearchObserver {
public:
    virtual ~SearchObserver() = default;
    // Called once before every trial letter. Returning false abandons the search at once;
    // its result is then empty (the window is closing).
    virtual bool trialLetterDone() = 0;
    // A better word than the best so far (longer, or as long and commoner): the grid holds the
    // trial letter in its cell and the word's path marked visited.
    virtual void bestWordFound(const LetterGrid& grid, const std::string& word) = 0;
};

struct SearchResult {
    std::string word;                  // empty when nothing was found
    int column = -1, row = -1;         // the new letter's cell, 0-based; -1 when nothing found
    std::array<int8_t, 2 * 25> path{}; // the word's cells in order, (column, row) pairs, 0-based
    int pathLength = 0;                // number of cells in path
    // The paths walked: each path (start cell, then one step at a time) whose letters begin a
    // library word that could still beat the best word found before it, within the length limit.
    uint64_t walks = 0;
    bool abandoned = false; // the observer stopped the search
};

// Runs the whole search over the snapshot (free cells '?', visited flags 0) with the played
// words of this game. The observer may be null.
SearchResult findBestWord(const LetterGrid& snapshot, const WordLibrary& words,
                          const std::array<std::string, kPlayedWordSlots>& played,
                          const SearchLimits& limits, SearchObserver* observer);

// The same search run one trial letter at a time, for a window that lets its timer run
// between the steps. It keeps its own copies of the snapshot and the played words; the
// library must outlive it. The observer's trialLetterDone is not called: the caller steps.
class StepwiseSearch {
public:
    StepwiseSearch(const LetterGrid& snapshot, const WordLibrary& words,
                   const std::array<std::string, kPlayedWordSlots>& played,
                   const SearchLimits& limits, SearchObserver* observer);
    ~StepwiseSearch();
    // Runs the next trial letter; false once every trial letter has run.
    bool step();
    bool done() const { return done_; }
    // The best word so far; the whole search's result once done().
    const SearchResult& result() const;

private:
    struct Run;
    std::unique_ptr<Run> run_;
    bool done_ = false;
};

// A grid from five rows of five Windows-1251 characters, row 1 (the top) first, "?" a free
// cell, every visited flag 0. Empty when a row does not hold exactly five characters.
// Boards in the solver and the tests are written this way.
std::optional<LetterGrid> letterGridFromRows(const std::array<std::string_view, 5>& rows);
