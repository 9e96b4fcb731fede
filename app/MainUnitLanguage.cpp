// The language: the switch between the languages and the interface texts of the current one
// on the window's menus, caption and buttons.
#include "app/MainUnit.h"
#include "extras/GameServices.h"

#include "app/BoardView.h"
#include "app/ComputerFace.h"
#include "app/MenuMnemonics.h"
#include "app/WordSheetsView.h"

#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "settings/INIUnit.h"
#include "skin/CoolControls.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <iterator>
#include <utility>

QAction* TMainWindow::LanguageItem(uint16_t language) const {
    for (size_t i = 0; i < languageItems_.size(); ++i)
        if (kLanguageTable[i].Number == language)
            return languageItems_[i];
    return nullptr;
}

void TMainWindow::SwitchLanguage(uint16_t language) {
    QAction* item = LanguageItem(language);
    // The radio group has already moved the check mark when the item was triggered; the
    // language in use tells whether this is a change.
    if (services_.words().Language == language) {
        item->setChecked(true);
        return;
    }
    // Until the switch has succeeded the old language keeps its mark (without one, another
    // item than the chosen).
    QAction* old = LanguageItem(services_.words().Language);
    for (QAction* candidate : languageItems_)
        if (!old && candidate != item)
            old = candidate;
    old->setChecked(true);
    // The game in progress is thrown away only when the player agrees; No leaves everything,
    // the check mark included, as it was.
    if (!ConfirmNewGame())
        return;
    // What can fail comes first: the new library is read and checked aside, then the settings
    // are written. Only then does the game change language, so a failure leaves the language,
    // the captions, the game on the board and the settings file as they were.
    QStringList itemTexts;
    for (const QAction* languageItem : languageItems_)
        itemTexts << languageItem->text();
    const uint16_t oldLanguage = services_.words().Language;
    const std::string oldSection = services_.words().LanguageSection;
    TWords next;
    next.Language = language;
    next.WordCount = services_.words().WordCount;
    try {
        LoadWords(next);
        CheckStartWords(next);
        services_.words().Language = language;
        services_.words().LanguageSection = LanguageOf(language).Section;
        WriteSettings(services_, this);
    } catch (...) {
        services_.words().Language = oldLanguage;
        services_.words().LanguageSection = oldSection;
        // The load showed the new count already.
        for (size_t i = 0; i < languageItems_.size(); ++i)
            languageItems_[i]->setText(itemTexts[qsizetype(i)]);
        throw;
    }
    std::swap(services_.words().Lists, next.Lists);
    services_.words().FileName = next.FileName;
    services_.words().WordCount[language] = next.WordCount[language];
    item->setChecked(true);
    // The finished game's best words are those of its own library.
    finishedGame_.clear();
    Menu_BestWords->setEnabled(false);
    {
        const TVordaIniFile::ReadingScope reading(services_.settingsFile());
        ReadSettings(services_, this);
        RunReportingErrors([this] { CheckLanguageTexts(services_); });
    }
    Menu_NewGameClick();
    Normalize_Letters();
    model_.chooseLetter(std::string());
}

void TMainWindow::CheckLanguageItem(uint16_t language) {
    if (QAction* item = LanguageItem(language))
        item->setChecked(true);
}

void TMainWindow::SetMenuText(QAction* item, const char* key) {
    const std::string text = services_.languageText(key);
    // A separator is an item whose text is "-". It keeps no text: the menu would draw it
    // before the line.
    const bool separator = text == "-";
    item->setSeparator(separator);
    item->setText(separator ? QString() : Cp1251ToUnicode(text));
}

void TMainWindow::ApplyMenuTexts() {
    setWindowTitle(Cp1251ToUnicode(services_.languageText("Title")));
    for (QMenu* menu : {Menu_Game, Menu_Options, Menu_Chooselanguage, Menu_Help})
        menu->setTitle(Cp1251ToUnicode(services_.languageText(menu->objectName().toStdString())));
    for (QAction* item :
         {Menu_NewGame, Menu_TakeBack, Menu_BestWords, Menu_Records, Menu_None1, Menu_Exit,
          Menu_CPU, Menu_Textures, Menu_Sound, Menu_Help1, Menu_About, Menu_none2, Menu_Visit,
          Menu_Pelmarov1, Menu_Pelmarov2, Menu_CreateShortcut})
        SetMenuText(item, item->objectName().toLatin1().constData());
    RefreshLanguageItems(services_.words());
    ApplyMnemonics();
    ApplyAccessibleTexts();
}

void TMainWindow::ApplyMnemonics() {
    AddMnemonics(MainMenu1->actions());
    for (QMenu* menu : {Menu_Game, Menu_Options, Menu_Chooselanguage, Menu_Help})
        AddMnemonics(menu->actions());
}

void TMainWindow::ApplyAccessibleTexts() {
    accessibleTexts_ = ReadAccessibleTexts(services_);
    board_->setAccessibleTexts(accessibleTexts_);
    sheets_->setAccessibleTexts(accessibleTexts_);
    palette_->setAccessibleName(accessibleTexts_.letters);
    face_->setAccessibleName(accessibleTexts_.computer);
    RefreshWordAndHint();
}

void TMainWindow::RefreshLanguageItems(const TWords& words) {
    for (size_t i = 0; i < languageItems_.size(); ++i)
        languageItems_[i]->setText(
            Cp1251ToUnicode(services_.languageText(kLanguageTable[i].MenuItem) + " " +
                            std::to_string(words.WordCount[kLanguageTable[i].Number])));
    AddMnemonics(Menu_Chooselanguage->actions());
}

void TMainWindow::ApplyButtonTexts() {
    SkipButton->SetCaption(services_.languageText("SkipButton"));
    AdviceButton->SetCaption(services_.languageText("AdviceButton"));
    FitCaptionFonts({SkipButton, AdviceButton});
}
