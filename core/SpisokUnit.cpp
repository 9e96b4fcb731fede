#include "core/SpisokUnit.h"

std::array<std::string, kPlayedWordSlots> PlayedWords;
uint16_t Scores[3] = {0, 0, 0};

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

std::string ScoreText(unsigned score) {
    std::string text = std::to_string(score / 100);
    text += static_cast<char>('0' + (score / 10) % 10);
    text += static_cast<char>('0' + score % 10);
    return text;
}
