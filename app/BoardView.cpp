#include "app/BoardView.h"

#include "app/FieldCell.h"
#include "extras/TextureChoice.h"
#include "skin/CoolControls.h"

#include <QFocusEvent>
#include <QPainter>

namespace {

// A frame around one cell, drawn over it: a bright band between two dark lines, so that it
// stands out on light and dark cell textures alike. The mouse passes through it to the cell.
class CursorFrameWidget : public QWidget {
public:
    explicit CursorFrameWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QColor dark(40, 20, 0);
        const QColor bright(255, 170, 0);
        constexpr int kBand = 3;
        QPainter painter(this);
        const QRect outline = rect().adjusted(0, 0, -1, -1);
        painter.setPen(dark);
        painter.drawRect(outline);
        painter.drawRect(outline.adjusted(kBand + 1, kBand + 1, -kBand - 1, -kBand - 1));
        painter.setPen(bright);
        for (int i = 1; i <= kBand; ++i)
            painter.drawRect(outline.adjusted(i, i, -i, -i));
    }
};
} // namespace

BoardView::BoardView(const GameModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    resize(kFieldSide * kCellSize, kFieldSide * kCellSize);
    setFocusPolicy(Qt::TabFocus);
    for (int c = 1; c <= kFieldSide; ++c) {
        for (int r = 1; r <= kFieldSide; ++r) {
            auto* cell = new FieldCell(this);
            cell->col = static_cast<uint16_t>(c);
            cell->row = static_cast<uint16_t>(r);
            cell->selected = true;
            cell->setGeometry(kCellSize * (c - 1), kCellSize * (r - 1), kCellSize, kCellSize);
            cell->setBevels(BevelKind::Raised, BevelKind::Raised);
            cell->setSimpleView(true);
            cell->setAlignment(Qt::AlignCenter);
            cell->setFont(coolFont(pointsToPixels(19)));
            cell->setFontColor(Qt::black);
            connect(cell, &FieldCell::clicked, this, &BoardView::cellClicked);
            connect(cell, &FieldCell::mouseEntered, this, &BoardView::cellEntered);
            connect(cell, &FieldCell::mouseLeft, this, &BoardView::cellLeft);
            cells_[c - 1][r - 1] = cell;
        }
    }
    cursorFrame_ = new CursorFrameWidget(this);
    connect(&model_, &GameModel::changed, this, &BoardView::refresh);
}

void BoardView::setPreviewCell(int col, int row) {
    if (col == previewCol_ && row == previewRow_)
        return;
    previewCol_ = col;
    previewRow_ = row;
    refresh();
}

void BoardView::setSearchBoard(const std::optional<LetterGrid>& grid) {
    searchBoard_ = grid;
    refresh();
}

void BoardView::refresh() {
    const GameState& game = model_.state();
    const LetterGrid shown = searchBoard_ ? *searchBoard_ : model_.boardWithMove();
    const bool previewing = !searchBoard_ && game.phase == MovePhase::Placing &&
                            !game.chosenLetter.empty() && previewCol_ > 0;
    for (int c = 0; c < kFieldSide; ++c) {
        for (int r = 0; r < kFieldSide; ++r) {
            FieldCell* cell = cells_[c][r];
            const CellPos at{c, r};
            char letter = shown.cells[c][r].letter;
            if (previewing && letter == kFreeCell && c == previewCol_ - 1 && r == previewRow_ - 1)
                letter = game.chosenLetter[0];
            const bool selected =
                searchBoard_ ? shown.cells[c][r].visited != 0 : model_.onWordPath(at);
            cell->filled = model_.isFilled(at);
            if (selected)
                cell->select();
            else
                cell->unselect();
            cell->setCaption(letter == kFreeCell ? std::string() : std::string(1, letter));
            // The preview under the pointer is no letter of the board.
            cell->setSpokenName(spokenName(at, shown.cells[c][r].letter, selected));
            // Only letters not on the board change colour with the timer.
            if (!selected && (letter == kFreeCell || cell->filled))
                cell->setFontColor(Qt::black);
        }
    }
}

QString BoardView::spokenName(const CellPos& at, char letter, bool selected) const {
    const GameState& game = model_.state();
    QString name = cellPositionName(at.column, at.row) + QStringLiteral(", ") +
                   (letter == kFreeCell ? texts_.empty : cp1251ToUnicode(std::string(1, letter)));
    if (selected)
        name += QStringLiteral(", ") + texts_.selected;
    if (!searchBoard_ && game.phase == MovePhase::Selecting && game.placed == at)
        name += QStringLiteral(", ") + texts_.newLetter;
    return name;
}

void BoardView::setAccessibleTexts(const AccessibleTexts& texts) {
    texts_ = texts;
    setAccessibleName(texts.field);
    refresh();
}

void BoardView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    emit focusGained(event->reason());
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    emit focusLost(event->reason());
}

void BoardView::paintPendingLetters(const QColor& colour) {
    for (auto& column : cells_)
        for (FieldCell* cell : column)
            if (!cell->filled && !cell->caption().empty() && !cell->selected)
                cell->setFontColor(colour);
}

void BoardView::applyTextures() {
    for (auto& column : cells_)
        for (FieldCell* cell : column)
            cell->setWallpaper(getTexture(cell->selected ? kSelectedCellSlot : kCellSlot));
}
