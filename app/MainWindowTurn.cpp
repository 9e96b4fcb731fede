// The game's flow on screen: what the game controller announces (the computer's turn, the
// refusal of a word, a question) drawn on the window, and the strength command.
#include "app/MainWindow.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "app/ScreenReaders.h"
#include "extras/GameServices.h"
#include "extras/QuestionWindow.h"
#include "extras/SavedGameMessages.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "settings/SettingsFile.h"
#include "settings/StrengthWindow.h"
#include "skin/CoolControls.h"
#include "skin/CoolTrackBar.h"

#include <QAccessible>
#include <QMenu>
#include <QTimer>

void MainWindow::connectController() {
    GameController* game = game_;
    connect(&game->model(), &GameModel::changed, this, &MainWindow::refreshWordAndHint);
    connect(game, &GameController::gameStarted, this, &MainWindow::gameStarted);
    connect(game, &GameController::turnStarted, this, &MainWindow::turnStarted);
    connect(game, &GameController::searchShown, this,
            [this](const std::optional<LetterGrid>& board) {
                refreshWordAndHint();
                board_->setSearchBoard(board);
            });
    connect(game, &GameController::thinkingAdvanced, this, &MainWindow::advanceThinkingFace);
    connect(game, &GameController::turnFinished, this, &MainWindow::turnFinished);
    connect(game, &GameController::moveCredited, this, &MainWindow::announceMove);
    connect(game, &GameController::computerPassed, this, [this] {
        showFace(QStringLiteral("CPU31"));
        announce(accessibleTexts_.computerPass);
    });
    connect(game, &GameController::humanToMove, cursor_, &FieldCursor::showPreviewUnderPointer);
    connect(game, &GameController::wordRefused, this, [this] { face_->shake(nullptr); });
    connect(game, &GameController::faceRequested, this, &MainWindow::showFace);
    connect(game, &GameController::questionAsked, this, &MainWindow::askQuestion);
    connect(game, &GameController::gameEnded, this, &MainWindow::showGameEnd);
    connect(game, &GameController::finishedGameChanged, menu_->bestWordsItem, &QAction::setEnabled);
    connect(game, &GameController::savedGameRead, this, [this](const SavedGameLoad& load) {
        if (const QString problem = savedGameLoadMessage(services_, load); !problem.isEmpty())
            showErrorBox(problem);
    });
    connect(game, &GameController::saveFailed, this,
            [this](const QString& path, const QString& reason) {
                // Told after the change that caused it has run to its end.
                const QString text = savedGameSaveMessage(services_, path, reason);
                QTimer::singleShot(0, this, [text] { showErrorBox(text); });
            });
}

void MainWindow::setTurnCommandsEnabled(bool enabled) {
    menu_->optionsMenu->menuAction()->setEnabled(enabled);
    menu_->newGameItem->setEnabled(enabled);
    menu_->takeBackItem->setEnabled(enabled && game_->model().canTakeBack());
    skipButton_->setEnabled(enabled);
    hintButton_->setEnabled(enabled);
}

void MainWindow::startThinkingFace() {
    face_->startThinking(tickCount_);
}

void MainWindow::advanceThinkingFace() {
    if (!game_->model().state().hintRunning)
        face_->advanceThinking(tickCount_);
}

void MainWindow::turnStarted() {
    titleBeforeTurn_ = windowTitle();
    setWindowTitle(titleBeforeTurn_ + QStringLiteral(" (") +
                   cp1251ToUnicode(services_.languageText("Wait")) + QStringLiteral(")"));
    setTurnCommandsEnabled(false);
    startThinkingFace();
}

void MainWindow::announceMove(const MoveRecord& move) {
    if (move.player == Player::Computer)
        announce(accessibleTexts_.computerMove.arg(cp1251ToUnicode(move.word)).arg(move.score));
}

// The computer's face speaks for it: its name becomes the news, and an alert asks screen
// readers to say it now.
void MainWindow::announce(const QString& text) {
    face_->setAccessibleName(text);
    QAccessibleEvent alert(face_, QAccessible::Alert);
    tellScreenReaders(alert);
}

void MainWindow::turnFinished() {
    showFace(QStringLiteral("CPU00"));
    setTurnCommandsEnabled(true);
    setWindowTitle(cp1251ToUnicode(services_.languageText("Title")));
}

void MainWindow::askQuestion(GameQuestion question, const std::string& word) {
    QuestionWindow& window = dialogs_.choiceWindow();
    connect(
        &window, &QDialog::finished, game_,
        [this](int result) {
            game_->answerQuestion(result == kChoiceYes  ? QuestionAnswer::Yes
                                  : result == kChoiceNo ? QuestionAnswer::No
                                                        : QuestionAnswer::Dismissed);
        },
        Qt::SingleShotConnection);
    if (question == GameQuestion::AddWord)
        showChoiceWindow(window, services_.languageText("AddWord1") + " " + word,
                         services_.languageText("AddWord2"));
    else
        showChoiceWindow(window, services_.languageText("Menu_NewGame"),
                         services_.languageText("NewGameQuestion"));
}

void MainWindow::chooseStrength() {
    StrengthWindow& window = dialogs_.setCPUWindow();
    const uint16_t before = services_.game().maxWordLength;
    connect(
        &window, &QDialog::finished, this,
        [this, before] {
            if (services_.game().maxWordLength == before)
                return;
            game_->confirmNewGame([this, before](bool yes) {
                if (yes) {
                    runReportingErrors([this] { game_->newGame(); });
                    return;
                }
                // The window's slider goes back with the strength.
                dialogs_.setCPUWindow().strengthBar->setValue(before);
                services_.game().maxWordLength = before;
            });
        },
        Qt::SingleShotConnection);
    window.show();
}
