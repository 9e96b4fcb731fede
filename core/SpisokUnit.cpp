#include "core/SpisokUnit.h"

#include "skin/CoolControls.h"

std::array<std::string, kPlayedWordSlots> PlayedWords;
uint16_t Scores[3] = {0, 0, 0};
TCoolLabel* SheetLabels[3][kSheetLines + 1] = {};
TCoolLabel* ScoreDisplays[3] = {};

void ClearPlayedWords() {
    for (std::string& slot : PlayedWords)
        slot.clear();
}

void PushPlayedWord(const std::string& word) {
    for (int k = kPlayedWordSlots - 1; k >= 1; --k)
        PlayedWords[k] = PlayedWords[k - 1];
    PlayedWords[0] = word;
}

bool IsWordPlayedIn(const std::array<std::string, kPlayedWordSlots>& played,
                    std::string_view word) {
    if (word.empty())
        return false;
    for (const std::string& slot : played)
        if (slot == word)
            return true;
    return false;
}

bool IsWordPlayed(std::string_view word) {
    return IsWordPlayedIn(PlayedWords, word);
}

static std::string threeDigits(unsigned score) {
    std::string text = std::to_string(score / 100);
    text += static_cast<char>('0' + (score / 10) % 10);
    text += static_cast<char>('0' + score % 10);
    return text;
}

void ShowScores() {
    for (int player = 1; player <= 2; ++player)
        if (ScoreDisplays[player])
            ScoreDisplays[player]->SetCaption(threeDigits(Scores[player]));
}

void AddPlayerWord(uint16_t player, const std::string& word) {
    Scores[player] = static_cast<uint16_t>(Scores[player] + word.size());
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
    Scores[1] = Scores[2] = 0;
    ShowScores();
}
