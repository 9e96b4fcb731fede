#pragma once

#include "skin/CoolDialog.h"

#include <string>

class GameServices;
class CoolButton;
class CoolLabel;
class CoolMemo;

// What a word means: the word, its short definition where the language ships definitions (or
// a line saying there is none), and a button that asks for the word's Wiktionary page. The
// definitions file is read each time a word is shown, never before. Opened with showWord;
// the OK button or Esc closes it.
class MeaningWindow : public CoolDialog {
    Q_OBJECT
public:
    // The language, the texts and the definitions come from the services.
    MeaningWindow(QWidget* parent, GameServices& services);

    CoolLabel* wordLabel = nullptr;
    CoolMemo* meaningText = nullptr;
    CoolButton* lookUpButton = nullptr;
    CoolButton* okButton = nullptr;

    // Shows the window (without waiting for it) for the word, Windows-1251.
    void showWord(const std::string& word);
    const std::string& word() const { return word_; }

    void prepareToShow() override;

signals:
    // "Look it up" was pressed: the address of the word's page, for the game to open.
    void lookUpRequested(const QString& address);

private:
    void applyWindowTextures() override;

    GameServices& services_;
    std::string word_;
};
