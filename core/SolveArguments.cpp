#include "core/SolveArguments.h"

#include "core/LanguageTable.h"
#include "core/MoveSearch.h"
#include "platform/Cp1251.h"

#include "VordaVersion.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kRows = 5;
constexpr int kMinStrength = 1;
constexpr int kMaxStrength = 6;

// The capitals a language's boards and words are written in, as the messages name them:
// "Russian capitals А..Я".
struct LanguageAlphabet {
    explicit LanguageAlphabet(const LanguageInfo& row)
        : language(row), letters(cp1251ToUnicode(row.letters)),
          description(
              QStringLiteral("%1 capitals %2..%3")
                  .arg(QString::fromLatin1(row.section.data(), qsizetype(row.section.size())),
                       QString(letters.front()), QString(letters.back()))) {}
    const LanguageInfo& language;
    QString letters;
    QString description;
};

[[noreturn]] void fail(const QString& message) {
    throw SolveArgumentsError{message};
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
        const bool letter = alphabet.letters.contains(ch);
        if (!letter && !(freeCells && ch.unicode() == kFreeCell))
            fail(QStringLiteral("%1 \"%2\" may hold only %3%4")
                     .arg(what, text, alphabet.description,
                          freeCells ? QStringLiteral(" and \"?\" for a free cell") : QString()));
    }
    return unicodeToCp1251(text);
}

} // namespace

SolveRequest parseSolveArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Finds the computer's move on a Vorda 2000 field."));
    const QCommandLineOption libraryOption(QStringLiteral("library"),
                                           QStringLiteral("Required: the word library file."),
                                           QStringLiteral("FILE"));
    const QCommandLineOption languageOption(QStringLiteral("language"),
                                            QStringLiteral("Required: 1 Russian, 2 English."),
                                            QStringLiteral("1|2"));
    const QCommandLineOption strengthOption(
        QStringLiteral("strength"),
        QStringLiteral("Required: 1..6, the longest word has N + 2 letters."), QStringLiteral("N"));
    const QCommandLineOption hintOption(
        QStringLiteral("hint"), QStringLiteral("Search as a hint: words up to 10 letters."));
    const QCommandLineOption playedOption(QStringLiteral("played"),
                                          QStringLiteral("A word already played; may repeat."),
                                          QStringLiteral("WORD"));
    const QCommandLineOption ranksOption(
        QStringLiteral("ranks"),
        QStringLiteral("The library's ranks file; by default the language's ranks file beside "
                       "the library (Ranks.RUS, Ranks.ENG), when there is one."),
        QStringLiteral("FILE"));
    const QCommandLineOption everydayOption(
        QStringLiteral("everyday"),
        QStringLiteral("Everyday words only: a rarer word only when no everyday word fits."));
    parser.addOptions({libraryOption, languageOption, strengthOption, hintOption, playedOption,
                       ranksOption, everydayOption});
    parser.addPositionalArgument(QStringLiteral("ROW1..ROW5"),
                                 QStringLiteral("The field's rows from the top, five letters "
                                                "each, \"?\" for a free cell."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Print the version and exit."));
    parser.addOption(versionOption);

    SolveRequest request;
    if (!parser.parse(arguments))
        fail(parser.errorText());
    if (parser.isSet(helpOption)) {
        request.help = true;
        // The three options every search needs stand in the usage line itself.
        request.helpText = parser.helpText().replace(
            QStringLiteral(" [options] "),
            QStringLiteral(" --library FILE --language 1|2 --strength N [options] "));
        return request;
    }
    if (parser.isSet(versionOption)) {
        request.help = true;
        request.helpText = QStringLiteral("vorda2000-solve " VORDA_VERSION "\n");
        return request;
    }
    for (const QCommandLineOption* required : {&libraryOption, &languageOption, &strengthOption})
        if (!parser.isSet(*required))
            fail(QStringLiteral("--%1 is required").arg(required->names().constFirst()));
    for (const QCommandLineOption* single :
         {&libraryOption, &languageOption, &strengthOption, &ranksOption})
        if (parser.values(*single).size() > 1)
            fail(QStringLiteral("--%1 may be given only once").arg(single->names().constFirst()));

    request.library = parser.value(libraryOption);
    const int language =
        parseNumber(parser.value(languageOption), QStringLiteral("language"), 1, kLanguageCount);
    const LanguageAlphabet alphabet(languageOf(language));
    request.language = alphabet.language.number;
    request.strength = parseNumber(parser.value(strengthOption), QStringLiteral("strength"),
                                   kMinStrength, kMaxStrength);
    request.hint = parser.isSet(hintOption);
    request.everyday = parser.isSet(everydayOption);
    if (parser.isSet(ranksOption)) {
        request.ranks = parser.value(ranksOption);
    } else {
        const std::string_view name = languageOf(language).ranksFile;
        const QString beside =
            QFileInfo(request.library)
                .dir()
                .filePath(
                    QFileInfo(QString::fromLatin1(name.data(), qsizetype(name.size()))).fileName());
        if (QFileInfo::exists(beside))
            request.ranks = beside;
    }

    const QStringList rowTexts = parser.positionalArguments();
    if (rowTexts.size() != kRows)
        fail(QStringLiteral("expected %1 rows, got %2").arg(kRows).arg(rowTexts.size()));
    for (int r = 0; r < kRows; ++r) {
        const QString what = QStringLiteral("row %1").arg(r + 1);
        if (rowTexts[r].size() != kRows)
            fail(QStringLiteral("%1 \"%2\" must have five characters").arg(what, rowTexts[r]));
        request.rows[r] = letters(rowTexts[r], alphabet, true, what);
    }

    const QStringList playedTexts = parser.values(playedOption);
    if (playedTexts.size() > kPlayedWordSlots)
        fail(QStringLiteral("at most %1 played words").arg(kPlayedWordSlots));
    for (int i = 0; i < playedTexts.size(); ++i) {
        if (playedTexts[i].isEmpty())
            fail(QStringLiteral("--played needs a word"));
        request.played[i] = letters(playedTexts[i], alphabet, false, QStringLiteral("played word"));
    }
    return request;
}
