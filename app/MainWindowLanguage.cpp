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

QAction* MainWindow::languageItem(uint16_t language) const {
    for (size_t i = 0; i < languageItems_.size(); ++i)
        if (kLanguageTable[i].number == language)
            return languageItems_[i];
    return nullptr;
}

void MainWindow::switchLanguage(uint16_t language) {
    QAction* item = languageItem(language);
    // The radio group has already moved the check mark when the item was triggered; the
    // language in use tells whether this is a change.
    if (services_.words().language == language) {
        item->setChecked(true);
        return;
    }
    // Until the switch has succeeded the old language keeps its mark (without one, another
    // item than the chosen).
    QAction* old = languageItem(services_.words().language);
    for (QAction* candidate : languageItems_)
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
    QAction* item = languageItem(language);
    // What can fail comes first: the new library is read and checked aside, then the settings
    // are written. Only then does the game change language, so a failure leaves the language,
    // the captions, the game on the board and the settings file as they were.
    QStringList itemTexts;
    for (const QAction* languageItem : languageItems_)
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
        for (size_t i = 0; i < languageItems_.size(); ++i)
            languageItems_[i]->setText(itemTexts[qsizetype(i)]);
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
    if (QAction* item = languageItem(language))
        item->setChecked(true);
}

void MainWindow::setMenuText(QAction* item, const char* key) {
    const std::string text = services_.languageText(key);
    // A separator is an item whose text is "-". It keeps no text: the menu would draw it
    // before the line.
    const bool separator = text == "-";
    item->setSeparator(separator);
    item->setText(separator ? QString() : cp1251ToUnicode(text));
}

void MainWindow::applyMenuTexts() {
    setWindowTitle(cp1251ToUnicode(services_.languageText("Title")));
    for (const MenuCaption& caption : menuCaptions()) {
        if (auto* menu = qobject_cast<QMenu*>(caption.item))
            menu->setTitle(cp1251ToUnicode(services_.languageText(caption.key)));
        else
            setMenuText(static_cast<QAction*>(caption.item), caption.key);
    }
    // The language items add their library's word count to the text.
    refreshLanguageItems(services_.words());
    applyMnemonics();
    applyAccessibleTexts();
}

void MainWindow::applyMnemonics() {
    addMnemonics(menuBar->actions());
    for (QMenu* menu : {gameMenu, optionsMenu, languageMenu, helpMenu})
        addMnemonics(menu->actions());
}

void MainWindow::applyAccessibleTexts() {
    accessibleTexts_ = readAccessibleTexts(services_);
    board_->setAccessibleTexts(accessibleTexts_);
    sheets_->setAccessibleTexts(accessibleTexts_);
    palette_->setAccessibleName(accessibleTexts_.letters);
    face_->setAccessibleName(accessibleTexts_.computer);
    refreshWordAndHint();
}

void MainWindow::refreshLanguageItems(const WordLibrary& words) {
    for (size_t i = 0; i < languageItems_.size(); ++i)
        languageItems_[i]->setText(
            cp1251ToUnicode(services_.languageText(kLanguageTable[i].menuItem) + " " +
                            std::to_string(words.wordCount[kLanguageTable[i].number])));
    addMnemonics(languageMenu->actions());
}

void MainWindow::applyButtonTexts() {
    skipButton->setCaption(services_.languageText("SkipButton"));
    hintButton->setCaption(services_.languageText("AdviceButton"));
    fitCaptionFonts({skipButton, hintButton});
}
