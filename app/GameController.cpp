#include "app/GameController.h"

#include "app/GamePlayer.h"
#include "core/SavedGame.h"
#include "core/WordLibrary.h"
#include "extras/SoundEffects.h"
#include "extras/SoundPlayer.h"

#include <QDateTime>
#include <QTimer>

#include <utility>

namespace {

// A player at the keyboard and mouse.
class HumanPlayer final : public GamePlayer {
public:
    void beginTurn(GameController& game) override { game.awaitHumanMove(); }
};

// The computer, playing at the session's strength.
class ComputerPlayer final : public GamePlayer {
public:
    void beginTurn(GameController& game) override { game.startComputerTurn(false); }
};

} // namespace

GameController::GameController(WordLibrary& words, GameSession& session, const SoundPlayer& sound,
                               QObject* parent)
    : QObject(parent), words_(words), session_(session), sound_(sound) {
    // VORDA2000_SEED fixes the deal, for pictures of the game that stay the same.
    bool fixedSeed = false;
    const uint seed = qEnvironmentVariableIntValue("VORDA2000_SEED", &fixedSeed);
    random_.seed(fixedSeed ? seed : static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    players_ = {std::make_unique<HumanPlayer>(), std::make_unique<ComputerPlayer>()};
    turn_ = new ComputerTurn(model_, words_, *this, this);
    connect(turn_, &ComputerTurn::finished, this, &GameController::turnEndedWithoutGameOver);
    connect(&model_, &GameModel::changed, this, &GameController::saveGame);
}

GameController::~GameController() {
    turn_->stop();
}

GamePlayer& GameController::playerOf(Player seat) {
    return *players_[seat == Player::Computer ? 1 : 0];
}

std::string GameController::shownWord() const {
    return turn_->running() ? turnWord_ : model_.word();
}

bool GameController::busy() const {
    return turn_->running() || stage_ == Stage::Refusing || stage_ == Stage::Asking ||
           stage_ == Stage::GameOver;
}

bool GameController::gameInProgress() const {
    return model_.state().history.size() > 1 && !model_.isOver();
}

// --- New game, the saved game and the end of a game --------------------------------------------

void GameController::newGame() {
    // Without a five-letter word no game starts, and the one on the board stays.
    checkStartWords(words_);
    turn_->stop();
    if (stage_ != Stage::Closed)
        stage_ = Stage::Playing;
    refusalTicksLeft_ = 0;
    emit gameStarted();
    model_.newGame(chooseStartWord(words_, random_));
    emit humanToMove();
}

void GameController::resumeOrStartGame() {
    checkStartWords(words_);
    const SavedGameLoad load = loadSavedGame(&words_);
    emit savedGameRead(load);
    // A game of another language or strength (the settings were changed by hand) is not
    // continued under the wrong rules.
    if (!load.game || load.game->language != words_.language ||
        load.game->strength != int(session_.maxWordLength) - 2) {
        newGame();
        return;
    }
    turn_->stop();
    stage_ = Stage::Playing;
    emit gameStarted();
    // The file already holds the game restored: it is written again only once the game moves.
    savedGame_ = load.bytes;
    model_.restore(load.game->state);
    if (model_.isOver()) {
        // A game that ended before its close is still there to review.
        finishedGame_ = model_.state().history;
        emit finishedGameChanged(true);
        newGame();
        return;
    }
    emit humanToMove();
    // The computer had not answered yet: it answers now, once the window is up.
    if (model_.toMove() == Player::Computer)
        QTimer::singleShot(0, this, [this] {
            if (stage_ != Stage::Closed && !busy() && model_.toMove() == Player::Computer)
                playerOf(Player::Computer).beginTurn(*this);
        });
}

void GameController::saveGame() {
    if (model_.state().history.empty())
        return;
    const QByteArray bytes =
        savedGameBytes(words_.language, int(session_.maxWordLength) - 2, model_.state());
    if (bytes == savedGame_)
        return;
    QString reason;
    if (writeSavedGame(bytes, &reason)) {
        savedGame_ = bytes;
        return;
    }
    if (saveFailureShown_)
        return;
    saveFailureShown_ = true;
    emit saveFailed(savedGamePath(), reason);
}

void GameController::gameOver() {
    finishedGame_ = model_.state().history;
    stage_ = Stage::GameOver;
    emit finishedGameChanged(true);
    emit gameEnded({model_.state().score(Player::Human), model_.state().score(Player::Computer),
                    model_.state().takenBack});
}

void GameController::endOfGameSeen() {
    if (stage_ != Stage::GameOver)
        return;
    stage_ = Stage::Playing;
    newGame();
}

void GameController::forgetFinishedGame() {
    finishedGame_.clear();
    emit finishedGameChanged(false);
}

void GameController::close() {
    // Whatever runs stops here: no word is credited after the close.
    turn_->stop();
    stage_ = Stage::Closed;
    afterNewGameQuestion_ = nullptr;
}

// --- Commands ----------------------------------------------------------------------------------

void GameController::takeBack() {
    if (busy() || !model_.canTakeBack())
        return;
    model_.takeBack();
    emit humanToMove();
}

void GameController::skipTurn() {
    if (busy() || stage_ == Stage::Closed)
        return;
    model_.skip();
    playerOf(Player::Computer).beginTurn(*this);
}

void GameController::askForHint() {
    if (busy() || stage_ == Stage::Closed)
        return;
    startComputerTurn(true);
}

void GameController::tick() {
    if (stage_ == Stage::Refusing && --refusalTicksLeft_ <= 0) {
        stage_ = Stage::Playing;
        model_.dropWord();
    }
    turn_->tick();
}

// --- The human's move --------------------------------------------------------------------------

void GameController::chooseLetter(const std::string& letter) {
    sound_.play(kSoundLetter);
    if (stage_ == Stage::Refusing)
        return;
    model_.chooseLetter(letter);
}

void GameController::clickCell(CellPos at) {
    if (busy() || stage_ == Stage::Closed || model_.phase() == MovePhase::Computer)
        return;
    if (model_.phase() == MovePhase::Selecting) {
        if (model_.onWordPath(at)) {
            // The word must pass through the new letter before it can be confirmed.
            if (model_.onWordPath(model_.state().placed))
                confirmWord();
            return;
        }
        if (model_.extendWord(at))
            sound_.play(kSoundCell);
        return;
    }
    if (model_.place(at))
        sound_.play(kSoundCell);
}

void GameController::stepBack() {
    if (!session_.mainInputEnabled || busy() || stage_ == Stage::Closed)
        return;
    if (model_.phase() == MovePhase::Selecting) {
        sound_.play(kSoundStepBack);
        model_.stepBack();
    }
    if (model_.phase() == MovePhase::Placing)
        emit humanToMove();
}

void GameController::confirmWord() {
    switch (model_.judgeWord(words_)) {
    case WordVerdict::NotThroughNewLetter:
        return;
    case WordVerdict::TooShort:
    case WordVerdict::TooLong:
    case WordVerdict::AlreadyPlayed:
        // The word stays selected while the head shakes, then goes.
        stage_ = Stage::Refusing;
        refusalTicksLeft_ = kRefusalTicks;
        emit wordRefused();
        return;
    case WordVerdict::Accepted:
        model_.confirmWord(words_);
        afterHumanWord(true);
        return;
    case WordVerdict::NotInLibrary:
        stage_ = Stage::Asking;
        question_ = GameQuestion::AddWord;
        emit faceRequested(QStringLiteral("CPU41"));
        session_.mainInputEnabled = false;
        emit questionAsked(GameQuestion::AddWord, model_.word());
        return;
    }
}

void GameController::afterHumanWord(bool playSound) {
    if (playSound)
        sound_.play(kSoundApply);
    if (model_.isOver())
        gameOver();
    else
        playerOf(Player::Computer).beginTurn(*this);
}

void GameController::awaitHumanMove() {
    emit humanToMove();
}

// --- Questions ---------------------------------------------------------------------------------

void GameController::confirmNewGame(std::function<void(bool)> then) {
    if (stage_ == Stage::Closed)
        return;
    if (!gameInProgress()) {
        then(true);
        return;
    }
    stage_ = Stage::Asking;
    question_ = GameQuestion::StartNewGame;
    afterNewGameQuestion_ = std::move(then);
    emit questionAsked(GameQuestion::StartNewGame, std::string());
}

void GameController::answerQuestion(QuestionAnswer answer) {
    if (stage_ != Stage::Asking)
        return;
    stage_ = Stage::Playing;
    if (question_ == GameQuestion::AddWord) {
        answerAddWord(answer);
        return;
    }
    if (auto then = std::exchange(afterNewGameQuestion_, nullptr))
        then(answer == QuestionAnswer::Yes);
}

void GameController::answerAddWord(QuestionAnswer answer) {
    if (answer == QuestionAnswer::Yes) {
        const std::string word = model_.word();
        appendWordToLibrary(words_, word);
        loadWords(words_);
        // The question's face stays until the computer's turn or the game's end changes it.
        model_.confirmWord(words_);
        afterHumanWord(false);
        return;
    }
    // No drops the word; a question closed otherwise leaves it selected.
    if (answer == QuestionAnswer::No)
        model_.dropWord();
    emit faceRequested(QStringLiteral("CPU00"));
}

// --- The computer's turn -----------------------------------------------------------------------

void GameController::startComputerTurn(bool forHuman) {
    turn_->start(forHuman, session_.maxWordLength, session_.everydayWords);
}

void GameController::turnBegan() {
    emit turnStarted();
}

void GameController::showSearch(const std::string& word, const std::optional<LetterGrid>& board) {
    turnWord_ = word;
    emit searchShown(board);
}

void GameController::thinkingStep() {
    emit thinkingAdvanced();
}

void GameController::showNothingFound() {
    emit computerPassed();
}

void GameController::wordApplied() {
    sound_.play(kSoundApply);
    emit moveCredited(model_.state().history.back());
}

bool GameController::turnEnded() {
    emit turnFinished();
    if (!model_.isOver())
        return true;
    gameOver();
    return false;
}

void GameController::turnEndedWithoutGameOver(bool hintFoundWord) {
    // The hint found a word: the other side answers it. Otherwise the human moves.
    playerOf(hintFoundWord ? Player::Computer : Player::Human).beginTurn(*this);
}
