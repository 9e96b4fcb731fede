#include "core/SpisokUnit.h"

#include "core/GameState.h"

void ClearPlayedWords() {
    for (std::string& slot : Game.PlayedWords)
        slot.clear();
}

void PushPlayedWord(const std::string& word) {
    for (int k = kPlayedWordSlots - 1; k >= 1; --k)
        Game.PlayedWords[k] = Game.PlayedWords[k - 1];
    Game.PlayedWords[0] = word;
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
    return IsWordPlayedIn(Game.PlayedWords, word);
}

std::string ScoreText(unsigned score) {
    std::string text = std::to_string(score / 100);
    text += static_cast<char>('0' + (score / 10) % 10);
    text += static_cast<char>('0' + score % 10);
    return text;
}
