// The language: the switch between the languages and the interface texts of the current one
// on the window's menus, caption and buttons.
#include "app/MainWindow.h"
#include "extras/GameServices.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "app/MenuMnemonics.h"
#include "app/WordSheetsView.h"

#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "settings/SettingsFile.h"
#include "skin/CoolControls.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <iterator>
#include <utility>

void MainWindow::switchLanguage(uint16_t language) {
    QAction* item = menu_->languageItem(language);
    // The radio group has already moved the check mark when the item was triggered; the
    // language in use tells whether this is a change.
    if (services_.words().language == language) {
        item->setChecked(true);
        return;
    }
    // Until the switch has succeeded the old language keeps its mark (without one, another
    // item than the chosen).
    QAction* old = menu_->languageItem(services_.words().language);
    for (QAction* candidate : menu_->languageItems())
        if (!old && candidate != item)
            old = candidate;
    old->setChecked(true);
    // The game in progress is thrown away only when the player agrees; No leaves everything,
    // the check mark included, as it was.
    game_->confirmNewGame([this, language](bool yes) {
        if (yes)
            runReportingErrors([this, language] { changeLanguage(language); });
    });
}

void MainWindow::changeLanguage(uint16_t language) {
    QAction* item = menu_->languageItem(language);
    // What can fail comes first: the new library is read and checked aside, then the settings
    // are written. Only then does the game change language, so a failure leaves the language,
    // the captions, the game on the board and the settings file as they were.
    QStringList itemTexts;
    for (const QAction* languageItem : menu_->languageItems())
        itemTexts << languageItem->text();
    const uint16_t oldLanguage = services_.words().language;
    const std::string oldSection = services_.words().languageSection;
    WordLibrary next;
    next.language = language;
    next.wordCount = services_.words().wordCount;
    try {
        loadWords(next);
        checkStartWords(next);
        services_.words().language = language;
        services_.words().languageSection = languageOf(language).section;
        writeSettings(services_, this);
    } catch (...) {
        services_.words().language = oldLanguage;
        services_.words().languageSection = oldSection;
        // The load showed the new count already.
        for (size_t i = 0; i < menu_->languageItems().size(); ++i)
            menu_->languageItems()[i]->setText(itemTexts[qsizetype(i)]);
        throw;
    }
    std::swap(services_.words().lists, next.lists);
    services_.words().fileName = next.fileName;
    services_.words().wordCount[language] = next.wordCount[language];
    item->setChecked(true);
    // The finished game's best words are those of its own library.
    game_->forgetFinishedGame();
    {
        const SettingsFile::ReadingScope reading(services_.settingsFile());
        readSettings(services_, this);
        runReportingErrors([this] { checkLanguageTexts(services_); });
    }
    game_->newGame();
    resetPalette();
    game_->model().chooseLetter(std::string());
}

void MainWindow::checkLanguageItem(uint16_t language) {
    if (QAction* item = menu_->languageItem(language))
        item->setChecked(true);
}

void MainWindow::applyMenuTexts() {
    setWindowTitle(cp1251ToUnicode(services_.languageText("Title")));
    menu_->applyTexts([this](std::string_view key) { return services_.languageText(key); },
                      services_.words());
    applyAccessibleTexts();
}

void MainWindow::applyAccessibleTexts() {
    accessibleTexts_ = readAccessibleTexts(services_);
    board_->setAccessibleTexts(accessibleTexts_);
    sheets_->setAccessibleTexts(accessibleTexts_);
    palette_->setAccessibleName(accessibleTexts_.letters);
    face_->setAccessibleName(accessibleTexts_.computer);
    refreshWordAndHint();
}

void MainWindow::applyButtonTexts() {
    skipButton_->setCaption(services_.languageText("SkipButton"));
    hintButton_->setCaption(services_.languageText("AdviceButton"));
    fitCaptionFonts({skipButton_, hintButton_});
}
