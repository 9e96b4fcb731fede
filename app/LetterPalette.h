#pragma once

#include "core/LanguageTable.h"

#include <QWidget>

#include <string>

class GameModel;
class CoolButton;

// The letter palette below the field: two rows of the current language's capitals. It marks
// the model's chosen letter and reports presses; the model decides what a press does.
// It takes the focus by Tab: a focus mark then stands on its current letter, which the arrow
// keys move (the window's key handler calls moveCurrent) and Space or Enter chooses.
class LetterPalette : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtons = int(kMaxAlphabetSize);
    static constexpr int kButtonSize = 34;

    LetterPalette(const GameModel& model, QWidget* parent);

    // Lays the buttons out for the language: its letters, centred under the field.
    void setLanguage(const LanguageInfo& language);
    // The button 1..kButtons; hidden ones are not in the alphabet.
    CoolButton* button(int index) const { return buttons_[index]; }
    // The visible button that carries the letter (Windows-1251), or null.
    CoolButton* buttonFor(const std::string& letter) const;
    // Marks the chosen letter and gives the others their look back.
    void refresh();
    void applyTextures();

    // The letter the focus mark stands on, 1..the alphabet's size.
    int current() const { return current_; }
    // Moves the focus mark by columns and rows of the palette, stopping at its edges.
    void moveCurrent(int dc, int dr);

signals:
    void letterPressed(const std::string& letter);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setCurrent(int index);
    void showFocusMark();

    const GameModel& model_;
    CoolButton* buttons_[kButtons + 1] = {};
    QWidget* focusMark_ = nullptr;
    int current_ = 1;
    int alphabetSize_ = 0;
    int perRow_ = 1;
};
