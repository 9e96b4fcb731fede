#pragma once

#include <QString>

#include <array>
#include <string>
#include <string_view>

// Windows-1251 text. Game text (words, letters, settings values, language texts, record
// names) travels as Windows-1251 bytes; it becomes Unicode only where it meets the screen
// or the keyboard, through these two conversions.
QString cp1251ToUnicode(std::string_view bytes);
// Characters without a Windows-1251 code become "?".
std::string unicodeToCp1251(QStringView text);
// True when every character of the text has a Windows-1251 code.
bool fitsCp1251(QStringView text);

namespace cp1251_detail {
constexpr std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<unsigned char>(c - 32);
    for (int c = 0xE0; c <= 0xFF; ++c)
        t[c] = static_cast<unsigned char>(c - 32);
    // The other small Cyrillic letters of the code page and their capitals.
    constexpr unsigned char pairs[][2] = {{0xB8, 0xA8}, {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A},
                                          {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
                                          {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5}, {0xBA, 0xAA},
                                          {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD}};
    for (const auto& p : pairs)
        t[p[0]] = p[1];
    return t;
}
} // namespace cp1251_detail

inline constexpr std::array<unsigned char, 256> kCp1251Fold = cp1251_detail::makeFoldTable();

// The capital form of a Windows-1251 character: Latin a..z, Cyrillic а..я, ё and the other
// Cyrillic letters of the code page map to their capitals; every other byte maps to itself.
// Inline: the move search folds every letter of every word it looks up.
inline unsigned char cp1251FoldCase(unsigned char c) {
    return kCp1251Fold[c];
}

// The library's case-insensitive comparison (negative, 0, positive), used alike for
// sorting, searching and finding duplicates: the strings are compared byte by byte after
// folding, shorter first on a common prefix.
int cp1251CompareNoCase(std::string_view a, std::string_view b);
