#pragma once

#include "core/GameModel.h"
#include "core/MoveSearch.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>

class QTimer;

// What the computer's turn shows while it runs; the main window supplies it.
class TurnDisplay {
public:
    virtual ~TurnDisplay() = default;
    // The turn began: the caption says the computer is busy, the commands that change the
    // field are off, the word display is empty.
    virtual void turnBegan() = 0;
    // The word display and the field during the turn: the search's best word so far on its
    // board, or the board without a move (nullopt: the model's own move again).
    virtual void showSearch(const std::string& word, const std::optional<LetterGrid>& board) = 0;
    // One step of the thinking face at the tick the search observes; not for the hint.
    virtual void thinkingStep() = 0;
    // The search found nothing: the sulking face (not for the hint).
    virtual void showNothingFound() = 0;
    // The word was credited: its sound.
    virtual void wordApplied() = 0;
    // The turn is over: the plain face, the caption and the commands again. When the game
    // has ended the display ends it too (the records, a new game) and returns false.
    virtual bool turnEnded() = 0;
};

// The computer's turn (or the hint's search on the human's behalf) as a small state machine
// on the window's timers: the search runs one trial letter each time the event loop is idle,
// the result stands for ten ticks of the main timer, then the turn ends. A close, a new game
// or a language switch calls stop(), and nothing more happens. The library must stay as it
// is while a turn runs.
class ComputerTurn : public QObject, private SearchObserver {
    Q_OBJECT
public:
    static constexpr int kResultTicks = 10;

    ComputerTurn(GameModel& model, const WordLibrary& words, TurnDisplay& display,
                 QObject* parent = nullptr);
    ~ComputerTurn() override;

    // Starts the turn: the model's computer turn begins (the hint's with forHuman). With
    // everydayOnly the computer prefers everyday words (the hint ignores it).
    void start(bool forHuman, uint16_t maxWordLength, bool everydayOnly = false);
    void stop();
    bool running() const { return stage_ != Stage::Idle; }
    // The hint's search runs (the face keeps still for it).
    bool forHuman() const { return forHuman_; }
    // One tick of the main timer.
    void tick();

signals:
    // The turn is over, the game goes on and the model is back with the human.
    void finished(bool hintFoundWord);

private:
    enum class Stage { Idle, Searching, ShowingResult };
    void searchStep();
    void searchDone();
    void finish();
    bool trialLetterDone() override { return true; }
    void bestWordFound(const LetterGrid& grid, const std::string& word) override;

    GameModel& model_;
    const WordLibrary& words_;
    TurnDisplay& display_;
    QTimer* idle_ = nullptr;
    std::unique_ptr<StepwiseSearch> search_;
    Stage stage_ = Stage::Idle;
    bool forHuman_ = false;
    bool foundWord_ = false;
    int ticksLeft_ = 0;
};
