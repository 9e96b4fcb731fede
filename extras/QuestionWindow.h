#pragma once

#include "skin/CoolDialog.h"

#include <string>

class GameServices;
class CoolButton;
class CoolLabel;

// The small question window: "add this word to the library?", and the records window's
// clearing confirmations.
constexpr int kChoiceYes = 6;
constexpr int kChoiceNo = 7;

class QuestionWindow : public CoolDialog {
    Q_OBJECT
public:
    // The sound effects come from the services.
    QuestionWindow(QWidget* parent, GameServices& services);

    CoolLabel* questionLabel = nullptr;
    CoolButton* yesButton = nullptr;
    CoolButton* noButton = nullptr;

    // The window's caption and question (Windows-1251), set by showChoiceWindow.
    std::string captionText;
    std::string questionText;

    void prepareToShow() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyWindowTextures() override;

    GameServices& services_;
};

// Shows the question window, modal to the game, with the caption and the question
// (Windows-1251). Its answer comes with finished(): kChoiceYes, kChoiceNo, or another value
// when it was closed otherwise.
void showChoiceWindow(QuestionWindow& window, const std::string& caption,
                      const std::string& question);
