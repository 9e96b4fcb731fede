#pragma once

#include "core/SearchUnit.h"
#include "skin/CoolControls.h"

#include <cstdint>

// One cell of the field: a skinned label whose caption is its letter (one Windows-1251
// character, or empty).
class Tpole : public TCoolLabel {
    Q_OBJECT
public:
    explicit Tpole(QWidget* parent = nullptr);

    bool Filled = false;  // the letter belongs to the board
    bool Selected = true; // highlighted as a letter of the word; a new cell starts selected,
                          // so the first new game gives it its wallpaper by unselecting it
    uint16_t Col = 0;     // 1..5, from the left
    uint16_t Row = 0;     // 1..5, from the top

    // Highlights the cell: selected-cell texture (slot 2) and light green letter.
    void Select();
    // Back to the cell texture (slot 1) and a black letter.
    void Unselect();

signals:
    void mouseEntered(Tpole* cell);
    void mouseLeft(Tpole* cell);
    void clicked(Tpole* cell);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

inline const QColor kSelectedLetterColour{196, 255, 212};

// The cells of the main window, [column][row], both 1..kFieldSide; index 0 is unused.
extern Tpole* FieldGrid[kFieldSide + 1][kFieldSide + 1];

// Calls action(cell) for every cell of the field, column by column, each from the top.
template <typename Action> void ForEachCell(Action&& action) {
    for (int c = 1; c <= kFieldSide; ++c)
        for (int r = 1; r <= kFieldSide; ++r)
            action(FieldGrid[c][r]);
}

// The one conversion between the cells and a LetterGrid (0-based there). FieldLetters holds
// the letters of the filled cells, every other cell free and nothing visited; a preview or a
// placed letter not yet played is not on the board.
LetterGrid FieldLetters();
// Shows a grid on the cells: its letters as captions, its visited cells selected.
void ShowGridOnField(const LetterGrid& grid);
