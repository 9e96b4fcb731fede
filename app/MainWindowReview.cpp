// Around a game rather than in it: the best words after a game.
#include "app/MainWindow.h"
#include "extras/GameServices.h"

#include "core/GameReview.h"
#include "core/WordLibrary.h"
#include "extras/BestWordsWindow.h"
#include "settings/SettingsFile.h"

#include <QAction>

void MainWindow::showBestWords() {
    if (game_->finishedGame().empty())
        return;
    showBestWordsWindow(dialogs_.bestWordsWindow(),
                        reviewGame(game_->finishedGame(), services_.words()));
}
