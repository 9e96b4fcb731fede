#include "app/AccessibleTexts.h"

#include "extras/GameServices.h"
#include "platform/Cp1251.h"

AccessibleTexts readAccessibleTexts(const GameServices& services) {
    const auto text = [&services](const char* key) {
        return cp1251ToUnicode(services.languageText(key));
    };
    AccessibleTexts texts;
    texts.empty = text("AccEmpty");
    texts.selected = text("AccSelected");
    texts.newLetter = text("AccNewLetter");
    texts.field = text("AccField");
    texts.letters = text("AccLetters");
    texts.word = text("AccWord");
    texts.scores[0] = text("AccYourScore");
    texts.scores[1] = text("AccComputerScore");
    texts.sheets[0] = text("AccYourWords");
    texts.sheets[1] = text("AccComputerWords");
    texts.computer = text("AccComputer");
    texts.computerMove = text("AccComputerMove");
    texts.computerPass = text("AccComputerPass");
    return texts;
}

QString cellPositionName(int column, int row) {
    return QChar(char16_t(u'A' + column)) + QString::number(row + 1);
}
