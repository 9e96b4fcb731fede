// Around a game rather than in it: the best words after a game, and the question before a
// change of the settings throws the game on the board away.
#include "app/MainWindow.h"
#include "extras/GameServices.h"

#include "core/GameReview.h"
#include "core/WordLibrary.h"
#include "extras/BestWordsWindow.h"
#include "extras/QuestionWindow.h"
#include "settings/SettingsFile.h"

#include <QAction>

void MainWindow::showBestWords() {
    if (finishedGame_.empty())
        return;
    showBestWordsWindow(dialogs_.bestWordsWindow(), reviewGame(finishedGame_, services_.words()));
}

bool MainWindow::gameInProgress() const {
    return model_.state().history.size() > 1 && !model_.isOver();
}

bool MainWindow::confirmNewGame() {
    if (!gameInProgress())
        return true;
    return showChoiceWindow(dialogs_.choiceWindow(), services_.languageText("Menu_NewGame"),
                            services_.languageText("NewGameQuestion")) == kChoiceYes;
}
