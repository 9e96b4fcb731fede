// The human's move: the letter palette, the cells' preview and clicks, the confirmation of a
// word and the step back by the right mouse button.
#include "app/MainUnit.h"

#include "app/PoleUnit.h"
#include "app/WordSheetsView.h"
#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/ImagesUnit.h"
#include "extras/SoundUnit.h"
#include "skin/CoolControls.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>

namespace {
const QColor kPaletteLetter(255, 255, 0);
const QColor kChosenLetterColour(0, 0, 255);

void unselectAllCells() {
    ForEachCell([](Tpole* cell) { cell->Unselect(); });
}
} // namespace

void TMainWindow::Normalize_Letters() {
    const LanguageInfo& language = LanguageOf(Words.Language);
    const bool english = language.Number == kEnglish;
    const int perRow = language.AlphabetSize / 2; // two rows of letters
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
        button->setVisible(i <= language.AlphabetSize);
    }
}

void TMainWindow::lettersOnMouseDown(TCoolBtn* button) {
    PlaySoundEffect(kSoundLetter);
    if (button->FontColor() == kChosenLetterColour)
        return;
    if (Game.InputPhase == kSelectingPhase) {
        // Another letter takes the placement back.
        unselectAllCells();
        Slowo->SetCaption(std::string());
        Game.InputPhase = kPlacingPhase;
        FieldGrid[Game.PlacedCol][Game.PlacedRow]->SetCaption(std::string());
    }
    Normalize_Letters();
    button->SetFontColor(kChosenLetterColour);
    button->SetWallpaper(GetTexture(kChosenLetterSlot));
    Game.ChosenLetter = button->Caption();
    RefreshCursorPreview();
}

void TMainWindow::poleMouseEnter(Tpole* cell) {
    Game.HoverCol = cell->Col;
    Game.HoverRow = cell->Row;
    if (!cell->Filled && Game.InputPhase == kPlacingPhase && !Game.ChosenLetter.empty())
        cell->SetCaption(Game.ChosenLetter);
    Game.OverCell = true;
}

void TMainWindow::poleMouseLeave(Tpole* cell) {
    if (!cell->Filled && Game.InputPhase == kPlacingPhase && !Game.ChosenLetter.empty()) {
        cell->SetCaption(std::string());
        cell->SetFontColor(Qt::black);
    }
    Game.OverCell = false;
}

void TMainWindow::poleOnClick(Tpole* cell) {
    if (cell->Selected && Game.InputPhase == kSelectingPhase) {
        // The word must pass through the new letter before it can be confirmed.
        if (FieldGrid[Game.PlacedCol][Game.PlacedRow]->Selected)
            ConfirmWord();
        return;
    }
    if (!cell->Selected && !cell->Caption().empty() && Game.InputPhase == kSelectingPhase) {
        if (Slowo->Caption().empty()) {
            Game.LastCol = cell->Col;
            Game.LastRow = cell->Row;
            cell->Select();
            Slowo->SetCaption(cell->Caption());
            PlaySoundEffect(kSoundCell);
        } else {
            if (IsPathStep(Game.LastCol, Game.LastRow, cell->Col, cell->Row)) {
                Game.LastCol = cell->Col;
                Game.LastRow = cell->Row;
                cell->Select();
                Slowo->SetCaption(Slowo->Caption() + cell->Caption());
                PlaySoundEffect(kSoundCell);
            }
        }
        return;
    }
    if (Game.InputPhase == kPlacingPhase && !Game.ChosenLetter.empty() && !cell->Filled) {
        PlaySoundEffect(kSoundCell);
        Game.InputPhase = kSelectingPhase;
        Game.PlacedCol = cell->Col;
        Game.PlacedRow = cell->Row;
        // A click without a preview (the pointer came by another way) still places the letter.
        cell->SetCaption(Game.ChosenLetter);
    }
}

void TMainWindow::ConfirmWord() {
    const std::string word = Slowo->Caption();
    switch (JudgeHumanWord(word, Words, Game.PlayedWords)) {
    case HumanWordVerdict::Refused:
        ShowRefusal();
        if (closingDown_)
            return;
        unselectAllCells();
        Slowo->SetCaption(std::string());
        return;
    case HumanWordVerdict::Accepted:
        AcceptHumanWord(word, true);
        return;
    case HumanWordVerdict::Unknown:
        AskToAddWord(word);
        return;
    }
}

void TMainWindow::AcceptHumanWord(const std::string& word, bool playSound) {
    AddPlayerWord(1, word);
    FieldGrid[Game.PlacedCol][Game.PlacedRow]->Filled = true;
    Game.PassCount = 0;
    if (playSound)
        PlaySoundEffect(kSoundApply);
    if (GameEnded())
        GameOver();
    else
        ComputerTurn();
}

void TMainWindow::AskToAddWord(const std::string& word) {
    ShowFace(QStringLiteral("CPU41"));
    Game.MainInputEnabled = false;
    const int result =
        ShowChoiceWindow(LanguageText("AddWord1") + " " + word, LanguageText("AddWord2"));
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
    if (!Game.MainInputEnabled)
        return;
    if (Game.InputPhase == kSelectingPhase) {
        PlaySoundEffect(kSoundStepBack);
        if (!Slowo->Caption().empty()) {
            Slowo->SetCaption(std::string());
            unselectAllCells();
        } else {
            Game.InputPhase = kPlacingPhase;
            FieldGrid[Game.PlacedCol][Game.PlacedRow]->SetCaption(std::string());
        }
    }
    if (Game.InputPhase == kPlacingPhase)
        ShowPreviewUnderPointer();
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Keys typed into this window, unless the menu bar has taken the keyboard.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && widget != MainMenu1 &&
            !MainMenu1->isAncestorOf(widget) && FieldKeyPressed(*static_cast<QKeyEvent*>(event)))
            return true;
        break;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        PointerActiveOverCell(watched, event);
        break;
    default:
        break;
    }
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
