// The computer's turn on screen, the hint, the skip button and the strength command. The turn
// itself is app/ComputerTurn's state machine; this file shows it.
#include "app/MainUnit.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"
#include "skin/CoolControls.h"

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
    turn_->start(forHuman, Game.MaxWordLength);
}

void TMainWindow::turnBegan() {
    titleBeforeTurn_ = windowTitle();
    setWindowTitle(titleBeforeTurn_ + QStringLiteral(" (") + Cp1251ToUnicode(LanguageText("Wait")) +
                   QStringLiteral(")"));
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
}

void TMainWindow::wordApplied() {
    PlaySoundEffect(kSoundApply);
}

bool TMainWindow::turnEnded() {
    ShowFace(QStringLiteral("CPU00"));
    SetTurnCommandsEnabled(true);
    setWindowTitle(Cp1251ToUnicode(LanguageText("Title")));
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
    const uint16_t before = Game.MaxWordLength;
    dialogs_.SetCPUWindow().exec();
    if (Game.MaxWordLength != before)
        Menu_NewGameClick();
}
