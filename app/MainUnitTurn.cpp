// The computer's turn on screen, the hint, the skip button and the strength command. The turn
// itself is app/ComputerTurn's state machine; this file shows it.
#include "app/MainUnit.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "extras/GameServices.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"
#include "skin/CoolControls.h"
#include "skin/CoolTrackBar.h"

#include <QAccessible>
#include <QMenu>

void TMainWindow::SetTurnCommandsEnabled(bool enabled) {
    Menu_Options->menuAction()->setEnabled(enabled);
    Menu_NewGame->setEnabled(enabled);
    Menu_TakeBack->setEnabled(enabled && model_.canTakeBack());
    SkipButton->setEnabled(enabled);
    AdviceButton->setEnabled(enabled);
}

void TMainWindow::StartThinkingFace() {
    face_->startThinking(tickCount_);
}

void TMainWindow::AdvanceThinkingFace() {
    if (!model_.state().hintRunning)
        face_->advanceThinking(tickCount_);
}

void TMainWindow::StartComputerTurn(bool forHuman) {
    turn_->start(forHuman, services_.game().MaxWordLength);
}

void TMainWindow::turnBegan() {
    titleBeforeTurn_ = windowTitle();
    setWindowTitle(titleBeforeTurn_ + QStringLiteral(" (") +
                   Cp1251ToUnicode(services_.languageText("Wait")) + QStringLiteral(")"));
    SetTurnCommandsEnabled(false);
    StartThinkingFace();
}

void TMainWindow::showSearch(const std::string& word, const std::optional<LetterGrid>& board) {
    turnWord_ = word;
    RefreshWordAndHint();
    board_->setSearchBoard(board);
}

void TMainWindow::thinkingStep() {
    AdvanceThinkingFace();
}

void TMainWindow::showNothingFound() {
    ShowFace(QStringLiteral("CPU31"));
    Announce(accessibleTexts_.computerPass);
}

void TMainWindow::wordApplied() {
    services_.sound().play(kSoundApply);
    const MoveRecord& move = model_.state().history.back();
    if (move.player == Player::Computer)
        Announce(accessibleTexts_.computerMove.arg(Cp1251ToUnicode(move.word)).arg(move.score));
}

// The computer's face speaks for it: its name becomes the news, and an alert asks screen
// readers to say it now.
void TMainWindow::Announce(const QString& text) {
    face_->setAccessibleName(text);
    QAccessibleEvent alert(face_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

bool TMainWindow::turnEnded() {
    ShowFace(QStringLiteral("CPU00"));
    SetTurnCommandsEnabled(true);
    setWindowTitle(Cp1251ToUnicode(services_.languageText("Title")));
    if (!model_.isOver())
        return true;
    GameOver();
    return false;
}

void TMainWindow::ComputerTurnFinished(bool hintFoundWord) {
    ShowPreviewUnderPointer();
    // The hint found a word; the computer answers.
    if (hintFoundWord)
        StartComputerTurn(false);
}

void TMainWindow::SkipButtonClick() {
    if (Busy())
        return;
    model_.skip();
    StartComputerTurn(false);
}

void TMainWindow::AdviceButtonClick() {
    if (Busy())
        return;
    StartComputerTurn(true);
}

void TMainWindow::Menu_CPUClick() {
    const uint16_t before = services_.game().MaxWordLength;
    dialogs_.SetCPUWindow().exec();
    if (services_.game().MaxWordLength == before)
        return;
    if (!ConfirmNewGame()) {
        // The window's slider goes back with the strength.
        dialogs_.SetCPUWindow().StrongBar->setValue(before);
        services_.game().MaxWordLength = before;
        return;
    }
    Menu_NewGameClick();
}
