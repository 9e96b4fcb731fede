// The commands of the menu bar's items and shortcuts.
#include "app/MainWindow.h"

#include "core/LanguageTable.h"
#include "platform/ErrorBox.h"

#include <QAction>

// A menu command reports its errors itself, however it was triggered.
void MainWindow::connectCommand(QAction* item, void (MainWindow::*handler)()) {
    connect(item, &QAction::triggered, this,
            [this, handler] { runReportingErrors([this, handler] { (this->*handler)(); }); });
}

void MainWindow::createMenu() {
    menu_ = std::make_unique<GameMenu>(this);
    const GameMenu& m = *menu_;
    for (size_t i = 0; i < m.languageItems().size(); ++i) {
        const uint16_t number = kLanguageTable[i].number;
        connect(m.languageItems()[i], &QAction::triggered, this,
                [this, number] { runReportingErrors([this, number] { switchLanguage(number); }); });
    }
    // Shortcuts work while the pointer is anywhere in the window.
    for (QAction* item : {m.newGameItem, m.takeBackItem, m.exitItem, m.howToPlayItem, m.aboutItem})
        addAction(item);
    auto* menuBarKey = new QAction(this);
    menuBarKey->setShortcut(QKeySequence(Qt::Key_F10));
    addAction(menuBarKey);
    connect(menuBarKey, &QAction::triggered, this, [this] { menu_->open(); });
    auto* meaningKey = new QAction(this);
    meaningKey->setObjectName(QStringLiteral("MeaningKey"));
    meaningKey->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(meaningKey);
    connectCommand(meaningKey, &MainWindow::showComputerWordMeaning);

    connect(m.newGameItem, &QAction::triggered, game_,
            [this] { runReportingErrors([this] { game_->newGame(); }); });
    connect(m.takeBackItem, &QAction::triggered, game_,
            [this] { runReportingErrors([this] { game_->takeBack(); }); });
    connectCommand(m.bestWordsItem, &MainWindow::showBestWords);
    connectCommand(m.recordsItem, &MainWindow::showRecords);
    connectCommand(m.exitItem, &MainWindow::exitGame);
    connectCommand(m.strengthItem, &MainWindow::chooseStrength);
    connectCommand(m.texturesItem, &MainWindow::chooseTextures);
    connectCommand(m.homePageItem, &MainWindow::visitHomePage);
    connectCommand(m.authorSite1Item, &MainWindow::visitAuthorSite1);
    connectCommand(m.authorSite2Item, &MainWindow::visitAuthorSite2);
    connectCommand(m.howToPlayItem, &MainWindow::showHowToPlay);
    connectCommand(m.aboutItem, &MainWindow::showAbout);
    connectCommand(m.createShortcutItem, &MainWindow::createShortcut);
}
