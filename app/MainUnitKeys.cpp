// Play from the keyboard: letters choose in the palette, the arrow keys move a cursor over the
// field, Space and Enter click the cursor's cell, Backspace steps back, F3 skips and F4 asks
// for the hint. Every key goes through the mouse's own handlers, so the two ways of playing
// cannot drift apart.
#include "app/MainUnit.h"
#include "extras/GameServices.h"

#include "app/BoardView.h"
#include "app/PoleUnit.h"
#include "core/KeyPositions.h"
#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "platform/Cp1251.h"
#include "skin/CoolControls.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>

#include <algorithm>

namespace {
struct CursorStep {
    int key;
    int dc, dr;
};
constexpr CursorStep kCursorSteps[] = {
    {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};

// The visible palette button that carries the typed letter in the current alphabet, whatever
// its case, or null.
TCoolBtn* paletteButtonFor(const QString& text, const LetterPalette& palette) {
    const QString capital = text.toUpper();
    if (capital.size() != 1)
        return nullptr;
    return palette.buttonFor(UnicodeToCp1251(capital));
}
} // namespace

bool TMainWindow::FieldKeyPressed(const QKeyEvent& key) {
    // Shortcuts with Ctrl or Alt belong to the menu and the desktop.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const auto step = std::find_if(std::begin(kCursorSteps), std::end(kCursorSteps),
                                   [&](const CursorStep& s) { return s.key == key.key(); });
    const bool arrow = step != std::end(kCursorSteps);
    const bool click =
        key.key() == Qt::Key_Space || key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const bool stepBack = key.key() == Qt::Key_Backspace;
    // With the focus on the palette the arrows move its mark and Space or Enter chooses.
    const bool inPalette = (arrow || click) && palette_->hasFocus();
    // The skip and hint buttons, beside F2's new game.
    TCoolBtn* command = key.key() == Qt::Key_F3   ? SkipButton
                        : key.key() == Qt::Key_F4 ? AdviceButton
                                                  : nullptr;
    TCoolBtn* letter = nullptr;
    if (!arrow && !click && !stepBack && !command) {
        letter = paletteButtonFor(key.text(), *palette_);
        // With a Latin layout a game whose language has a layout of its own takes the letter
        // that layout has there.
        const auto letterAtKey = LanguageOf(services_.words().Language).letterAtKey;
        if (!letter && letterAtKey)
            if (const auto mapped = letterAtKey(key.nativeScanCode(), key.text()))
                letter =
                    paletteButtonFor(Cp1251ToUnicode(std::string(1, char(*mapped))), *palette_);
        if (!letter)
            return false;
    }
    // The right button's gate, and nothing at all while the computer is thinking.
    if (!services_.game().MainInputEnabled || model_.phase() == MovePhase::Computer ||
        QApplication::activeModalWidget())
        return true;
    if (arrow) {
        if (inPalette)
            palette_->moveCurrent(step->dc, step->dr);
        else
            MoveCursor(step->dc, step->dr);
        return true;
    }
    // A held key is one press, as a held mouse button is one click.
    if (key.isAutoRepeat())
        return true;
    if (command) {
        // Only what a click could reach: the hint is hidden once used.
        if (command->isEnabled() && command->isVisibleTo(this))
            command->click();
    } else if (inPalette) {
        lettersOnMouseDown(palette_->button(palette_->current())->Caption());
    } else if (click) {
        if (pointer_.CursorShown)
            poleOnClick(board_->cell(pointer_.CursorCol, pointer_.CursorRow));
    } else if (stepBack) {
        AppOnMessage();
    } else {
        lettersOnMouseDown(letter->Caption());
    }
    return true;
}

void TMainWindow::MoveCursor(int dc, int dr) {
    // The first arrow only brings the cursor out, where it was left.
    if (!pointer_.CursorShown) {
        ShowCursor();
        return;
    }
    const auto col = static_cast<uint16_t>(std::clamp(pointer_.CursorCol + dc, 1, kFieldSide));
    const auto row = static_cast<uint16_t>(std::clamp(pointer_.CursorRow + dr, 1, kFieldSide));
    if (col == pointer_.CursorCol && row == pointer_.CursorRow)
        return;
    poleMouseLeave(board_->cell(pointer_.CursorCol, pointer_.CursorRow));
    pointer_.CursorCol = col;
    pointer_.CursorRow = row;
    Tpole* cell = board_->cell(col, row);
    board_->cursorFrame()->move(cell->pos());
    poleMouseEnter(cell);
}

// Tab brings the cursor out with the field's focus and takes it away when the focus moves on;
// a dialog or a click elsewhere leaves it as it was.
void TMainWindow::FieldFocusGained(Qt::FocusReason reason) {
    if (!pointer_.CursorShown && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::PopupFocusReason && reason != Qt::MouseFocusReason)
        ShowCursor();
}

void TMainWindow::FieldFocusLost(Qt::FocusReason reason) {
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
        HideCursor();
}

void TMainWindow::ShowCursor() {
    // The pointer's preview gives way to the cursor's.
    if (pointer_.OverCell)
        poleMouseLeave(board_->cell(pointer_.HoverCol, pointer_.HoverRow));
    pointer_.CursorShown = true;
    pointerWhenShown_ = QCursor::pos();
    Tpole* cell = board_->cell(pointer_.CursorCol, pointer_.CursorRow);
    board_->cursorFrame()->setGeometry(cell->geometry());
    board_->cursorFrame()->raise();
    board_->cursorFrame()->show();
    poleMouseEnter(cell);
}

void TMainWindow::HideCursor() {
    if (!pointer_.CursorShown)
        return;
    pointer_.CursorShown = false;
    board_->cursorFrame()->hide();
    poleMouseLeave(board_->cell(pointer_.CursorCol, pointer_.CursorRow));
    if (pointerCell_)
        poleMouseEnter(pointerCell_);
}

void TMainWindow::RefreshCursorPreview() {
    if (pointer_.CursorShown)
        poleMouseEnter(board_->cell(pointer_.CursorCol, pointer_.CursorRow));
}

void TMainWindow::ResetCursor() {
    HideCursor();
    pointer_.CursorCol = pointer_.CursorRow = kMiddleCell;
}

// While the cursor is shown the pointer's comings and goings over the cells are only noted.
void TMainWindow::PointerEnteredCell(Tpole* cell) {
    pointerCell_ = cell;
    if (!pointer_.CursorShown)
        poleMouseEnter(cell);
}

void TMainWindow::PointerLeftCell(Tpole* cell) {
    if (pointerCell_ == cell)
        pointerCell_ = nullptr;
    if (!pointer_.CursorShown)
        poleMouseLeave(cell);
}

void TMainWindow::PointerActiveOverCell(QObject* watched, QEvent* event) {
    if (!pointer_.CursorShown)
        return;
    auto* cell = qobject_cast<Tpole*>(watched);
    if (!cell)
        return;
    // A window appearing or closing under a resting pointer is no move of the mouse.
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (event->type() == QEvent::MouseMove &&
        mouse->globalPosition().toPoint() == pointerWhenShown_)
        return;
    pointerCell_ = cell;
    HideCursor();
}
