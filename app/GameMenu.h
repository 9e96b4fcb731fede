#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;
struct WordLibrary;

// The main window's menu bar, its menus and items: made with their pictures (drawn when a
// menu first opens), shortcuts and check marks; the window connects the items to its commands.
// Captions come from the current language's texts under the settings keys listed by captions().
class GameMenu {
public:
    // The menus and items are made as children of the window.
    explicit GameMenu(QWidget* window);

    QMenuBar* menuBar = nullptr;
    QMenu* gameMenu = nullptr;
    QAction* newGameItem = nullptr;
    QAction* takeBackItem = nullptr;
    QAction* bestWordsItem = nullptr;
    QAction* recordsItem = nullptr;
    QAction* gameSeparator = nullptr;
    QAction* exitItem = nullptr;
    QMenu* optionsMenu = nullptr;
    QMenu* languageMenu = nullptr;
    // The two first rows of the language table by name.
    QAction* russianItem = nullptr;
    QAction* englishItem = nullptr;
    QAction* strengthItem = nullptr;
    QAction* texturesItem = nullptr;
    QAction* soundItem = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* howToPlayItem = nullptr;
    QAction* aboutItem = nullptr;
    QAction* helpSeparator = nullptr;
    QAction* homePageItem = nullptr;
    QAction* authorSite1Item = nullptr;
    QAction* authorSite2Item = nullptr;
    QAction* createShortcutItem = nullptr;

    // The language items, one for each row of the language table, in its order.
    const std::vector<QAction*>& languageItems() const { return languageItems_; }
    QAction* languageItem(uint16_t language) const;

    // Each menu and menu item with the settings key of its caption, the language items
    // included. The keys are the settings file's and never change, whatever the items are
    // called in the code.
    struct Caption {
        QObject* item; // a QMenu or a QAction
        const char* key;
    };
    std::vector<Caption> captions() const;

    // The text of a settings key in the current language (Windows-1251).
    using TextOf = std::function<std::string(std::string_view key)>;
    // Every caption from the texts, then the mnemonics; the language items add their
    // library's word count.
    void applyTexts(const TextOf& text, const WordLibrary& words);
    void refreshLanguageItems(const TextOf& text, const WordLibrary& words);
    // F10: the menu bar takes the keyboard with its first menu open.
    void open();

private:
    std::vector<QAction*> languageItems_;
};
