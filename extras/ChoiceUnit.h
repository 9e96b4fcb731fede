#pragma once

#include "skin/CoolDialog.h"

#include <string>

class GameServices;
class TCoolBtn;
class TCoolLabel;

// The small question window: "add this word to the library?", and the records window's
// clearing confirmations.
constexpr int kChoiceYes = 6;
constexpr int kChoiceNo = 7;

class TChoiceWindow : public TCoolDialog {
    Q_OBJECT
public:
    // The sound effects come from the services.
    TChoiceWindow(QWidget* parent, GameServices& services);

    TCoolLabel* QuestionLabel = nullptr;
    TCoolBtn* YesButton = nullptr;
    TCoolBtn* NoButton = nullptr;

    // The window's caption and question (Windows-1251), set by ShowChoiceWindow.
    std::string ChoiceCaption;
    std::string ChoiceQuestion;

    void FormActivate() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyWindowTextures() override;

    GameServices& services_;
};

// Shows the question window modally with the caption and the question (Windows-1251) and
// returns its result: kChoiceYes, kChoiceNo, or another value when it was closed otherwise.
int ShowChoiceWindow(TChoiceWindow& window, const std::string& caption,
                     const std::string& question);
