#include "core/Rules.h"

bool isGameOver(const LetterGrid& field, int32_t passCount) {
    if (passCount >= 2)
        return true;
    for (const auto& column : field.cells)
        for (const LetterCell& cell : column)
            if (cell.letter == kFreeCell)
                return false;
    return true;
}

bool isPathStep(int lastColumn, int lastRow, int column, int row) {
    const int dc = column - lastColumn;
    const int dr = row - lastRow;
    return dc * dc + dr * dr == 1;
}

HumanWordVerdict judgeHumanWord(const std::string& word, const WordLibrary& words,
                                const PlayedWords& played) {
    const size_t length = word.size();
    // A window whose start-up failed may confirm an empty word: refused like one letter.
    if (length < kMinWordLength || length > kMaxWordLength || isWordPlayedIn(played, word))
        return HumanWordVerdict::Refused;
    return findWord(words, word, static_cast<uint16_t>(length)) ? HumanWordVerdict::Accepted
                                                                : HumanWordVerdict::Unknown;
}
