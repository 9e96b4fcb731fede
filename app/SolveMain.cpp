// vorda2000-solve: the computer's move search without a window, for checking a position by
// hand and for scripts.
//
//   vorda2000-solve --library FILE --language 1|2 --strength N [--hint] [--played WORD]...
//                   ROW1 ROW2 ROW3 ROW4 ROW5
//
// Prints four lines in UTF-8: the word, the new letter's cell (column and row, 1-based), the
// word's cells in order, and the number of steps walked. Exit 0, or 2 on bad arguments or a
// library that cannot be read.

#include "core/LanguageUnit.h"
#include "core/SearchUnit.h"
#include "core/SpisokUnit.h"
#include "core/WordsUnit.h"
#include "platform/Cp1251.h"
#include "platform/VordaError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int kExitBadArguments = 2;
constexpr int kRows = 5;
constexpr int kMinStrength = 1;
constexpr int kMaxStrength = 6;
// The strength dialog's strengths 1..6 allow words of 3..8 letters.
constexpr int kStrengthToLength = 2;

// The capitals a language's boards and words are written in.
struct LanguageAlphabet {
    const LanguageInfo& language;
    char16_t first; // the capitals first..last, in Unicode
    char16_t last;
    const char* description;
};

const LanguageAlphabet kAlphabets[] = {
    {LanguageOf(kRussian), u'А', u'Я', "Russian capitals А..Я"},
    {LanguageOf(kEnglish), u'A', u'Z', "English capitals A..Z"},
};

struct BadArguments {
    QString message;
};

[[noreturn]] void fail(const QString& message) {
    throw BadArguments{message};
}

int parseNumber(const QString& text, const QString& option, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        fail(QStringLiteral("--%1 must be a number from %2 to %3, not \"%4\"")
                 .arg(option)
                 .arg(low)
                 .arg(high)
                 .arg(text));
    return value;
}

// The Windows-1251 bytes of a text made only of the language's capitals (and "?" when
// allowed).
std::string letters(const QString& text, const LanguageAlphabet& alphabet, bool freeCells,
                    const QString& what) {
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        const bool letter = u >= alphabet.first && u <= alphabet.last;
        if (!letter && !(freeCells && u == kFreeCell))
            fail(QStringLiteral("%1 \"%2\" may hold only %3%4")
                     .arg(what, text, QString::fromUtf8(alphabet.description),
                          freeCells ? QStringLiteral(" and \"?\" for a free cell") : QString()));
    }
    return UnicodeToCp1251(text);
}

QByteArray utf8(std::string_view bytes) {
    return Cp1251ToUnicode(bytes).toUtf8();
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
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Finds the computer's move on a Vorda 2000 field."));
    const QCommandLineOption libraryOption(QStringLiteral("library"),
                                           QStringLiteral("The word library file."),
                                           QStringLiteral("FILE"));
    const QCommandLineOption languageOption(
        QStringLiteral("language"), QStringLiteral("1 Russian, 2 English."), QStringLiteral("1|2"));
    const QCommandLineOption strengthOption(
        QStringLiteral("strength"), QStringLiteral("1..6: the longest word has N + 2 letters."),
        QStringLiteral("N"));
    const QCommandLineOption hintOption(
        QStringLiteral("hint"), QStringLiteral("Search as a hint: words up to 10 letters."));
    const QCommandLineOption playedOption(QStringLiteral("played"),
                                          QStringLiteral("A word already played; may repeat."),
                                          QStringLiteral("WORD"));
    parser.addOptions({libraryOption, languageOption, strengthOption, hintOption, playedOption});
    parser.addPositionalArgument(QStringLiteral("ROW1..ROW5"),
                                 QStringLiteral("The field's rows from the top, five letters "
                                                "each, \"?\" for a free cell."));
    const QCommandLineOption helpOption = parser.addHelpOption();

    if (!parser.parse(arguments))
        fail(parser.errorText());
    if (parser.isSet(helpOption)) {
        std::fputs(parser.helpText().toUtf8().constData(), stdout);
        return 0;
    }
    for (const QCommandLineOption* required : {&libraryOption, &languageOption, &strengthOption})
        if (!parser.isSet(*required))
            fail(QStringLiteral("--%1 is required").arg(required->names().constFirst()));
    for (const QCommandLineOption* single : {&libraryOption, &languageOption, &strengthOption})
        if (parser.values(*single).size() > 1)
            fail(QStringLiteral("--%1 may be given only once").arg(single->names().constFirst()));

    const int language =
        parseNumber(parser.value(languageOption), QStringLiteral("language"), 1, 2);
    const LanguageAlphabet& alphabet = kAlphabets[language - 1];
    const int strength = parseNumber(parser.value(strengthOption), QStringLiteral("strength"),
                                     kMinStrength, kMaxStrength);

    const QStringList rowTexts = parser.positionalArguments();
    if (rowTexts.size() != kRows)
        fail(QStringLiteral("expected %1 rows, got %2").arg(kRows).arg(rowTexts.size()));
    std::array<std::string, kRows> rowBytes;
    std::array<std::string_view, kRows> rows;
    for (int r = 0; r < kRows; ++r) {
        const QString what = QStringLiteral("row %1").arg(r + 1);
        if (rowTexts[r].size() != kRows)
            fail(QStringLiteral("%1 \"%2\" must have five characters").arg(what, rowTexts[r]));
        rowBytes[r] = letters(rowTexts[r], alphabet, true, what);
        rows[r] = rowBytes[r];
    }

    std::array<std::string, kPlayedWordSlots> played;
    const QStringList playedTexts = parser.values(playedOption);
    if (playedTexts.size() > kPlayedWordSlots)
        fail(QStringLiteral("at most %1 played words").arg(kPlayedWordSlots));
    for (int i = 0; i < playedTexts.size(); ++i) {
        if (playedTexts[i].isEmpty())
            fail(QStringLiteral("--played needs a word"));
        played[i] = letters(playedTexts[i], alphabet, false, QStringLiteral("played word"));
    }

    TWords words;
    words.Language = alphabet.language.Number;
    words.FirstLetter = alphabet.language.FirstLetter;
    try {
        LoadWordsFromFile(words, parser.value(libraryOption));
    } catch (const VordaError& error) {
        fail(error.text());
    }

    SearchLimits limits;
    limits.language = alphabet.language.Number;
    limits.firstLetter = alphabet.language.FirstLetter;
    limits.maxWordLength = uint16_t(strength + kStrengthToLength);
    limits.hintMode = parser.isSet(hintOption);
    printResult(FindBestWord(*LetterGridFromRows(rows), words, played, limits, nullptr));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    try {
        return solve(QCoreApplication::arguments());
    } catch (const BadArguments& bad) {
        const QByteArray text = "vorda2000-solve: " + bad.message.toUtf8() +
                                "\nusage: vorda2000-solve --library FILE --language 1|2 "
                                "--strength N [--hint] [--played WORD]... ROW1 ROW2 ROW3 ROW4 "
                                "ROW5\n";
        std::fputs(text.constData(), stderr);
        return kExitBadArguments;
    }
}
