#pragma once

#include "core/PlayedWords.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>

// The command line of vorda2000-solve, read into what the search needs:
//
//   vorda2000-solve --library FILE --language 1|2 --strength N [--hint] [--everyday]
//                   [--ranks FILE] [--played WORD]... ROW1 ROW2 ROW3 ROW4 ROW5
//   vorda2000-solve --help | --version

// A command line that cannot be used; the message says why.
struct SolveArgumentsError {
    QString message;
};

struct SolveRequest {
    bool help = false; // --help or --version was given: print helpText and nothing else
    QString helpText;
    QString library;       // the word library file
    uint16_t language = 0; // a number of the language table
    int strength = 0;      // 1..6: the longest word has strength + 2 letters
    bool hint = false;     // search as a hint: words up to 10 letters
    bool everyday = false; // everyday words first (SearchLimits::everydayOnly)
    // The ranks file: --ranks, or the language's ranks file beside the library when it exists;
    // empty, every word is rarest.
    QString ranks;
    std::array<std::string, 5> rows; // five Windows-1251 letters or "?" each, the top row first
    std::array<std::string, kPlayedWordSlots> played; // Windows-1251 capitals, "" when unused
};

// The arguments as QCoreApplication::arguments() gives them, the program's name first. Raises
// SolveArgumentsError on anything the solver cannot use: a missing or repeated option, a number out
// of range, a row that is not five of the language's capitals or "?", a played word with other
// characters, too many played words.
SolveRequest parseSolveArguments(const QStringList& arguments);
