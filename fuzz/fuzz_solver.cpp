// The solver's command line and board: any arguments are refused with a message or give a
// request whose rows make a board, and the search on that board keeps to its rules.

#include "fuzz/FuzzSupport.h"

#include "core/LanguageTable.h"
#include "core/MoveSearch.h"
#include "core/SolveArguments.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"

#include <QStringList>

#include <cstdlib>
#include <cstring>

namespace {

// A few words of each language, so the search has something to find.
const WordLibrary& library(uint16_t language) {
    static WordLibrary libraries[3];
    WordLibrary& words = libraries[language];
    if (words.language == 0) {
        words.language = language;
        const char* const english[] = {"AT",  "HOUSE", "HORSE", "SHORE", "HOUSES", "EAT",  "TEA",
                                       "SEA", "EASE",  "ERASE", "STONE", "NOTES",  "ONSET"};
        const char* const russian[] = {"ДОМ", "КОТ", "ТОК",  "КОШКА", "МОРЕ", "ДОМА",
                                       "ТОМ", "РОТ", "ТОРТ", "СЛОВО", "ОКНО"};
        if (language == 1)
            for (const char* word : russian)
                words.lists[unicodeToCp1251(QString::fromUtf8(word)).size()].insert(
                    unicodeToCp1251(QString::fromUtf8(word)));
        else
            for (const char* word : english)
                words.lists[std::strlen(word)].insert(word);
    }
    return words;
}

bool isLetterOf(unsigned char c, const SolveRequest& request) {
    const LanguageInfo& language = languageOf(request.language);
    return c != 0 && language.letters.find(char(c)) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One argument a line, after the program's name.
    QStringList arguments{QStringLiteral("vorda2000-solve")};
    arguments += QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size))
                     .split(QLatin1Char('\n'));
    SolveRequest request;
    try {
        request = parseSolveArguments(arguments);
    } catch (const SolveArgumentsError& error) {
        FUZZ_CHECK(!error.message.isEmpty());
        return 0;
    }
    if (request.help) {
        FUZZ_CHECK(!request.helpText.isEmpty());
        return 0;
    }
    FUZZ_CHECK(request.language == 1 || request.language == 2);
    FUZZ_CHECK(request.strength >= 1 && request.strength <= 6);
    std::array<std::string_view, 5> rows;
    for (size_t r = 0; r < rows.size(); ++r) {
        rows[r] = request.rows[r];
        FUZZ_CHECK(rows[r].size() == 5);
        for (const char c : rows[r])
            FUZZ_CHECK(c == kFreeCell || isLetterOf(static_cast<unsigned char>(c), request));
    }
    for (const std::string& word : request.played)
        for (const char c : word)
            FUZZ_CHECK(isLetterOf(static_cast<unsigned char>(c), request));
    const std::optional<LetterGrid> grid = letterGridFromRows(rows);
    FUZZ_CHECK(grid.has_value());

    SearchLimits limits;
    limits.language = request.language;
    limits.maxWordLength = uint16_t(request.strength + 2);
    limits.hintMode = request.hint;
    const SearchResult result =
        findBestWord(*grid, library(request.language), request.played, limits, nullptr);
    if (!result.word.empty()) {
        // A word of the library, not yet played, through the new letter on a free cell.
        FUZZ_CHECK(findWord(library(request.language), result.word, uint16_t(result.word.size())));
        FUZZ_CHECK(!isWordPlayedIn(request.played, result.word));
        FUZZ_CHECK(result.column >= 0 && result.column < 5 && result.row >= 0 && result.row < 5);
        FUZZ_CHECK(rows[size_t(result.row)][size_t(result.column)] == kFreeCell);
        FUZZ_CHECK(result.pathLength == int(result.word.size()));
        // The path spells the word over neighbouring cells, each once, the new letter among
        // them.
        bool throughNewCell = false;
        for (int i = 0; i < result.pathLength; ++i) {
            const int column = result.path[size_t(2 * i)];
            const int row = result.path[size_t(2 * i + 1)];
            FUZZ_CHECK(column >= 0 && column < 5 && row >= 0 && row < 5);
            for (int j = 0; j < i; ++j)
                FUZZ_CHECK(column != result.path[size_t(2 * j)] ||
                           row != result.path[size_t(2 * j + 1)]);
            if (i > 0)
                FUZZ_CHECK(std::abs(column - result.path[size_t(2 * i - 2)]) +
                               std::abs(row - result.path[size_t(2 * i - 1)]) ==
                           1);
            if (column == result.column && row == result.row)
                throughNewCell = true;
            else
                FUZZ_CHECK(rows[size_t(row)][size_t(column)] == result.word[size_t(i)]);
        }
        FUZZ_CHECK(throughNewCell);
    }
    return 0;
}
