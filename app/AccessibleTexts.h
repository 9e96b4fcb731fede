#pragma once

#include <QString>

class GameServices;

// What screen readers say about the main window's self-drawn parts, in the current language:
// read once when the language's texts are applied, not at every change of the game.
struct AccessibleTexts {
    QString empty;        // a free cell, an empty word or sheet
    QString selected;     // a cell of the word being selected
    QString newLetter;    // the cell of the letter placed in this move
    QString field;        // the field as a whole
    QString letters;      // the letter palette
    QString word;         // before the word being formed
    QString scores[2];    // the human's, the computer's
    QString sheets[2];    // the human's words, the computer's
    QString computer;     // the computer's face before it has played
    QString computerMove; // "%1" the word, "%2" its score
    QString computerPass; // the computer found no word
};

// The texts of the current language (Windows-1251 in the settings, with built-in fallbacks).
AccessibleTexts readAccessibleTexts(const GameServices& services);

// "B3": the column as a letter A–E from the left, the row as a number 1–5 from the top; both
// 0-based here.
QString cellPositionName(int column, int row);
