// The computer's turn, the hint, the skip button and the strength command.
#include "app/MainUnit.h"

#include "app/PoleUnit.h"
#include "app/WordSheetsView.h"
#include "core/SearchUnit.h"
#include "core/WordsUnit.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"
#include "skin/CoolControls.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QMenu>

namespace {
constexpr uint16_t kResultTicks = 10;
constexpr int kFaceStartPhase = 12;
constexpr int kFacePhases = 20;
const std::string kNothingFound = "? ? ?";
} // namespace

void TMainWindow::WaitTicks(uint16_t n) {
    for (uint16_t i = 0; i < n && !closingDown_; ++i) {
        const uint16_t seen = Game.TickCount;
        // Blocks until the next event arrives, so a waiting game uses no processor time.
        while (Game.TickCount == seen && !closingDown_)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void TMainWindow::SetTurnCommandsEnabled(bool enabled) {
    Menu_Options->menuAction()->setEnabled(enabled);
    Menu_NewGame->setEnabled(enabled);
    SkipButton->setEnabled(enabled);
    AdviceButton->setEnabled(enabled);
}

void TMainWindow::StartThinkingFace() {
    // The first look always sees a change of the tick counter.
    lastSeenTick_ = Game.TickCount - 1;
    facePhase_ = kFaceStartPhase;
    faceFlag_ = true;
}

void TMainWindow::AdvanceThinkingFace() {
    if (Game.HintMode || Game.TickCount == lastSeenTick_)
        return;
    lastSeenTick_ = Game.TickCount;
    facePhase_ = (facePhase_ + 1) % kFacePhases;
    if (facePhase_ > kFaceStartPhase && facePhase_ % 2 == 1) {
        faceFlag_ = !faceFlag_;
        ShowFace(faceFlag_ ? QStringLiteral("CPU21") : QStringLiteral("CPU22"));
    }
}

bool TMainWindow::TrialLetterDone() {
    QCoreApplication::processEvents();
    if (closingDown_)
        return false;
    AdvanceThinkingFace();
    return true;
}

void TMainWindow::BestWordFound(const LetterGrid& grid, const std::string& word) {
    Slowo->SetCaption(word);
    ShowGridOnField(grid);
    QCoreApplication::processEvents();
}

std::string TMainWindow::FindBestWordOnField() {
    const LetterGrid snapshot = FieldLetters();
    ForEachCell([](Tpole* cell) {
        // A preview or a letter the human placed but did not play goes away.
        if (!cell->Filled || cell->Caption().empty())
            cell->SetCaption(std::string());
        cell->Unselect();
    });
    SearchLimits limits;
    limits.maxWordLength = Game.MaxWordLength;
    limits.hintMode = Game.HintMode;
    limits.language = Words.Language;
    limits.firstLetter = Words.FirstLetter;
    const SearchResult result = FindBestWord(snapshot, Words, Game.PlayedWords, limits, this);
    return result.abandoned ? std::string() : result.word;
}

void TMainWindow::ComputerTurn() {
    Game.InputPhase = kComputerPhase;
    const QString title = windowTitle();
    setWindowTitle(title + QStringLiteral(" (") + Cp1251ToUnicode(LanguageText("Wait")) +
                   QStringLiteral(")"));
    SetTurnCommandsEnabled(false);
    Slowo->SetCaption(std::string());
    StartThinkingFace();

    const std::string word = FindBestWordOnField();
    if (closingDown_)
        return;
    if (!word.empty()) {
        Game.PassCount = 0;
        AddPlayerWord(Game.HintMode ? 1 : 2, word);
        PlaySoundEffect(kSoundApply);
        Game.HintMode = false;
    } else {
        ++Game.PassCount;
        if (!Game.HintMode)
            ShowFace(QStringLiteral("CPU31"));
        Slowo->SetCaption(kNothingFound);
    }

    WaitTicks(kResultTicks);
    if (closingDown_)
        return;
    Slowo->SetCaption(std::string());
    ShowFace(QStringLiteral("CPU00"));
    ForEachCell([](Tpole* cell) {
        cell->Unselect();
        cell->Filled = !cell->Caption().empty();
    });
    SetTurnCommandsEnabled(true);
    setWindowTitle(Cp1251ToUnicode(LanguageText("Title")));
    if (GameEnded())
        GameOver();
    Game.InputPhase = kPlacingPhase;
    ShowPreviewUnderPointer();
}

void TMainWindow::SkipButtonClick() {
    ++Game.PassCount;
    ComputerTurn();
}

void TMainWindow::AdviceButtonClick() {
    Game.HintMode = true;
    AdviceButton->setVisible(false);
    const uint64_t game = gameNumber_;
    ComputerTurn();
    if (closingDown_) {
        Game.HintMode = false;
        return;
    }
    if (!Game.HintMode) {
        // The hint found a word; the computer answers unless that word ended the game.
        if (gameNumber_ == game)
            ComputerTurn();
        return;
    }
    Game.HintMode = false;
    AdviceButton->setVisible(true);
}

void TMainWindow::Menu_CPUClick() {
    const uint16_t before = Game.MaxWordLength;
    ShowStrengthWindow();
    if (Game.MaxWordLength != before)
        Menu_NewGameClick();
}
