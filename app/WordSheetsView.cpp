#include "app/WordSheetsView.h"

#include "skin/CoolControls.h"

TCoolLabel* SheetLabels[3][kSheetLines + 1] = {};
TCoolLabel* ScoreDisplays[3] = {};

void ShowScores() {
    for (int player = 1; player <= 2; ++player)
        if (ScoreDisplays[player])
            ScoreDisplays[player]->SetCaption(ScoreText(Game.Scores[player]));
}

void AddPlayerWord(uint16_t player, const std::string& word) {
    Game.Scores[player] = static_cast<uint16_t>(Game.Scores[player] + word.size());
    ShowScores();
    PushPlayedWord(word);
    if (!SheetLabels[player][1])
        return;
    for (int j = kSheetLines - 1; j >= 1; --j)
        SheetLabels[player][j + 1]->SetCaption(SheetLabels[player][j]->Caption());
    SheetLabels[player][1]->SetCaption(word);
}

void ClearSheets() {
    for (int player = 1; player <= 2; ++player)
        for (int line = 1; line <= kSheetLines; ++line)
            if (SheetLabels[player][line])
                SheetLabels[player][line]->SetCaption(std::string());
    Game.Scores[1] = Game.Scores[2] = 0;
    ShowScores();
}
