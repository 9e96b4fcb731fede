#pragma once

#include "core/GameState.h"
#include "skin/CoolDialog.h"

#include <cstdint>

class GameServices;
class CoolButton;
class CoolCheckBox;
class CoolLabel;
class CoolTrackBar;

// The computer's strength is the session's maxWordLength (core/GameState.h).

// The strength window: a slider from 3 (weak, left) to 8 (strong, right), and below it the
// choice of everyday words only. Every change takes effect at once; the OK button is the only
// way out.
class StrengthWindow : public CoolDialog {
    Q_OBJECT
public:
    // The strength is the services' session's.
    StrengthWindow(QWidget* parent, GameServices& services);

    CoolTrackBar* strengthBar = nullptr;
    CoolLabel* weakLabel = nullptr;
    CoolLabel* strongLabel = nullptr;
    CoolButton* okButton = nullptr;
    CoolCheckBox* everydayBox = nullptr; // the session's everydayWords

    void prepareToShow() override;
    void strengthChanged();

private:
    void showCaption();

    GameServices& services_;
};
