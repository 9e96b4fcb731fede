#include "app/ComputerTurn.h"

#include <QTimer>

ComputerTurn::ComputerTurn(GameModel& model, const WordLibrary& words, TurnDisplay& display,
                           QObject* parent)
    : QObject(parent), model_(model), words_(words), display_(display) {
    // Zero interval: a step each time the event loop has nothing else to do, so the main
    // timer, painting and a close go on between the trial letters.
    idle_ = new QTimer(this);
    idle_->setInterval(0);
    connect(idle_, &QTimer::timeout, this, &ComputerTurn::searchStep);
}

ComputerTurn::~ComputerTurn() = default;

void ComputerTurn::start(bool forHuman, uint16_t maxWordLength, bool everydayOnly) {
    stop();
    forHuman_ = forHuman;
    foundWord_ = false;
    model_.beginComputerTurn(forHuman);
    display_.turnBegan();
    // The field shows the board alone: a preview or a letter placed but not played goes.
    display_.showSearch(std::string(), model_.board());
    SearchLimits limits;
    limits.maxWordLength = maxWordLength;
    limits.hintMode = forHuman;
    limits.everydayOnly = everydayOnly;
    limits.language = words_.language;
    search_ = std::make_unique<StepwiseSearch>(model_.board(), words_, model_.state().playedWords,
                                               limits, static_cast<SearchObserver*>(this));
    stage_ = Stage::Searching;
    idle_->start();
}

void ComputerTurn::stop() {
    idle_->stop();
    search_.reset();
    stage_ = Stage::Idle;
}

void ComputerTurn::searchStep() {
    if (stage_ != Stage::Searching)
        return;
    if (!forHuman_)
        display_.thinkingStep();
    if (!search_->step())
        searchDone();
}

void ComputerTurn::bestWordFound(const LetterGrid& grid, const std::string& word) {
    display_.showSearch(word, grid);
}

void ComputerTurn::searchDone() {
    idle_->stop();
    const SearchResult result = search_->result();
    search_.reset();
    foundWord_ = !result.word.empty();
    model_.applyComputerMove(result);
    if (foundWord_) {
        display_.wordApplied();
    } else {
        if (!forHuman_)
            display_.showNothingFound();
        display_.showSearch("? ? ?", model_.board());
    }
    stage_ = Stage::ShowingResult;
    ticksLeft_ = kResultTicks;
}

void ComputerTurn::tick() {
    if (stage_ == Stage::ShowingResult && --ticksLeft_ <= 0)
        finish();
}

void ComputerTurn::finish() {
    stage_ = Stage::Idle;
    display_.showSearch(std::string(), std::nullopt);
    if (!display_.turnEnded())
        return;
    model_.endComputerTurn();
    emit finished(forHuman_ && foundWord_);
}
