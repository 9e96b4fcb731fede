// The human's move: the palette, the cells' preview and clicks and the step back by the right
// mouse button. Each handler hands the input to the game controller; the views draw what the
// model then holds.
#include "app/MainWindow.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "app/FieldCell.h"
#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "extras/GameServices.h"
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
    game_->chooseLetter(letter);
    cursor_->refreshPreview();
}

void MainWindow::cellClicked(FieldCell* cell) {
    game_->clickCell(cellOf(cell));
}

void MainWindow::stepBack() {
    game_->stepBack();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Keys typed into this window, unless the menu bar has taken the keyboard.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && widget != menu_->menuBar &&
            !menu_->menuBar->isAncestorOf(widget) &&
            fieldKeyPressed(*static_cast<QKeyEvent*>(event)))
            return true;
        break;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        cursor_->pointerActiveOverCell(watched, event);
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
