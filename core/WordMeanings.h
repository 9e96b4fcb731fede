#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What a word means: the short definitions a language ships beside its library (lines
// "WORD<TAB>definition" in Windows-1251, ";" comment lines), read only when a player asks, and
// the address of the word's page in the language's Wiktionary.

// The largest definitions file read.
constexpr qint64 kMaxMeaningsBytes = qint64(32) << 20;

// gameFolder() + the language's definitions file, or empty when the language has none.
QString meaningsPath(uint16_t language);

// The definition of the word (Windows-1251, compared without regard to case) in the file at
// `path`: nothing when the path is empty, the file cannot be read or does not list the word.
std::optional<std::string> findMeaning(const QString& path, std::string_view word);

// The word's page in the Wiktionary of the language: its address followed by the word in
// lower case, percent-encoded in UTF-8.
QString dictionaryAddress(uint16_t language, std::string_view word);
