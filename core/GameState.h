#pragma once

#include "core/MoveSearch.h"
#include "core/PlayedWords.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t kMinStrengthLength = 3;
constexpr uint16_t kMaxStrengthLength = 8;
// The start word fills this row (0-based).
constexpr int kStartWordRow = 2;

enum class Player : uint8_t { Nobody = 0, Human = 1, Computer = 2 };

// The stages of a turn. The values are the ones the window's tests have always seen.
enum class MovePhase : uint8_t {
    Placing = 0,   // the human may put the chosen letter into a free cell
    Selecting = 1, // the letter is placed; the human selects the word's letters
    Computer = 2,  // the computer moves, or the hint moves for the human
};

// A cell of the field, both 0-based (column 0 leftmost, row 0 topmost); -1 for none.
struct CellPos {
    int column = -1;
    int row = -1;
    bool valid() const { return column >= 0 && row >= 0; }
    bool operator==(const CellPos&) const = default;
};

// One move of a game, as a take-back, a saved game or a review of the game needs it. The
// start word is the first move, by Nobody, without a cell; a pass has no cell and no word.
struct MoveRecord {
    Player player = Player::Nobody;
    CellPos cell;              // the new letter's cell
    char letter = 0;           // the new letter (Windows-1251), 0 without one
    std::string word;          // Windows-1251; empty for a pass
    std::vector<CellPos> path; // the word's cells in order
    int score = 0;             // what the move added to the player's score
    bool hint = false;         // played by the hint for the human
    bool operator==(const MoveRecord&) const = default;
};

// Everything a game is, as plain data: what the model owns, and what a saved game would hold.
struct GameState {
    LetterGrid board; // the letters played; visited flags unused
    MovePhase phase = MovePhase::Placing;
    std::string chosenLetter;      // the letter picked in the palette, or empty
    CellPos placed;                // the human's new letter, while Selecting
    std::vector<CellPos> wordPath; // the word being selected, first letter first
    // The words of the game, newest in slot 0; empty slots hold "".
    std::array<std::string, kPlayedWordSlots> playedWords;
    std::array<uint16_t, 2> scores{}; // the human's, the computer's
    int passCount = 0;                // consecutive turns without a word
    bool hintUsed = false;            // the hint is spent for this game
    bool hintRunning = false;         // the computer's search runs on the human's behalf
    std::vector<MoveRecord> history;  // every move from the start word on
    bool takenBack = false;           // a move was taken back: the game enters no records

    uint16_t score(Player player) const {
        return player == Player::Nobody ? 0 : scores[static_cast<int>(player) - 1];
    }
};

// What the program does around the game that its dialogs share: the main window's input gate
// and the computer's strength; a fresh GameSession is the state of a program just started. The
// program's one session belongs to its GameServices.
struct GameSession {
    bool mainInputEnabled = true; // false while a dialog blocks the main window
    // The longest word the computer may play, 3..8; the player sees it as strength 1..6
    // (maxWordLength - 2). It starts at 8 so that a failed first read of the settings never
    // writes a nonsense strength back at the close.
    uint16_t maxWordLength = kMaxStrengthLength;
    // The computer plays everyday words only, while one fits ("EverydayWords" in the settings).
    bool everydayWords = false;
};
