// The computer's turn on screen, the hint, the skip button and the strength command. The turn
// itself is app/ComputerTurn's state machine; this file shows it.
#include "app/MainWindow.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "extras/GameServices.h"
#include "extras/SoundEffects.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
#include "settings/StrengthWindow.h"
#include "skin/CoolControls.h"
#include "skin/CoolTrackBar.h"

#include <QAccessible>
#include <QMenu>

void MainWindow::setTurnCommandsEnabled(bool enabled) {
    optionsMenu->menuAction()->setEnabled(enabled);
    newGameItem->setEnabled(enabled);
    takeBackItem->setEnabled(enabled && model_.canTakeBack());
    skipButton->setEnabled(enabled);
    hintButton->setEnabled(enabled);
}

void MainWindow::startThinkingFace() {
    face_->startThinking(tickCount_);
}

void MainWindow::advanceThinkingFace() {
    if (!model_.state().hintRunning)
        face_->advanceThinking(tickCount_);
}

void MainWindow::startComputerTurn(bool forHuman) {
    turn_->start(forHuman, services_.game().maxWordLength);
}

void MainWindow::turnBegan() {
    titleBeforeTurn_ = windowTitle();
    setWindowTitle(titleBeforeTurn_ + QStringLiteral(" (") +
                   cp1251ToUnicode(services_.languageText("Wait")) + QStringLiteral(")"));
    setTurnCommandsEnabled(false);
    startThinkingFace();
}

void MainWindow::showSearch(const std::string& word, const std::optional<LetterGrid>& board) {
    turnWord_ = word;
    refreshWordAndHint();
    board_->setSearchBoard(board);
}

void MainWindow::thinkingStep() {
    advanceThinkingFace();
}

void MainWindow::showNothingFound() {
    showFace(QStringLiteral("CPU31"));
    announce(accessibleTexts_.computerPass);
}

void MainWindow::wordApplied() {
    services_.sound().play(kSoundApply);
    const MoveRecord& move = model_.state().history.back();
    if (move.player == Player::Computer)
        announce(accessibleTexts_.computerMove.arg(cp1251ToUnicode(move.word)).arg(move.score));
}

// The computer's face speaks for it: its name becomes the news, and an alert asks screen
// readers to say it now.
void MainWindow::announce(const QString& text) {
    face_->setAccessibleName(text);
    QAccessibleEvent alert(face_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

bool MainWindow::turnEnded() {
    showFace(QStringLiteral("CPU00"));
    setTurnCommandsEnabled(true);
    setWindowTitle(cp1251ToUnicode(services_.languageText("Title")));
    if (!model_.isOver())
        return true;
    gameOver();
    return false;
}

void MainWindow::computerTurnFinished(bool hintFoundWord) {
    showPreviewUnderPointer();
    // The hint found a word; the computer answers.
    if (hintFoundWord)
        startComputerTurn(false);
}

void MainWindow::skipTurn() {
    if (busy())
        return;
    model_.skip();
    startComputerTurn(false);
}

void MainWindow::showHint() {
    if (busy())
        return;
    startComputerTurn(true);
}

void MainWindow::chooseStrength() {
    const uint16_t before = services_.game().maxWordLength;
    dialogs_.setCPUWindow().exec();
    if (services_.game().maxWordLength == before)
        return;
    if (!confirmNewGame()) {
        // The window's slider goes back with the strength.
        dialogs_.setCPUWindow().strengthBar->setValue(before);
        services_.game().maxWordLength = before;
        return;
    }
    newGame();
}
