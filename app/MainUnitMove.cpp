// The human's move: the palette, the cells' preview and clicks, the confirmation of a word and
// the step back by the right mouse button. Each handler asks the game model; the views draw
// what the model then holds.
#include "app/MainUnit.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "app/PoleUnit.h"
#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/GameServices.h"
#include "extras/SoundUnit.h"
#include "skin/CoolControls.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>

namespace {
CellPos cellOf(const Tpole* cell) {
    return {cell->Col - 1, cell->Row - 1};
}
} // namespace

void TMainWindow::Normalize_Letters() {
    palette_->setLanguage(LanguageOf(services_.words().Language));
}

void TMainWindow::lettersOnMouseDown(const std::string& letter) {
    services_.sound().play(kSoundLetter);
    if (face_->shaking())
        return;
    model_.chooseLetter(letter);
    RefreshCursorPreview();
}

void TMainWindow::poleMouseEnter(Tpole* cell) {
    pointer_.HoverCol = cell->Col;
    pointer_.HoverRow = cell->Row;
    pointer_.OverCell = true;
    board_->setPreviewCell(cell->Col, cell->Row);
}

void TMainWindow::poleMouseLeave(Tpole*) {
    pointer_.OverCell = false;
    board_->setPreviewCell(0, 0);
}

void TMainWindow::poleOnClick(Tpole* cell) {
    if (Busy() || model_.phase() == MovePhase::Computer)
        return;
    const CellPos at = cellOf(cell);
    if (model_.phase() == MovePhase::Selecting) {
        if (model_.onWordPath(at)) {
            // The word must pass through the new letter before it can be confirmed.
            if (model_.onWordPath(model_.state().placed))
                ConfirmWord();
            return;
        }
        if (model_.extendWord(at))
            services_.sound().play(kSoundCell);
        return;
    }
    if (model_.place(at))
        services_.sound().play(kSoundCell);
}

void TMainWindow::ConfirmWord() {
    switch (model_.judgeWord(services_.words())) {
    case WordVerdict::NotThroughNewLetter:
        return;
    case WordVerdict::TooShort:
    case WordVerdict::TooLong:
    case WordVerdict::AlreadyPlayed:
        // The word stays selected while the head shakes, then goes.
        face_->shake([this] { model_.dropWord(); });
        return;
    case WordVerdict::Accepted:
        model_.confirmWord(services_.words());
        AfterHumanWord(true);
        return;
    case WordVerdict::NotInLibrary:
        AskToAddWord(model_.word());
        return;
    }
}

void TMainWindow::AfterHumanWord(bool playSound) {
    if (playSound)
        services_.sound().play(kSoundApply);
    if (model_.isOver())
        GameOver();
    else
        StartComputerTurn(false);
}

void TMainWindow::AskToAddWord(const std::string& word) {
    ShowFace(QStringLiteral("CPU41"));
    services_.game().MainInputEnabled = false;
    const int result =
        ShowChoiceWindow(dialogs_.ChoiceWindow(), services_.languageText("AddWord1") + " " + word,
                         services_.languageText("AddWord2"));
    if (closed_)
        return;
    if (result == kChoiceYes) {
        AppendWord(services_.words(), word);
        LoadWords(services_.words());
        // The question's face stays until the computer's turn or the game's end changes it.
        model_.confirmWord(services_.words());
        const bool ends = model_.isOver();
        AfterHumanWord(false);
        if (ends)
            ShowFace(QStringLiteral("CPU00"));
        return;
    }
    if (result == kChoiceNo)
        model_.dropWord();
    ShowFace(QStringLiteral("CPU00"));
}

void TMainWindow::AppOnMessage() {
    if (!services_.game().MainInputEnabled || Busy())
        return;
    if (model_.phase() == MovePhase::Selecting) {
        services_.sound().play(kSoundStepBack);
        model_.stepBack();
    }
    if (model_.phase() == MovePhase::Placing)
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
