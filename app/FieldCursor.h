#pragma once

#include "core/MoveSearch.h"

#include <QObject>
#include <QPoint>

#include <cstdint>

class BoardView;
class FieldCell;
class QEvent;

// Where the mouse pointer and the keyboard's cursor are over the field, cells 1-based, and
// which cell therefore previews the chosen letter. While the cursor is shown it stands for the
// pointer (the preview follows it); a new game hides it and brings it back to the middle. Tab
// brings the cursor out with the field's focus; a move of the mouse over a cell takes the
// preview back from it.
class FieldCursor : public QObject {
    Q_OBJECT
public:
    // Where the cursor appears first in a game.
    static constexpr uint16_t kMiddleCell = (kFieldSide + 1) / 2;

    // The board stays with its owner and outlives the cursor.
    FieldCursor(BoardView& board, QObject* parent);

    bool shown() const { return cursorShown_; }
    // The cursor's cell; meaningful while shown.
    FieldCell* cell() const;
    // The arrows: the first brings the cursor out where it was left, the next move it.
    void move(int dc, int dr);
    void hide();
    // Hidden and back in the middle.
    void reset();
    // The preview on the cell the pointer (or the cursor) stands on, or on none.
    void showPreviewUnderPointer();
    // The cursor's cell previews the letter again (a new letter was chosen).
    void refreshPreview();
    // Every mouse move or press over the window: over a cell it takes the preview back from
    // the cursor. The event goes on as usual.
    void pointerActiveOverCell(QObject* watched, QEvent* event);

private:
    void show();
    void cellEntered(FieldCell* cell);
    void cellLeft(FieldCell* cell);
    void pointerEnteredCell(FieldCell* cell);
    void pointerLeftCell(FieldCell* cell);
    void focusGained(Qt::FocusReason reason);
    void focusLost(Qt::FocusReason reason);

    BoardView& board_;
    uint16_t hoverCol_ = 0, hoverRow_ = 0; // the cell the pointer entered last
    bool overCell_ = false;                // the pointer is over one of the cells
    bool cursorShown_ = false;
    uint16_t cursorCol_ = kMiddleCell, cursorRow_ = kMiddleCell;
    QPoint pointerWhenShown_;          // the pointer's screen position when the cursor appeared
    FieldCell* pointerCell_ = nullptr; // the cell under the mouse pointer, whoever owns the preview
};
