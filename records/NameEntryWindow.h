#pragma once

#include "skin/CoolDialog.h"

#include <cstdint>

class QTimer;
class GameServices;
class CoolButton;
class CoolEdit;
class CoolLabel;

constexpr int kFaceTimerInterval = 150; // ms

// The name entry after every game: it shows the result (the human's score minus the
// computer's) and, when the result enters the current records list, asks for a name. On
// closing it offers the result to the list under the name typed.
class NameEntryWindow : public CoolDialog {
    Q_OBJECT
public:
    // The sound effects come from the services.
    NameEntryWindow(QWidget* parent, GameServices& services);

    CoolLabel* tooBadLabel = nullptr; // the large line for a result that does not qualify
    CoolLabel* resultLabel = nullptr; // the result line
    CoolLabel* promptLabel = nullptr; // the line above the name box
    CoolEdit* nameEdit = nullptr;     // the name box
    CoolButton* okButton = nullptr;
    QTimer* faceTimer = nullptr; // the face animation, every 150 ms for the window's whole life

    // The computer's face after a lost game: faceAnimating is true while the window is open
    // after such a game; faceFrame drives the gloating pictures and carries on from one lost
    // game to the next (it is never reset).
    bool faceAnimating = false;
    uint16_t faceFrame = 0;

    // The scores of the game just ended, set before the window shows.
    uint16_t humanScore = 0;
    uint16_t computerScore = 0;
    bool takenBack = false; // a move of the game was taken back: no result enters the records
    // The result of the game just ended, from the two scores.
    int32_t gameResult() const;

    void prepareToShow() override;
    void afterHide() override;
    void animateFace();

private:
    void applyWindowTextures() override;

    GameServices& services_;
};

// Shows the name entry, modal to the game, for a game that ended with these scores; it reports
// its close through finished().
void showNameEntry(NameEntryWindow& window, uint16_t humanScore, uint16_t computerScore,
                   bool takenBack = false);
