#pragma once

#include "skin/CoolDialog.h"

#include "extras/GameDialogs.h"

#include <string>

class TCoolBtn;
class TCoolLabel;

// The small question window: "add this word to the library?", and the records window's
// clearing confirmations. The caller sets the two texts (Windows-1251) before showing it.
extern std::string ChoiceCaption;
extern std::string ChoiceQuestion;

constexpr int kChoiceYes = 6;
constexpr int kChoiceNo = 7;

class TChoiceWindow : public TCoolDialog {
    Q_OBJECT
public:
    explicit TChoiceWindow(QWidget* parent = nullptr);

    TCoolLabel* QuestionLabel = nullptr;
    TCoolBtn* YesButton = nullptr;
    TCoolBtn* NoButton = nullptr;

    void FormActivate() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyWindowTextures() override;
};

// Shows the question window modally and returns its result: kChoiceYes, kChoiceNo, or
// another value when it was closed otherwise.
int ShowChoiceWindow();
