#include "core/PlayedWords.h"

void pushPlayedWord(PlayedWords& played, const std::string& word) {
    for (int k = kPlayedWordSlots - 1; k >= 1; --k)
        played[k] = played[k - 1];
    played[0] = word;
}

bool isWordPlayedIn(const PlayedWords& played, std::string_view word) {
    if (word.empty())
        return false;
    for (const std::string& slot : played)
        if (slot == word)
            return true;
    return false;
}

std::string scoreText(unsigned score) {
    std::string text = std::to_string(score / 100);
    text += static_cast<char>('0' + (score / 10) % 10);
    text += static_cast<char>('0' + score % 10);
    return text;
}
