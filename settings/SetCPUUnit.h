#pragma once

#include "core/GameState.h"
#include "skin/CoolDialog.h"

#include <cstdint>

class GameServices;
class TCoolBtn;
class TCoolLabel;
class TCoolTrackBar;

// The computer's strength is the session's MaxWordLength (core/GameState.h).

// The strength window: a slider from 3 (weak, left) to 8 (strong, right). Every move of the
// slider takes effect at once; the OK button is the only way out.
class TSetCPUWindow : public TCoolDialog {
    Q_OBJECT
public:
    // The strength is the services' session's.
    TSetCPUWindow(QWidget* parent, GameServices& services);

    TCoolTrackBar* StrongBar = nullptr;
    TCoolLabel* Label1 = nullptr;
    TCoolLabel* Label2 = nullptr;
    TCoolBtn* CoolOKButton = nullptr;

    void FormActivate() override;
    void StrongBarChange();

private:
    void ShowCaption();

    GameServices& services_;
};
