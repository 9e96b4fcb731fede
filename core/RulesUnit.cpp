#include "core/RulesUnit.h"

bool GameEnded(const LetterGrid& field, int32_t passCount) {
    if (passCount >= 2)
        return true;
    for (const auto& column : field.cells)
        for (const LetterCell& cell : column)
            if (cell.letter == kFreeCell)
                return false;
    return true;
}

bool IsPathStep(int lastColumn, int lastRow, int column, int row) {
    const int dc = column - lastColumn;
    const int dr = row - lastRow;
    return dc * dc + dr * dr == 1;
}

HumanWordVerdict JudgeHumanWord(const std::string& word, const TWords& words,
                                const PlayedWords& played) {
    const size_t length = word.size();
    // A window whose start-up failed may confirm an empty word: refused like one letter.
    if (length < kMinWordLength || length > kMaxWordLength || IsWordPlayedIn(played, word))
        return HumanWordVerdict::Refused;
    return FindWord(words, word, static_cast<uint16_t>(length)) ? HumanWordVerdict::Accepted
                                                                : HumanWordVerdict::Unknown;
}
