// The keyboard's cursor over the field and the mouse pointer's comings and goings: which cell
// shows the preview of the chosen letter.
#include "app/FieldCursor.h"

#include "app/BoardView.h"
#include "app/FieldCell.h"

#include <QCursor>
#include <QMouseEvent>

#include <algorithm>

FieldCursor::FieldCursor(BoardView& board, QObject* parent) : QObject(parent), board_(board) {
    connect(&board_, &BoardView::cellEntered, this, &FieldCursor::pointerEnteredCell);
    connect(&board_, &BoardView::cellLeft, this, &FieldCursor::pointerLeftCell);
    connect(&board_, &BoardView::focusGained, this, &FieldCursor::focusGained);
    connect(&board_, &BoardView::focusLost, this, &FieldCursor::focusLost);
}

// The free cell under the pointer shows the chosen letter while the human is placing.
void FieldCursor::showPreviewUnderPointer() {
    if (overCell_ && hoverCol_ >= 1 && hoverCol_ <= kFieldSide && hoverRow_ >= 1 &&
        hoverRow_ <= kFieldSide)
        board_.setPreviewCell(hoverCol_, hoverRow_);
    else
        board_.setPreviewCell(0, 0);
}

void FieldCursor::cellLeft(FieldCell*) {
    overCell_ = false;
    board_.setPreviewCell(0, 0);
}

void FieldCursor::cellEntered(FieldCell* cell) {
    hoverCol_ = cell->col;
    hoverRow_ = cell->row;
    overCell_ = true;
    board_.setPreviewCell(cell->col, cell->row);
}

void FieldCursor::move(int dc, int dr) {
    // The first arrow only brings the cursor out, where it was left.
    if (!cursorShown_) {
        show();
        return;
    }
    const auto col = static_cast<uint16_t>(std::clamp(cursorCol_ + dc, 1, kFieldSide));
    const auto row = static_cast<uint16_t>(std::clamp(cursorRow_ + dr, 1, kFieldSide));
    if (col == cursorCol_ && row == cursorRow_)
        return;
    cellLeft(board_.cell(cursorCol_, cursorRow_));
    cursorCol_ = col;
    cursorRow_ = row;
    FieldCell* cell = board_.cell(col, row);
    board_.cursorFrame()->move(cell->pos());
    cellEntered(cell);
}

// Tab brings the cursor out with the field's focus and takes it away when the focus moves on;
// a dialog or a click elsewhere leaves it as it was.
void FieldCursor::focusGained(Qt::FocusReason reason) {
    if (!cursorShown_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MouseFocusReason)
        show();
}

void FieldCursor::focusLost(Qt::FocusReason reason) {
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
        hide();
}

void FieldCursor::show() {
    // The pointer's preview gives way to the cursor's.
    if (overCell_)
        cellLeft(board_.cell(hoverCol_, hoverRow_));
    cursorShown_ = true;
    pointerWhenShown_ = QCursor::pos();
    FieldCell* cell = board_.cell(cursorCol_, cursorRow_);
    board_.cursorFrame()->setGeometry(cell->geometry());
    board_.cursorFrame()->raise();
    board_.cursorFrame()->show();
    cellEntered(cell);
}

void FieldCursor::hide() {
    if (!cursorShown_)
        return;
    cursorShown_ = false;
    board_.cursorFrame()->hide();
    cellLeft(board_.cell(cursorCol_, cursorRow_));
    if (pointerCell_)
        cellEntered(pointerCell_);
}

void FieldCursor::refreshPreview() {
    if (cursorShown_)
        cellEntered(board_.cell(cursorCol_, cursorRow_));
}

void FieldCursor::reset() {
    hide();
    cursorCol_ = cursorRow_ = kMiddleCell;
}

// While the cursor is shown the pointer's comings and goings over the cells are only noted.
void FieldCursor::pointerEnteredCell(FieldCell* cell) {
    pointerCell_ = cell;
    if (!cursorShown_)
        cellEntered(cell);
}

void FieldCursor::pointerLeftCell(FieldCell* cell) {
    if (pointerCell_ == cell)
        pointerCell_ = nullptr;
    if (!cursorShown_)
        cellLeft(cell);
}

void FieldCursor::pointerActiveOverCell(QObject* watched, QEvent* event) {
    if (!cursorShown_)
        return;
    auto* cell = qobject_cast<FieldCell*>(watched);
    if (!cell)
        return;
    // A window appearing or closing under a resting pointer is no move of the mouse.
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (event->type() == QEvent::MouseMove &&
        mouse->globalPosition().toPoint() == pointerWhenShown_)
        return;
    pointerCell_ = cell;
    hide();
}

FieldCell* FieldCursor::cell() const {
    return board_.cell(cursorCol_, cursorRow_);
}
