#pragma once

#include "skin/CoolDialog.h"

#include <cstdint>

class QTimer;
class GameServices;
class TCoolBtn;
class TCoolEdit;
class TCoolLabel;

constexpr int kFaceTimerInterval = 150; // ms

// The name entry after every game: it shows the result (the human's score minus the
// computer's) and, when the result enters the current records list, asks for a name. On
// closing it offers the result to the list under the name typed.
class TAddRatingWindow : public TCoolDialog {
    Q_OBJECT
public:
    // The sound effects come from the services.
    TAddRatingWindow(QWidget* parent, GameServices& services);

    TCoolLabel* CoolLabel3 = nullptr; // the large line for a result that does not qualify
    TCoolLabel* CoolLabel1 = nullptr; // the result line
    TCoolLabel* CoolLabel2 = nullptr; // the line above the name box
    TCoolEdit* Edit1 = nullptr;       // the name box
    TCoolBtn* CoolOkButton = nullptr;
    QTimer* Timer1 = nullptr; // the face animation, every 150 ms for the window's whole life

    // The computer's face after a lost game: FaceAnimating is true while the window is open
    // after such a game; FaceFrame drives the gloating pictures and carries on from one lost
    // game to the next (it is never reset).
    bool FaceAnimating = false;
    uint16_t FaceFrame = 0;

    // The scores of the game just ended, set before the window shows.
    uint16_t HumanScore = 0;
    uint16_t ComputerScore = 0;
    bool TakenBack = false; // a move of the game was taken back: no result enters the records
    // The result of the game just ended, from the two scores.
    int32_t Result() const;

    void FormActivate() override;
    void FormDeactivate() override;
    void Timer1Timer();

private:
    void ApplyWindowTextures() override;

    GameServices& services_;
};

// Shows the name entry modally for a game that ended with these scores.
void ShowNameEntry(TAddRatingWindow& window, uint16_t humanScore, uint16_t computerScore,
                   bool takenBack = false);
