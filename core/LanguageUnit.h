#pragma once

#include <cstdint>
#include <string_view>

// The game's two languages and everything that differs between them, in one table.
struct LanguageInfo {
    uint16_t Number;              // 1 Russian, 2 English: "LanguageNumber", the records' index
    std::string_view Section;     // the settings file's section of the interface texts
    unsigned char FirstLetter;    // Windows-1251 code of the alphabet's first capital
    int AlphabetSize;             // the capitals from FirstLetter on: palette and search trials
    std::string_view LibraryFile; // the word library, below the program folder
    int PaletteLeft;              // the palette rows' left end in the main window's client area
    const char* MenuItem;         // the language item's name and its text's settings key
    int MenuPicture;              // the language item's picture (":/menu/<n>")
};

constexpr uint16_t kRussian = 1;
constexpr uint16_t kEnglish = 2;

inline constexpr LanguageInfo kLanguageTable[] = {
    {kRussian, "Russian", 192, 32, "DATA/Lib.RUS", 21, "Menu_Russian", 8},
    {kEnglish, "English", 65, 26, "DATA/Lib.ENG", 73, "Menu_English", 9},
};

// The language of a number: 1 is Russian, every other number English, so the library, the
// records and the settings only ever see 1 or 2.
constexpr const LanguageInfo& LanguageOf(uint16_t number) {
    return number == kRussian ? kLanguageTable[0] : kLanguageTable[1];
}
