#pragma once

#include "core/SearchUnit.h"
#include "skin/CoolControls.h"

#include <cstdint>

// One cell of the field: a skinned label whose caption is its letter (one Windows-1251
// character, or empty). The board view (app/BoardView.h) sets its caption, Filled and
// Selected from the game model; nothing reads the game back from a cell.
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
    // What a click of the mouse does; screen readers press the cell through it.
    void Click() { emit clicked(this); }
    // The name screen readers give the cell: its position, letter and state.
    void SetSpokenName(const QString& name);

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
    void announceSelection();

    bool pressed_ = false;
};

inline const QColor kSelectedLetterColour{196, 255, 212};
