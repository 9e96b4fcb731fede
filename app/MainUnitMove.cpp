// The human's move: the letter palette, the cells' preview and clicks, the confirmation of a
// word and the step back by the right mouse button.
#include "app/MainUnit.h"

#include "app/PoleUnit.h"
#include "app/WordSheetsView.h"
#include "core/WordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/ImagesUnit.h"
#include "extras/SoundUnit.h"
#include "skin/CoolControls.h"

#include <QMouseEvent>

namespace {
const QColor kPaletteLetter(255, 255, 0);
const QColor kChosenLetterColour(0, 0, 255);

void unselectAllCells() {
    for (int c = 1; c <= 5; ++c)
        for (int r = 1; r <= 5; ++r)
            FieldGrid[c][r]->Unselect();
}
} // namespace

void TMainWindow::Normalize_Letters() {
    const bool english = Words.Language == 2;
    const int perRow = english ? 13 : 16;
    for (int i = 1; i <= kLetterButtons; ++i) {
        TCoolBtn* button = LetterButtons[i];
        const int left = (kOuterWidth / 2 - 273) + (english ? 52 : 0) + 34 * ((i - 1) % perRow);
        const int top = (kOuterHeight - 120) + (i > perRow ? 34 : 0);
        button->move(left, top);
        if (button->FontColor() != kPaletteLetter) {
            button->SetFontColor(kPaletteLetter);
            button->SetWallpaper(GetTexture(kLetterSlot));
        }
        button->SetCaption(std::string(1, static_cast<char>(Words.FirstLetter + i - 1)));
        button->setVisible(!english || i <= 26);
    }
}

void TMainWindow::lettersOnMouseDown(TCoolBtn* button) {
    PlaySoundEffect(kSoundLetter);
    if (button->FontColor() == kChosenLetterColour)
        return;
    if (InputPhase == 1) {
        // Another letter takes the placement back.
        unselectAllCells();
        Slowo->SetCaption(std::string());
        InputPhase = 0;
        FieldGrid[PlacedCol][PlacedRow]->SetCaption(std::string());
    }
    Normalize_Letters();
    button->SetFontColor(kChosenLetterColour);
    button->SetWallpaper(GetTexture(kChosenLetterSlot));
    ChosenLetter = button->Caption();
}

void TMainWindow::poleMouseEnter(Tpole* cell) {
    HoverCol = cell->Col;
    HoverRow = cell->Row;
    if (!cell->Filled && InputPhase == 0 && !ChosenLetter.empty())
        cell->SetCaption(ChosenLetter);
    OverCell = true;
}

void TMainWindow::poleMouseLeave(Tpole* cell) {
    if (!cell->Filled && InputPhase == 0 && !ChosenLetter.empty()) {
        cell->SetCaption(std::string());
        cell->SetFontColor(Qt::black);
    }
    OverCell = false;
}

void TMainWindow::poleOnClick(Tpole* cell) {
    if (cell->Selected && InputPhase == 1) {
        // The word must pass through the new letter before it can be confirmed.
        if (FieldGrid[PlacedCol][PlacedRow]->Selected)
            ConfirmWord();
        return;
    }
    if (!cell->Selected && !cell->Caption().empty() && InputPhase == 1) {
        if (Slowo->Caption().empty()) {
            LastCol = cell->Col;
            LastRow = cell->Row;
            cell->Select();
            Slowo->SetCaption(cell->Caption());
            PlaySoundEffect(kSoundCell);
        } else {
            const int dc = int(cell->Col) - int(LastCol);
            const int dr = int(cell->Row) - int(LastRow);
            if (dc * dc + dr * dr == 1) {
                LastCol = cell->Col;
                LastRow = cell->Row;
                cell->Select();
                Slowo->SetCaption(Slowo->Caption() + cell->Caption());
                PlaySoundEffect(kSoundCell);
            }
        }
        return;
    }
    if (InputPhase == 0 && !ChosenLetter.empty() && !cell->Filled) {
        PlaySoundEffect(kSoundCell);
        InputPhase = 1;
        PlacedCol = cell->Col;
        PlacedRow = cell->Row;
        // A click without a preview (the pointer came by another way) still places the letter.
        cell->SetCaption(ChosenLetter);
    }
}

void TMainWindow::ConfirmWord() {
    const std::string word = Slowo->Caption();
    const size_t length = word.size();
    if (length == 1 || length > kMaxWordLength || IsWordPlayed(word)) {
        ShowRefusal();
        if (closingDown_)
            return;
        unselectAllCells();
        Slowo->SetCaption(std::string());
        return;
    }
    if (FindWord(Words, word, static_cast<uint16_t>(length))) {
        AcceptHumanWord(word, true);
        return;
    }
    AskToAddWord(word);
}

void TMainWindow::AcceptHumanWord(const std::string& word, bool playSound) {
    AddPlayerWord(1, word);
    FieldGrid[PlacedCol][PlacedRow]->Filled = true;
    PassCount = 0;
    if (playSound)
        PlaySoundEffect(kSoundApply);
    if (GameEnded())
        GameOver();
    else
        ComputerTurn();
}

void TMainWindow::AskToAddWord(const std::string& word) {
    ShowFace(QStringLiteral("CPU41"));
    MainInputEnabled = false;
    ChoiceCaption = LanguageText("AddWord1") + " " + word;
    ChoiceQuestion = LanguageText("AddWord2");
    const int result = ShowChoiceWindow();
    if (closingDown_)
        return;
    if (result == kChoiceYes) {
        AppendWord(Words, word);
        LoadWords(Words);
        // The question's face stays through the computer's turn or the game's end.
        AcceptHumanWord(word, false);
        if (!closingDown_)
            ShowFace(QStringLiteral("CPU00"));
        return;
    }
    if (result == kChoiceNo) {
        unselectAllCells();
        Slowo->SetCaption(std::string());
    }
    ShowFace(QStringLiteral("CPU00"));
}

void TMainWindow::ShowRefusal() {
    for (int i = 1; i <= 7; ++i) {
        ShowFace(QStringLiteral("CPU1%1").arg(i % 2 + 1));
        WaitTicks(2);
        if (closingDown_)
            return;
    }
    ShowFace(QStringLiteral("CPU00"));
}

void TMainWindow::AppOnMessage() {
    if (!MainInputEnabled)
        return;
    if (InputPhase == 1) {
        PlaySoundEffect(kSoundStepBack);
        if (!Slowo->Caption().empty()) {
            Slowo->SetCaption(std::string());
            unselectAllCells();
        } else {
            InputPhase = 0;
            FieldGrid[PlacedCol][PlacedRow]->SetCaption(std::string());
        }
    }
    if (InputPhase == 0)
        ShowPreviewUnderPointer();
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto* press = static_cast<QMouseEvent*>(event);
        // A press that a widget hands on to its parents reaches this filter once per widget;
        // it is one press of the button.
        if (press->button() == Qt::RightButton && (press->timestamp() != lastRightPressTime_ ||
                                                   press->globalPosition() != lastRightPressPos_)) {
            lastRightPressTime_ = press->timestamp();
            lastRightPressPos_ = press->globalPosition();
            AppOnMessage();
        }
    }
    return QWidget::eventFilter(watched, event);
}
