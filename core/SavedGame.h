#pragma once

#include "core/GameState.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct WordLibrary;

// A game as its moves tell it. Everything else a game holds (the board, the played words, the
// sheets, both scores, the passes, whether the hint is spent and whose turn it is) follows from
// its moves, so a saved game keeps the moves and is played again when it is read.

// Plays the moves again from the start word on, checking each as the rules would: the new
// letter in a free cell, the word along side neighbours through it, spelled by the board and not
// played before. The state is between moves (Placing, nothing chosen). Empty, with the reason in
// `error` and the 0-based index of the move in `failedMove`, when a move breaks a rule.
std::optional<GameState> replayMoves(const std::vector<MoveRecord>& moves, QString* error,
                                     int* failedMove = nullptr);

// A game saved between two moves, with what it was played in.
struct SavedGame {
    uint16_t language = 1; // 1 Russian, 2 English
    int strength = 4;      // 1..6
    GameState state;       // as replayMoves gives it, with takenBack from the file
};

// The saved-game file, Windows-1251 text with CR LF line ends:
//   Vorda 2000 saved game 1
//   Language=<1|2>
//   Strength=<1..6>
//   takenBack=<0|1>          a move was taken back: the game does not enter the records
//   Scores=<human> <computer>  a check on the moves
//   Move=<who> <hint> <cell> <word> <path>   one line a move, the start word first
// where who is S (the start word), H (the human) or C (the computer), hint 1 for a word the hint
// played, cell the new letter's "column,row" (1-based) or "-", word the word or "-" for a pass,
// and path the word's cells as "column,row" separated by ";" (or "-").
QByteArray savedGameBytes(uint16_t language, int strength, const GameState& state);

// Reads the file image. Empty, with the line and what is wrong in `error`, when the file is
// damaged: a line that does not read, a move that breaks a rule, a character that is no capital
// of the game's alphabet, scores that do not match, or, when `words` holds the library of the
// game's language, a word it lacks.
std::optional<SavedGame> parseSavedGame(const QByteArray& bytes, QString* error,
                                        const WordLibrary* words = nullptr);

// --- The file in the game folder ------------------------------------------------------------

// gameFolder() + "DATA/SavedGame", beside the records.
QString savedGamePath();

// Replaces the saved game with these bytes, atomically. False, with the reason, when the file
// cannot be written; the old file then stays.
bool writeSavedGame(const QByteArray& bytes, QString* reason);

// What the start-up finds: a game to resume, or none, and why a saved game could not be used.
// A missing file is no problem. A damaged one (including one larger than any saved game) is
// kept beside as "DATA/SavedGame.damaged" before anything overwrites it; one that is no plain
// file or cannot be opened is left alone.
struct SavedGameLoad {
    enum class Problem { None, Unreadable, Damaged };
    std::optional<SavedGame> game;
    Problem problem = Problem::None;
    QString path;        // the saved game, as shown to the player
    QString reason;      // what is wrong, in the system's words or naming the line
    QString keptPath;    // Damaged: where its bytes are kept, as shown to the player
    QString keepFailure; // Damaged: why they could not be kept there; empty when they were
    QByteArray bytes;    // the file as read, when it held a game
};
// `words`, when given, is the library of the current language: a saved game of that language
// must play only its words.
SavedGameLoad loadSavedGame(const WordLibrary* words = nullptr);
