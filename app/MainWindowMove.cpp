// The human's move: the palette, the cells' preview and clicks, the confirmation of a word and
// the step back by the right mouse button. Each handler asks the game model; the views draw
// what the model then holds.
#include "app/MainWindow.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "app/FieldCell.h"
#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "extras/GameServices.h"
#include "extras/QuestionWindow.h"
#include "extras/SoundEffects.h"
#include "skin/CoolControls.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>

namespace {
CellPos cellOf(const FieldCell* cell) {
    return {cell->col - 1, cell->row - 1};
}
} // namespace

void MainWindow::resetPalette() {
    palette_->setLanguage(languageOf(services_.words().language));
}

void MainWindow::chooseLetter(const std::string& letter) {
    services_.sound().play(kSoundLetter);
    if (face_->shaking())
        return;
    model_.chooseLetter(letter);
    refreshCursorPreview();
}

void MainWindow::cellEntered(FieldCell* cell) {
    pointer_.hoverCol = cell->col;
    pointer_.hoverRow = cell->row;
    pointer_.overCell = true;
    board_->setPreviewCell(cell->col, cell->row);
}

void MainWindow::cellLeft(FieldCell*) {
    pointer_.overCell = false;
    board_->setPreviewCell(0, 0);
}

void MainWindow::cellClicked(FieldCell* cell) {
    if (busy() || model_.phase() == MovePhase::Computer)
        return;
    const CellPos at = cellOf(cell);
    if (model_.phase() == MovePhase::Selecting) {
        if (model_.onWordPath(at)) {
            // The word must pass through the new letter before it can be confirmed.
            if (model_.onWordPath(model_.state().placed))
                confirmWord();
            return;
        }
        if (model_.extendWord(at))
            services_.sound().play(kSoundCell);
        return;
    }
    if (model_.place(at))
        services_.sound().play(kSoundCell);
}

void MainWindow::confirmWord() {
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
        afterHumanWord(true);
        return;
    case WordVerdict::NotInLibrary:
        askToAddWord(model_.word());
        return;
    }
}

void MainWindow::afterHumanWord(bool playSound) {
    if (playSound)
        services_.sound().play(kSoundApply);
    if (model_.isOver())
        gameOver();
    else
        startComputerTurn(false);
}

void MainWindow::askToAddWord(const std::string& word) {
    showFace(QStringLiteral("CPU41"));
    services_.game().mainInputEnabled = false;
    const int result =
        showChoiceWindow(dialogs_.choiceWindow(), services_.languageText("AddWord1") + " " + word,
                         services_.languageText("AddWord2"));
    if (closed_)
        return;
    if (result == kChoiceYes) {
        appendWordToLibrary(services_.words(), word);
        loadWords(services_.words());
        // The question's face stays until the computer's turn or the game's end changes it.
        model_.confirmWord(services_.words());
        const bool ends = model_.isOver();
        afterHumanWord(false);
        if (ends)
            showFace(QStringLiteral("CPU00"));
        return;
    }
    if (result == kChoiceNo)
        model_.dropWord();
    showFace(QStringLiteral("CPU00"));
}

void MainWindow::stepBack() {
    if (!services_.game().mainInputEnabled || busy())
        return;
    if (model_.phase() == MovePhase::Selecting) {
        services_.sound().play(kSoundStepBack);
        model_.stepBack();
    }
    if (model_.phase() == MovePhase::Placing)
        showPreviewUnderPointer();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Keys typed into this window, unless the menu bar has taken the keyboard.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && widget != menuBar &&
            !menuBar->isAncestorOf(widget) && fieldKeyPressed(*static_cast<QKeyEvent*>(event)))
            return true;
        break;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        pointerActiveOverCell(watched, event);
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
            stepBack();
        }
    }
    return QWidget::eventFilter(watched, event);
}
