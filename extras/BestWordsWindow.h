#pragma once

#include "skin/CoolDialog.h"

#include "core/GameReview.h"
#include "extras/GameDialogs.h"

#include <QStringList>

#include <vector>

class GameServices;
class CoolButton;
class CoolLabel;
class CoolListBox;
class MeaningWindow;

// The best words window: every turn of the game just played, who played it, the word and its
// points, and the longest word that player could have played there; the turns that matched it
// are marked and written in another colour. Read-only: the OK button or Esc closes it. The
// Meaning button (or a double click on a turn) tells what the chosen turn's word means: the
// word played, or the best word of a pass.
class BestWordsWindow : public CoolDialog {
    Q_OBJECT
public:
    // The texts come from the services.
    BestWordsWindow(QWidget* parent, GameServices& services);

    static constexpr int kColumnCount = 5;
    CoolLabel* heads[kColumnCount] = {};
    CoolListBox* turnList = nullptr;
    CoolButton* okButton = nullptr;
    CoolButton* meaningButton = nullptr;

    // The turns shown, set by showBestWordsWindow.
    std::vector<TurnReview> turns;

    // The caption, the column heads and the lines in the current language.
    void prepareToShow() override;
    // The window telling what a word means, made at its first use.
    MeaningWindow& meaningWindow();

signals:
    // The meaning window's "Look it up": the address to open.
    void lookUpRequested(const QString& address);

private:
    void applyWindowTextures() override;
    void showMeaning();
    MeaningWindow* meaningWindow_ = nullptr;

    GameServices& services_;
};

// One line for each turn, its columns separated by tabs: who, the word ("passed" for a pass),
// its points, the best word ("none" without one) and the mark of a turn that matched the best.
QStringList bestWordsLines(const GameServices& services, const std::vector<TurnReview>& turns);

// Shows the window, modal to the game, with these turns.
void showBestWordsWindow(BestWordsWindow& window, const std::vector<TurnReview>& turns);
