#pragma once

#include "core/KeyPositions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The game's languages and everything that differs between them, one row each. A new language
// is a row here, its library and ranks files and its section of texts in the settings file.
struct LanguageInfo {
    uint16_t number;              // "LanguageNumber", the records' index: the row's place, from 1
    std::string_view section;     // the settings file's section of the interface texts
    std::string_view libraryFile; // the word library, below the program folder
    std::string_view ranksFile;   // the tiers of the library's words, below the program folder
    // The short definitions of the library's words, below the program folder; empty where the
    // game has none.
    std::string_view meaningsFile;
    // The Wiktionary of the language: its address before the percent-encoded word.
    std::string_view dictionaryAddress;
    int paletteLeft;      // the palette rows' left end in the main window's client area
    const char* menuItem; // the language item's name and its text's settings key
    int menuPicture;      // the language item's picture (":/menu/<n>")
    // The capitals in Windows-1251, in palette order, which is also the order the computer
    // tries them in; at most 32, the palette's two rows.
    std::string_view letters;
    // The letter the language's own keyboard layout puts on a key, so the game can be played
    // with a Latin layout; null where the letters are typed as they are.
    std::optional<unsigned char> (*letterAtKey)(quint32 nativeScanCode, QStringView text);
};

constexpr uint16_t kRussian = 1;
constexpr uint16_t kEnglish = 2;

inline constexpr LanguageInfo kLanguageTable[] = {
    {kRussian, "Russian", "DATA/Lib.RUS", "DATA/Ranks.RUS", "", "https://ru.wiktionary.org/wiki/",
     21, "Menu_Russian", 8,
     "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
     "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF",
     russianLetterAtKey},
    {kEnglish, "English", "DATA/Lib.ENG", "DATA/Ranks.ENG", "DATA/Meanings.ENG",
     "https://en.wiktionary.org/wiki/", 73, "Menu_English", 9, "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
     nullptr},
};

constexpr int kLanguageCount = int(std::size(kLanguageTable));
// The most letters a language may have: the palette's two rows of 16.
constexpr size_t kMaxAlphabetSize = 32;

constexpr bool languageTableIsWellFormed() {
    for (int i = 0; i < kLanguageCount; ++i)
        if (kLanguageTable[i].number != i + 1 || kLanguageTable[i].letters.empty() ||
            kLanguageTable[i].letters.size() > kMaxAlphabetSize)
            return false;
    return true;
}
static_assert(languageTableIsWellFormed(),
              "languages are numbered 1, 2, ... in table order and have 1..32 letters");

// The row a settings file, a saved game or the solver's command line may name.
constexpr bool isLanguageNumber(int number) {
    return number >= 1 && number <= kLanguageCount;
}

// The language that an unknown "LanguageNumber" selects, so the library, the records and the
// settings only ever see a number of the table.
constexpr uint16_t kFallbackLanguage = kEnglish;

// The row of a language number; a number outside the table gives the fallback language's row.
constexpr const LanguageInfo& languageOf(int number) {
    return kLanguageTable[(isLanguageNumber(number) ? number : kFallbackLanguage) - 1];
}
