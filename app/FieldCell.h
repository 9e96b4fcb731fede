#pragma once

#include "core/MoveSearch.h"
#include "skin/CoolControls.h"

#include <cstdint>

// One cell of the field: a skinned label whose caption is its letter (one Windows-1251
// character, or empty). The board view (app/BoardView.h) sets its caption, Filled and
// Selected from the game model; nothing reads the game back from a cell.
class FieldCell : public CoolLabel {
    Q_OBJECT
public:
    explicit FieldCell(QWidget* parent = nullptr);

    bool filled = false;  // the letter belongs to the board
    bool selected = true; // highlighted as a letter of the word; a new cell starts selected,
                          // so the first new game gives it its wallpaper by unselecting it
    uint16_t col = 0;     // 1..5, from the left
    uint16_t row = 0;     // 1..5, from the top

    // Highlights the cell: selected-cell texture (slot 2) and light green letter.
    void select();
    // Back to the cell texture (slot 1) and a black letter.
    void unselect();
    // What a click of the mouse does; screen readers press the cell through it.
    void click() { emit clicked(this); }
    // The name screen readers give the cell: its position, letter and state.
    void setSpokenName(const QString& name);

signals:
    void mouseEntered(FieldCell* cell);
    void mouseLeft(FieldCell* cell);
    void clicked(FieldCell* cell);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void announceSelection();

    bool pressed_ = false;
};

inline const QColor kSelectedLetterColour{196, 255, 212};
