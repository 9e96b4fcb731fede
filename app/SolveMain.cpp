// vorda2000-solve: the computer's move search without a window, for checking a position by
// hand and for scripts.
//
//   vorda2000-solve --library FILE --language 1|2 --strength N [--hint] [--everyday]
//                   [--ranks FILE] [--played WORD]... ROW1 ROW2 ROW3 ROW4 ROW5
//
// Prints four lines in UTF-8: the word, the new letter's cell (column and row, 1-based), the
// word's cells in order, and the number of steps walked. Exit 0, or 2 on bad arguments or a
// library or ranks file that cannot be read. A ranks file with lines that cannot be read is
// used for the others, with a warning on the error output.

#include "core/MoveSearch.h"
#include "core/SolveArguments.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/VordaError.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int kExitBadArguments = 2;
// The strength dialog's strengths 1..6 allow words of 3..8 letters.
constexpr int kStrengthToLength = 2;

QByteArray utf8(std::string_view bytes) {
    return cp1251ToUnicode(bytes).toUtf8();
}

void printResult(const SearchResult& result) {
    QByteArray out = "word:";
    if (!result.word.empty())
        out += ' ' + utf8(result.word);
    out += "\ncell:";
    if (result.column >= 0)
        out +=
            ' ' + QByteArray::number(result.column + 1) + ' ' + QByteArray::number(result.row + 1);
    out += "\npath:";
    for (int i = 0; i < result.pathLength; ++i) {
        out += i == 0 ? " " : ", ";
        out += QByteArray::number(result.path[2 * i] + 1) + ' ' +
               QByteArray::number(result.path[2 * i + 1] + 1);
    }
    out += "\nwalks: " + QByteArray::number(qulonglong(result.walks)) + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
}

int solve(const QStringList& arguments) {
    const SolveRequest request = parseSolveArguments(arguments);
    if (request.help) {
        std::fputs(request.helpText.toUtf8().constData(), stdout);
        return 0;
    }

    WordLibrary words;
    words.language = request.language;
    try {
        loadWordsFromFile(words, request.library);
    } catch (const VordaError& error) {
        throw SolveArgumentsError{error.text()};
    }
    if (!request.ranks.isEmpty()) {
        readRanks(words, request.ranks);
        if (words.ranks == RanksState::Missing)
            throw SolveArgumentsError{
                QStringLiteral("cannot read the ranks file \"%1\"").arg(request.ranks)};
        if (words.ranks == RanksState::Damaged)
            std::fputs(QStringLiteral("vorda2000-solve: the ranks file \"%1\" has lines that "
                                      "cannot be read; they are passed over\n")
                           .arg(request.ranks)
                           .toUtf8()
                           .constData(),
                       stderr);
    }

    std::array<std::string_view, 5> rows;
    for (size_t r = 0; r < rows.size(); ++r)
        rows[r] = request.rows[r];
    SearchLimits limits;
    limits.language = request.language;
    limits.maxWordLength = uint16_t(request.strength + kStrengthToLength);
    limits.hintMode = request.hint;
    limits.everydayOnly = request.everyday;
    printResult(findBestWord(*letterGridFromRows(rows), words, request.played, limits, nullptr));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    try {
        return solve(QCoreApplication::arguments());
    } catch (const SolveArgumentsError& bad) {
        const QByteArray text = "vorda2000-solve: " + bad.message.toUtf8() +
                                "\nusage: vorda2000-solve --library FILE --language 1|2 "
                                "--strength N [--hint] [--everyday] [--ranks FILE] [--played "
                                "WORD]... ROW1 ROW2 ROW3 ROW4 ROW5\n";
        std::fputs(text.constData(), stderr);
        return kExitBadArguments;
    }
}
