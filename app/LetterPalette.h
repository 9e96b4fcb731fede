#pragma once

#include "core/LanguageUnit.h"

#include <QWidget>

#include <string>

class GameModel;
class TCoolBtn;

// The letter palette below the field: two rows of the current language's capitals. It marks
// the model's chosen letter and reports presses; the model decides what a press does.
class LetterPalette : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtons = int(kMaxAlphabetSize);
    static constexpr int kButtonSize = 34;

    LetterPalette(const GameModel& model, QWidget* parent);

    // Lays the buttons out for the language: its letters, centred under the field.
    void setLanguage(const LanguageInfo& language);
    // The button 1..kButtons; hidden ones are not in the alphabet.
    TCoolBtn* button(int index) const { return buttons_[index]; }
    // The visible button that carries the letter (Windows-1251), or null.
    TCoolBtn* buttonFor(const std::string& letter) const;
    // Marks the chosen letter and gives the others their look back.
    void refresh();
    void applyTextures();

signals:
    void letterPressed(const std::string& letter);

private:
    const GameModel& model_;
    TCoolBtn* buttons_[kButtons + 1] = {};
};
