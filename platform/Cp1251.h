#pragma once

#include <QString>

#include <string>
#include <string_view>

// Windows-1251 text. Game text (words, letters, settings values, language texts, record
// names) travels as Windows-1251 bytes; it becomes Unicode only where it meets the screen
// or the keyboard, through these two conversions.
QString Cp1251ToUnicode(std::string_view bytes);
// Characters without a Windows-1251 code become "?".
std::string UnicodeToCp1251(QStringView text);

// The capital form of a Windows-1251 character: Latin a..z, Cyrillic а..я, ё and the other
// Cyrillic letters of the code page map to their capitals; every other byte maps to itself.
unsigned char Cp1251FoldCase(unsigned char c);

// The library's case-insensitive comparison (negative, 0, positive), used alike for
// sorting, searching and finding duplicates: the strings are compared byte by byte after
// folding, shorter first on a common prefix.
int Cp1251CompareNoCase(std::string_view a, std::string_view b);
