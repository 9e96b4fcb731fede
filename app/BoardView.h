#pragma once

#include "app/AccessibleTexts.h"
#include "core/GameModel.h"

#include <QWidget>

#include <optional>

class QColor;
class FieldCell;

// The field: 5 × 5 cells that draw the game model's board, the placed letter, the word being
// selected and the chosen letter's preview under the pointer; while the computer thinks, the
// search's best board so far instead. Also the keyboard cursor's frame. Cells count 1..5
// here, from the left and from the top. The field takes the focus by Tab (not by a click);
// screen readers know each cell by its position (columns A–E, rows 1–5), letter and state.
class BoardView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCellSize = 40;

    BoardView(const GameModel& model, QWidget* parent);

    FieldCell* cell(int col, int row) const { return cells_[col - 1][row - 1]; }
    QWidget* cursorFrame() const { return cursorFrame_; }

    // The cell whose free square shows the chosen letter while the human is placing; 0 for
    // none.
    void setPreviewCell(int col, int row);
    // While the computer's turn runs the field shows this board (letters and the path of the
    // best word so far) instead of the model's move; nullopt goes back to the model.
    void setSearchBoard(const std::optional<LetterGrid>& grid);
    // The rainbow of letters not on the board yet (the preview, the placed letter, the trial
    // letter), one colour per tick of the main timer.
    void paintPendingLetters(const QColor& colour);
    // Redraws every cell from the model.
    void refresh();
    // Cell textures after a change of textures.
    void applyTextures();
    // The cells' spoken names in the current language.
    void setAccessibleTexts(const AccessibleTexts& texts);

signals:
    void focusGained(Qt::FocusReason reason);
    void focusLost(Qt::FocusReason reason);
    void cellClicked(FieldCell* cell);
    void cellEntered(FieldCell* cell);
    void cellLeft(FieldCell* cell);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString spokenName(const CellPos& at, char letter, bool selected) const;

    const GameModel& model_;
    AccessibleTexts texts_;
    FieldCell* cells_[kFieldSide][kFieldSide] = {};
    QWidget* cursorFrame_ = nullptr;
    int previewCol_ = 0, previewRow_ = 0;
    std::optional<LetterGrid> searchBoard_;
};
