// Around a game rather than in it: the best words after a game, and the question before a
// change of the settings throws the game on the board away.
#include "app/MainUnit.h"
#include "extras/GameServices.h"

#include "core/GameReview.h"
#include "core/WordsUnit.h"
#include "extras/BestWordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "settings/INIUnit.h"

#include <QAction>

void TMainWindow::Menu_BestWordsClick() {
    if (finishedGame_.empty())
        return;
    ShowBestWordsWindow(dialogs_.BestWordsWindow(), ReviewGame(finishedGame_, services_.words()));
}

bool TMainWindow::GameInProgress() const {
    return model_.state().history.size() > 1 && !model_.isOver();
}

bool TMainWindow::ConfirmNewGame() {
    if (!GameInProgress())
        return true;
    return ShowChoiceWindow(dialogs_.ChoiceWindow(), services_.languageText("Menu_NewGame"),
                            services_.languageText("NewGameQuestion")) == kChoiceYes;
}
