#pragma once

#include "app/ComputerTurn.h"
#include "core/GameModel.h"
#include "core/SavedGame.h"

#include <QByteArray>
#include <QObject>
#include <QRandomGenerator>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GamePlayer;
class SoundPlayer;
struct WordLibrary;
struct GameSession;

// How a game ended, for the name entry and the records.
struct GameResult {
    uint16_t humanScore = 0;
    uint16_t computerScore = 0;
    bool takenBack = false; // a move was taken back: the game enters no records
};

// The questions a game waits on.
enum class GameQuestion {
    AddWord,      // "add this word to the library?" over a word the library lacks
    StartNewGame, // "Start a new game?" before a change throws the game in progress away
};

// A player's answer to a question: a close of the question window is neither Yes nor No.
enum class QuestionAnswer { Yes, No, Dismissed };

// The flow of a game: the human's move, the computer's turn, the hint, skip, take back, the
// end of a game and a new one. It owns the game model and the computer's turn; the windows
// draw the model, forward the player's input here and learn through the signals what to show.
// A question or the end of a game is a state that waits for its answer (answerQuestion,
// endOfGameSeen); nothing here waits in a loop of its own, so a close or a new game while a
// question is open is one more call. The main timer's ticks come through tick().
class GameController : public QObject, private TurnDisplay {
    Q_OBJECT
public:
    // The library, the session and the sound stay with their owner and outlive the controller.
    GameController(WordLibrary& words, GameSession& session, const SoundPlayer& sound,
                   QObject* parent = nullptr);
    ~GameController() override;

    GameModel& model() { return model_; }
    const GameModel& model() const { return model_; }
    // The start words' and the dialogs' pseudo-random generator, seeded from the clock or from
    // VORDA2000_SEED.
    QRandomGenerator& random() { return random_; }
    // The word display: the computer's best word so far during its turn, the model's word
    // otherwise (Windows-1251).
    std::string shownWord() const;
    // The moves of the game finished last, for its best words; empty before the first end of
    // a game and after a change of library.
    const std::vector<MoveRecord>& finishedGame() const { return finishedGame_; }
    // Something runs that the player's moves wait for: the computer's turn, the shake of the
    // head over a refused word, a question, the end of a game.
    bool busy() const;
    // The computer's turn (or the hint's search) runs.
    bool computerMoving() const { return turn_->running(); }
    // The hint may be asked for: it is not spent in this game.
    bool hintLeft() const { return !model_.state().hintUsed; }
    // A move (a word or a pass, by either player) after the start word, and the game not over.
    bool gameInProgress() const;

    // Commands.
    void newGame();
    // At the start: the saved game when it was played in the current language and strength,
    // else a new game.
    void resumeOrStartGame();
    // Takes the human's last turn back, with the computer's reply.
    void takeBack();
    void skipTurn();
    void askForHint();
    // The human's hand: a letter of the palette, a click on a cell, the step back.
    void chooseLetter(const std::string& letter);
    void clickCell(CellPos cell);
    void stepBack();
    // One tick of the main timer.
    void tick();
    // The finished game belongs to a library no longer in use: its best words go.
    void forgetFinishedGame();

    // Asks "Start a new game?" while a game is in progress and calls `then` with the answer;
    // without a game in progress `then` runs at once with true. A close drops the question.
    void confirmNewGame(std::function<void(bool)> then);
    // The answer to the question asked last; nothing while none is open.
    void answerQuestion(QuestionAnswer answer);
    // The windows of a game's end have closed: the next game starts.
    void endOfGameSeen();
    // The window closes: whatever runs stops, and later answers change nothing.
    void close();

    // For the players: the computer's turn (the hint's search with forHuman) and the human's.
    void startComputerTurn(bool forHuman);
    void awaitHumanMove();

signals:
    // A new or restored game is on the board.
    void gameStarted();
    // The computer's turn began: the word display is empty, the commands that change the
    // field wait.
    void turnStarted();
    // The field during the turn: the search's best word so far on its board, or the model's
    // board without a move (nullopt).
    void searchShown(const std::optional<LetterGrid>& board);
    // One step of the thinking face at the tick the search observes; not for the hint.
    void thinkingAdvanced();
    // The computer's turn is over, whatever comes next.
    void turnFinished();
    // A move was credited.
    void moveCredited(const MoveRecord& move);
    // The computer found nothing to play.
    void computerPassed();
    // The human's move: the preview under the pointer shows again.
    void humanToMove();
    // A word was refused: the head shakes for kRefusalTicks, then the word goes.
    void wordRefused();
    // The computer's face picture that the game's flow asks for ("CPU00", …).
    void faceRequested(const QString& name);
    // A question waits for answerQuestion; word is the one to add (Windows-1251).
    void questionAsked(GameQuestion question, const std::string& word);
    // The game ended: the name entry and the records show, then endOfGameSeen.
    void gameEnded(const GameResult& result);
    // The saved game was read at the start; its problem, if it has one, is for the player.
    void savedGameRead(const SavedGameLoad& load);
    // The game could not be saved in `path`; told once a run.
    void saveFailed(const QString& path, const QString& reason);
    // The finished game for the best words came or went.
    void finishedGameChanged(bool available);

public:
    // The shake of the head over a refused word: seven pictures of two ticks each.
    static constexpr int kRefusalTicks = 14;

private:
    enum class Stage { Playing, Refusing, Asking, GameOver, Closed };

    void saveGame();
    void confirmWord();
    void afterHumanWord(bool playSound);
    void turnEndedWithoutGameOver(bool hintFoundWord);
    void gameOver();
    void answerAddWord(QuestionAnswer answer);
    GamePlayer& playerOf(Player seat);

    // TurnDisplay
    void turnBegan() override;
    void showSearch(const std::string& word, const std::optional<LetterGrid>& board) override;
    void thinkingStep() override;
    void showNothingFound() override;
    void wordApplied() override;
    bool turnEnded() override;

    WordLibrary& words_;
    GameSession& session_;
    const SoundPlayer& sound_;
    GameModel model_;
    QRandomGenerator random_;
    ComputerTurn* turn_ = nullptr;
    // The human's seat first, the computer's second.
    std::array<std::unique_ptr<GamePlayer>, 2> players_;
    Stage stage_ = Stage::Playing;
    int refusalTicksLeft_ = 0;
    GameQuestion question_ = GameQuestion::AddWord;
    std::function<void(bool)> afterNewGameQuestion_;
    std::string turnWord_;
    QByteArray savedGame_; // what the saved game holds now
    std::vector<MoveRecord> finishedGame_;
    bool saveFailureShown_ = false; // a saved game that cannot be written is reported once
};
