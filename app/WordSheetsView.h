#pragma once

#include "app/AccessibleTexts.h"
#include "core/PlayedWords.h"

class GameModel;
class QWidget;
class CoolLabel;
class CoolPanel;

// The word sheets on the main window: the two columns of the players' newest words on their
// panels and the two scores above them, drawn from the game model. Its labels are children of
// the client area given at its creation; they live as long as it does. Screen readers read
// each score and each sheet whole, by its accessible name.
class WordSheetsView {
public:
    WordSheetsView(const GameModel& model, QWidget* clientArea);

    // player 1 the human, 2 the computer; line 1..15, 1 on top.
    CoolLabel* line(int player, int line) const { return lines_[player - 1][line - 1]; }
    CoolLabel* score(int player) const { return scores_[player - 1]; }
    CoolPanel* panel(int player) const { return panels_[player - 1]; }
    void refresh();
    void setAccessibleTexts(const AccessibleTexts& texts);

private:
    const GameModel& model_;
    AccessibleTexts texts_;
    CoolPanel* panels_[2] = {};
    CoolLabel* lines_[2][kSheetLines] = {};
    CoolLabel* scores_[2] = {};
};
