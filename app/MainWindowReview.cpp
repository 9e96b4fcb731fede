// Around a game rather than in it: the best words after a game.
#include "app/MainWindow.h"
#include "extras/GameServices.h"

#include "core/GameReview.h"
#include "core/WordLibrary.h"
#include "extras/BestWordsWindow.h"
#include "extras/MeaningWindow.h"
#include "settings/SettingsFile.h"

#include <QAction>

#include <algorithm>

void MainWindow::showBestWords() {
    if (game_->finishedGame().empty())
        return;
    BestWordsWindow& window = dialogs_.bestWordsWindow();
    connect(&window, &BestWordsWindow::lookUpRequested, this, &MainWindow::openAddress,
            Qt::UniqueConnection);
    showBestWordsWindow(window, reviewGame(game_->finishedGame(), services_.words()));
}

void MainWindow::showComputerWordMeaning() {
    // The word of the computer's last move in this game.
    const GameModel& model = game_->model();
    const auto& history = model.state().history;
    const auto last = std::find_if(history.rbegin(), history.rend(), [](const MoveRecord& move) {
        return move.player == Player::Computer && !move.word.empty();
    });
    if (last == history.rend() || model.phase() == MovePhase::Computer)
        return;
    MeaningWindow& window = dialogs_.meaningWindow();
    connect(&window, &MeaningWindow::lookUpRequested, this, &MainWindow::openAddress,
            Qt::UniqueConnection);
    window.showWord(last->word);
}
