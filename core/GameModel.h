#pragma once

#include "core/GameState.h"
#include "core/MoveSearch.h"
#include "core/WordLibrary.h"

#include <QObject>

#include <string>
#include <vector>

// What becomes of the human's word at its confirmation.
enum class WordVerdict {
    Accepted,            // credited to the human; the computer's turn begins
    NotThroughNewLetter, // the word does not use the placed letter yet: nothing happens
    TooShort,            // one letter (or none)
    TooLong,             // longer than the library's longest words
    AlreadyPlayed,       // played before in this game
    NotInLibrary,        // well-formed, but the library lacks it: the human may add it
};

// The game: the board, the move in progress, the played words, both sheets and scores, the
// passes, the hint and the history of moves. Its operations are the game's rules; each
// refuses what the rules do not allow (returning false or a verdict) and announces a change
// with changed(). Windows draw it and never hold a fact of it. Letters and words are
// Windows-1251 bytes; cells are 0-based.
class GameModel : public QObject {
    Q_OBJECT
public:
    explicit GameModel(QObject* parent = nullptr);

    const GameState& state() const { return state_; }
    // Replaces the whole game (a saved game, a test's position).
    void restore(const GameState& state);

    MovePhase phase() const { return state_.phase; }
    const LetterGrid& board() const { return state_.board; }
    // The board with the human's placed letter, as the field shows it.
    LetterGrid boardWithMove() const;
    bool isFilled(CellPos cell) const;
    bool onWordPath(CellPos cell) const;
    std::string word() const;
    bool isPlayed(const std::string& word) const;
    // The player's newest words, newest first, at most kSheetLines.
    std::vector<std::string> sheet(Player player) const;
    // Whose turn it is: the computer's while its turn runs and after the human's move (a word,
    // the hint's word or a pass) until it begins; the human's otherwise.
    Player toMove() const;
    // Two turns in a row without a word, or a full field.
    bool isOver() const;

    // A new game with the start word across the middle row, in capitals.
    void newGame(const std::string& startWord);
    // Chooses the palette's letter; while Selecting it takes the placement back. False when
    // the letter is already the chosen one.
    bool chooseLetter(const std::string& letter);
    // Puts the chosen letter into a free cell.
    bool place(CellPos cell);
    // Adds a letter of the board (or the placed one) to the word: any letter first, then a
    // side neighbour of the last one not on the word yet.
    bool extendWord(CellPos cell);
    // What confirming the word would give, without changing anything.
    WordVerdict judgeWord(const WordLibrary& words) const;
    // Confirms the word: Accepted credits it (the field and the sheets change) and the turn
    // is the computer's; any other verdict changes nothing.
    WordVerdict confirmWord(const WordLibrary& words);
    // Drops the word being selected; the placed letter stays.
    void dropWord();
    // The right button: drops the word, or else takes the placed letter back. False when
    // there was no placed letter.
    bool stepBack();
    // The human passes: the placed letter goes, and the computer's turn begins.
    void skip();
    // The computer's turn begins; with forHuman, the hint's search (the hint is then spent).
    void beginComputerTurn(bool forHuman);
    // The search's result: its word for the computer or, during the hint, the human; or a
    // pass when it found nothing (a hint that found nothing is given back).
    void applyComputerMove(const SearchResult& result);
    // Back to the human after the computer's move has been shown.
    void endComputerTurn();

    // Whether a take-back can be made: a move of the human's is on the board and the computer
    // is not moving.
    bool canTakeBack() const;
    // Returns the game to the start of the human's last turn: that move and every move after it
    // (the computer's reply) are undone, with their words, scores and passes; the game is
    // marked as taken back. False, changing nothing, when canTakeBack() is false.
    bool takeBack();

signals:
    void changed();

private:
    void credit(Player player, MoveRecord move);
    void takePlacementBack();

    GameState state_;
};
