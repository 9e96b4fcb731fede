// The computer's move search: the moves it must choose on small dictionaries, what it tells
// its observer, agreement with the plain version of the search on random boards with the
// real libraries, and the vorda2000-solve program.
#include "core/MoveSearch.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "tests/support/ReferenceSearch.h"
#include "tests/support/TestFolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <set>

#include <sys/stat.h>

namespace {

std::unique_ptr<WordLibrary> makeWords(uint16_t language, const QStringList& list) {
    auto words = std::make_unique<WordLibrary>();
    words->language = language;
    for (const QString& word : list) {
        std::string bytes = unicodeToCp1251(word);
        const size_t length = bytes.size();
        words->lists[length].insert(std::move(bytes));
    }
    return words;
}

std::optional<LetterGrid> makeBoard(const QStringList& rows) {
    if (rows.size() != 5)
        return std::nullopt;
    std::array<std::string, 5> bytes;
    std::array<std::string_view, 5> views;
    for (int r = 0; r < 5; ++r) {
        bytes[r] = unicodeToCp1251(rows[r]);
        views[r] = bytes[r];
    }
    return letterGridFromRows(views);
}

std::array<std::string, kPlayedWordSlots> makePlayed(const QStringList& list) {
    std::array<std::string, kPlayedWordSlots> played;
    for (int i = 0; i < list.size(); ++i)
        played[i] = unicodeToCp1251(list[i]);
    return played;
}

SearchLimits makeLimits(const WordLibrary& words, int maxWordLength, bool hint) {
    SearchLimits limits;
    limits.language = words.language;
    limits.maxWordLength = uint16_t(maxWordLength);
    limits.hintMode = hint;
    return limits;
}

// Cells as the solver prints them: 1-based column and row.
QString cellText(int column, int row) {
    return column < 0 ? QString() : QStringLiteral("%1 %2").arg(column + 1).arg(row + 1);
}

QString pathText(const SearchResult& result) {
    QStringList cells;
    for (int i = 0; i < result.pathLength; ++i)
        cells << cellText(result.path[2 * i], result.path[2 * i + 1]);
    return cells.join(QStringLiteral(", "));
}

// Records what the search reports; can stop it at a given trial letter.
class RecordingObserver : public SearchObserver {
public:
    int stopAt = 0; // the trialLetterDone call that returns false; 0 never
    int trialLetters = 0;
    std::vector<std::string> words;
    std::vector<LetterGrid> grids;
    int wordsWhenStopped = -1;

    bool trialLetterDone() override {
        ++trialLetters;
        if (trialLetters == stopAt) {
            wordsWhenStopped = int(words.size());
            return false;
        }
        return true;
    }
    void bestWordFound(const LetterGrid& grid, const std::string& word) override {
        words.push_back(word);
        grids.push_back(grid);
    }
};

const QStringList kHouseBoard = {"?????", "?????", "HOUSE", "?????", "?????"};
const QStringList kHouseboatBoard = {"?????", "?????", "HOUSE", "?T?OB", "?????"};
const QStringList kCatBoard = {"?????", "?????", "?AT??", "?????", "?????"};

QString solverPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../game/vorda2000-solve");
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QFileInfo(solverPath()).isExecutable(),
                 "build vorda2000-solve with the project before running this test");
    }

    void choosesMove_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("dictionary");
        QTest::addColumn<QStringList>("played");
        QTest::addColumn<int>("maxWordLength");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("path");

        const QStringList none;
        const QStringList neighbours = {"QQQQQ", "QQYQQ", "QW?ZQ", "QQXQQ", "QQQQQ"};
        const QStringList oneFreeCell = {"QQQQQ", "QQQQQ", "QQ?QQ", "QQQQQ", "QQQQQ"};
        const QStringList twoStarts = {"QQQQQ", "QQQQQ", "QT?BQ", "QQQQQ", "QQQQQ"};

        QTest::newRow("earlier column wins over a lower letter")
            << int(kEnglish) << kCatBoard << QStringList{"PAT", "ATE"} << none << 8 << false
            << "PAT"
            << "1 3"
            << "1 3, 2 3, 3 3";
        QTest::newRow("higher cell of a column wins, then the next column")
            << int(kEnglish) << kCatBoard << QStringList{"ATE"} << none << 8 << false << "ATE"
            << "3 2"
            << "2 3, 3 3, 3 2";
        QTest::newRow("higher cell of the first column wins over a lower letter")
            << int(kEnglish) << QStringList{"?K???", "A????", "?M???", "?????", "?????"}
            << QStringList{"KYA", "MBA"} << none << 8 << false << "KYA"
            << "1 1"
            << "2 1, 1 1, 1 2";
        QTest::newRow("lower cell when only it spells a word")
            << int(kEnglish) << QStringList{"?K???", "A????", "?M???", "?????", "?????"}
            << QStringList{"MBA"} << none << 8 << false << "MBA"
            << "1 3"
            << "2 3, 1 3, 1 2";
        QTest::newRow("lower letter code wins")
            << int(kEnglish) << kCatBoard << QStringList{"HAT", "CAT"} << none << 8 << false
            << "CAT"
            << "1 3"
            << "1 3, 2 3, 3 3";
        QTest::newRow("earlier start cell wins")
            << int(kEnglish) << twoStarts << QStringList{"BAT", "TAB"} << none << 8 << false
            << "TAB"
            << "3 3"
            << "2 3, 3 3, 4 3";
        QTest::newRow("later start cell when only it spells a word")
            << int(kEnglish) << twoStarts << QStringList{"BAT"} << none << 8 << false << "BAT"
            << "3 3"
            << "4 3, 3 3, 2 3";
        QTest::newRow("neighbour below first")
            << int(kEnglish) << neighbours << QStringList{"OW", "OZ", "OY", "OX"} << none << 8
            << false << "OX"
            << "3 3"
            << "3 3, 3 4";
        QTest::newRow("neighbour above second")
            << int(kEnglish) << neighbours << QStringList{"OW", "OZ", "OY"} << none << 8 << false
            << "OY"
            << "3 3"
            << "3 3, 3 2";
        QTest::newRow("neighbour right third")
            << int(kEnglish) << neighbours << QStringList{"OW", "OZ"} << none << 8 << false << "OZ"
            << "3 3"
            << "3 3, 4 3";
        QTest::newRow("neighbour left last")
            << int(kEnglish) << neighbours << QStringList{"OW"} << none << 8 << false << "OW"
            << "3 3"
            << "3 3, 2 3";
        QTest::newRow("played word never chosen")
            << int(kEnglish) << kCatBoard << QStringList{"HAT", "CAT"} << QStringList{"CAT"} << 8
            << false << "HAT"
            << "1 3"
            << "1 3, 2 3, 3 3";
        QTest::newRow("played words compare byte for byte")
            << int(kEnglish) << kCatBoard << QStringList{"HAT", "CAT"} << QStringList{"cat"} << 8
            << false << "CAT"
            << "1 3"
            << "1 3, 2 3, 3 3";
        QTest::newRow("library compares without case")
            << int(kEnglish) << kCatBoard << QStringList{"cat"} << none << 8 << false << "CAT"
            << "1 3"
            << "1 3, 2 3, 3 3";
        QTest::newRow("longer word wins over an earlier one")
            << int(kEnglish) << kHouseBoard << QStringList{"AH", "OHM", "USED"} << none << 8
            << false << "USED"
            << "5 2"
            << "3 3, 4 3, 5 3, 5 2";
        QTest::newRow("one-letter words never accepted")
            << int(kEnglish) << oneFreeCell << QStringList{"A", "Q"} << none << 8 << false << ""
            << ""
            << "";
        QTest::newRow("strength limit keeps words short")
            << int(kEnglish) << kHouseboatBoard << QStringList{"OHM", "HOUSEBOAT"} << none << 8
            << false << "OHM"
            << "1 2"
            << "2 3, 1 3, 1 2";
        QTest::newRow("hint reaches beyond the strength limit")
            << int(kEnglish) << kHouseboatBoard << QStringList{"OHM", "HOUSEBOAT"} << none << 8
            << true << "HOUSEBOAT"
            << "3 4"
            << "1 3, 2 3, 3 3, 4 3, 5 3, 5 4, 4 4, 3 4, 2 4";
        QTest::newRow("hint skips the other cells at the strength length")
            << int(kEnglish) << kHouseboatBoard << QStringList{"OHM", "HOUSEBOAT"} << none << 3
            << true << "OHM"
            << "1 2"
            << "2 3, 1 3, 1 2";
        QTest::newRow("hint stops at ten letters")
            << int(kEnglish) << QStringList{"AB?DE", "JIHGF", "KLMNO", "?????", "?????"}
            << QStringList{"ABCDEFGHIJK", "ABCDEFGHIJ"} << none << 8 << true << "ABCDEFGHIJ"
            << "3 1"
            << "1 1, 2 1, 3 1, 4 1, 5 1, 5 2, 4 2, 3 2, 2 2, 1 2";
        QTest::newRow("full field")
            << int(kEnglish) << QStringList{"QQQQQ", "QQQQQ", "QQQQQ", "QQQQQ", "QQQQQ"}
            << QStringList{"QQ", "QQQ"} << none << 8 << false << ""
            << ""
            << "";
        QTest::newRow("English tries Z")
            << int(kEnglish) << oneFreeCell << QStringList{"QZ"} << none << 8 << false << "QZ"
            << "3 3"
            << "2 3, 3 3";
        QTest::newRow("English never tries codes above Z")
            << int(kEnglish) << oneFreeCell << QStringList{"Q[", "Q@"} << none << 8 << false << ""
            << ""
            << "";
        QTest::newRow("Russian word")
            << int(kRussian) << QStringList{"?????", "?????", "СЛОВО", "?????", "?????"}
            << QStringList{"ОСА", "СЛОН"} << none << 8 << false << "СЛОН"
            << "3 2"
            << "1 3, 2 3, 3 3, 3 2";
        QTest::newRow("Russian tries Я")
            << int(kRussian) << QStringList{"ЖЖЖЖЖ", "ЖЖЖЖЖ", "ЖЖ?ЖЖ", "ЖЖЖЖЖ", "ЖЖЖЖЖ"}
            << QStringList{"ЖЯ"} << none << 8 << false << "ЖЯ"
            << "3 3"
            << "2 3, 3 3";
        // Ё lies apart from the other letters in the code page: the words after Ж go on with
        // letters from two blocks of codes.
        QTest::newRow("Russian finds Я beside a word with Ё")
            << int(kRussian) << QStringList{"ЖЖЖЖЖ", "ЖЖЖЖЖ", "ЖЖ?ЖЖ", "ЖЖЖЖЖ", "ЖЖЖЖЖ"}
            << QStringList{"ЖЁ", "ЖЯ"} << none << 8 << false << "ЖЯ"
            << "3 3"
            << "2 3, 3 3";
        QTest::newRow("Russian never tries Ё")
            << int(kRussian) << QStringList{"ЖЖЖЖЖ", "ЖЖЖЖЖ", "ЖЖ?ЖЖ", "ЖЖЖЖЖ", "ЖЖЖЖЖ"}
            << QStringList{"ЖЁ"} << none << 8 << false << ""
            << ""
            << "";
    }
    void choosesMove() {
        QFETCH(int, language);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, dictionary);
        QFETCH(QStringList, played);
        QFETCH(int, maxWordLength);
        QFETCH(bool, hint);
        QFETCH(QString, word);
        QFETCH(QString, cell);
        QFETCH(QString, path);

        const auto words = makeWords(uint16_t(language), dictionary);
        const auto board = makeBoard(rows);
        QVERIFY(board);
        const SearchResult result = findBestWord(*board, *words, makePlayed(played),
                                                 makeLimits(*words, maxWordLength, hint), nullptr);
        QCOMPARE(cp1251ToUnicode(result.word), word);
        QCOMPARE(cellText(result.column, result.row), cell);
        QCOMPARE(pathText(result), path);
        QVERIFY(!result.abandoned);
    }

    // Trial letters are announced once each: alphabet size times the candidate cells, where a
    // candidate is a free cell with a filled orthogonal neighbour, until a word of the full
    // strength length is found. A path is walked only while a library word that could still
    // win begins with its letters.
    void countsTrialLettersAndWalks_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("dictionary");
        QTest::addColumn<int>("maxWordLength");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<int>("trialLetters");
        QTest::addColumn<int>("walks");

        const QStringList centre = {"?????", "?????", "??Q??", "?????", "?????"};
        QTest::newRow("no word begins with the letters")
            << int(kEnglish) << centre << QStringList{} << 3 << false << 4 * 26 << 0;
        // Only the trial letter A in each cell starts a path, and Q never follows it.
        QTest::newRow("a path ends where no word goes on")
            << int(kEnglish) << centre << QStringList{"AB"} << 3 << false << 4 * 26 << 4;
        // AQ at the first cell's first letter; from then on no word is long enough to win,
        // although Q begins QA in every cell.
        QTest::newRow("words no longer than the best are not walked")
            << int(kEnglish) << centre << QStringList{"AQ", "QA"} << 3 << false << 4 * 26 << 2;
        // QAB is beyond the strength of two letters, so no path starts. The hint walks Q in
        // every trial, QA when the trial letter is A, and the trial letter Q alone; no B
        // follows.
        QTest::newRow("words beyond the limit are not walked")
            << int(kEnglish) << centre << QStringList{"QAB"} << 2 << false << 4 * 26 << 0;
        QTest::newRow("the hint walks up to ten letters")
            << int(kEnglish) << centre << QStringList{"QAB"} << 2 << true << 4 * 26 << 4 * (26 + 2);
        // The first cell, below Ж: Ж in every trial, Ж from the trial letter Ж, ЖЯ found with
        // Я, the last letter; then nothing can beat it.
        QTest::newRow("corner letter, Russian alphabet")
            << int(kRussian) << QStringList{"Ж????", "?????", "?????", "?????", "?????"}
            << QStringList{"ЖЯ"} << 8 << false << 2 * 32 << 32 + 2;
        // CAT at the first candidate, then its other letters start no path: C, CA, CAT.
        QTest::newRow("cells after a word of the full length are skipped")
            << int(kEnglish) << kCatBoard << QStringList{"CAT"} << 3 << false << 26 << 3;
        QTest::newRow("the hint skips them too")
            << int(kEnglish) << kCatBoard << QStringList{"CAT"} << 3 << true << 26 << 3;
        QTest::newRow("full field")
            << int(kEnglish) << QStringList{"QQQQQ", "QQQQQ", "QQQQQ", "QQQQQ", "QQQQQ"}
            << QStringList{"QQ"} << 8 << false << 0 << 0;
    }
    void countsTrialLettersAndWalks() {
        QFETCH(int, language);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, dictionary);
        QFETCH(int, maxWordLength);
        QFETCH(bool, hint);
        QFETCH(int, trialLetters);
        QFETCH(int, walks);

        const auto words = makeWords(uint16_t(language), dictionary);
        const auto board = makeBoard(rows);
        QVERIFY(board);
        RecordingObserver observer;
        const SearchResult result = findBestWord(
            *board, *words, makePlayed({}), makeLimits(*words, maxWordLength, hint), &observer);
        QCOMPARE(observer.trialLetters, trialLetters);
        QCOMPARE(result.walks, uint64_t(walks));
        // Step by step, as the computer's turn runs it: one step for each trial letter, the
        // same walks and the same word.
        StepwiseSearch stepwise(*board, *words, makePlayed({}),
                                makeLimits(*words, maxWordLength, hint), nullptr);
        int steps = 0;
        while (stepwise.step())
            ++steps;
        QVERIFY(stepwise.done() && !stepwise.step());
        QCOMPARE(steps, trialLetters);
        QCOMPARE(stepwise.result().walks, uint64_t(walks));
        QCOMPARE(stepwise.result().word, result.word);
    }

    // The library's prefix tree, built by the first search, follows every later change of
    // the lists: a stale tree would still give AH.
    void followsLibraryChanges_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("word");
        QTest::newRow("a word added") << 0 << "USED";
        QTest::newRow("a list cleared") << 1 << "";
        QTest::newRow("lists swapped with another library's") << 2 << "OHM";
    }
    void followsLibraryChanges() {
        QFETCH(int, change);
        QFETCH(QString, word);
        const auto words = makeWords(kEnglish, {"AH"});
        const auto board = makeBoard(kHouseBoard);
        QVERIFY(board);
        const SearchLimits limits = makeLimits(*words, 8, false);
        QCOMPARE(findBestWord(*board, *words, makePlayed({}), limits, nullptr).word,
                 std::string("AH"));
        const auto other = makeWords(kEnglish, {"OHM"});
        switch (change) {
        case 0:
            words->lists[4].insert("USED");
            break;
        case 1:
            words->lists[2].clear();
            break;
        default:
            std::swap(words->lists, other->lists);
        }
        const SearchResult result = findBestWord(*board, *words, makePlayed({}), limits, nullptr);
        QCOMPARE(cp1251ToUnicode(result.word), word);
    }

    // Every new best word is longer than the one before and arrives with the grid of its
    // path: the trial letter in its cell and exactly the word's cells marked.
    void reportsGrowingWords() {
        const auto words = makeWords(kEnglish, {"AH", "OHM", "USED", "HOUSES", "HOUSE"});
        const auto board = makeBoard(kHouseBoard);
        QVERIFY(board);
        RecordingObserver observer;
        const SearchResult result = findBestWord(*board, *words, makePlayed({"HOUSE"}),
                                                 makeLimits(*words, 6, false), &observer);
        const std::vector<std::string> expected = {"AH", "OHM", "USED", "HOUSES"};
        QCOMPARE(observer.words, expected);
        // The stepwise search reports the same words, and keeps its own copy of the played
        // words: the list it was given may change while it runs.
        RecordingObserver stepObserver;
        PlayedWords played = makePlayed({"HOUSE"});
        StepwiseSearch stepwise(*board, *words, played, makeLimits(*words, 6, false),
                                &stepObserver);
        played = makePlayed({"HOUSES"});
        while (stepwise.step()) {
        }
        QCOMPARE(stepObserver.words, expected);
        QCOMPARE(stepObserver.trialLetters, 0);
        QCOMPARE(result.word, std::string("HOUSES"));

        const LetterGrid& last = observer.grids.back();
        std::set<std::pair<int, int>> pathCells;
        for (int i = 0; i < result.pathLength; ++i)
            pathCells.insert({result.path[2 * i], result.path[2 * i + 1]});
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 5; ++r)
                QCOMPARE(bool(last.cells[c][r].visited), pathCells.count({c, r}) == 1);
        QCOMPARE(last.cells[result.column][result.row].letter, 'S');
        for (size_t i = 0; i < observer.grids.size(); ++i) {
            int marked = 0;
            for (const auto& column : observer.grids[i].cells)
                for (const LetterCell& cell : column)
                    marked += cell.visited;
            QCOMPARE(size_t(marked), observer.words[i].size());
        }
    }

    void abandonsAtOnce_data() {
        QTest::addColumn<int>("stopAt");
        QTest::addColumn<int>("wordsBefore");
        QTest::newRow("at the first trial letter") << 1 << 0;
        QTest::newRow("after words were found") << 30 << 2;
        QTest::newRow("between two words of one cell") << 26 * 8 + 5 << 3;
    }
    void abandonsAtOnce() {
        QFETCH(int, stopAt);
        QFETCH(int, wordsBefore);
        const auto words = makeWords(kEnglish, {"AH", "OHM", "USED", "HOUSES"});
        const auto board = makeBoard(kHouseBoard);
        QVERIFY(board);
        RecordingObserver observer;
        observer.stopAt = stopAt;
        const SearchResult result =
            findBestWord(*board, *words, makePlayed({}), makeLimits(*words, 6, false), &observer);
        QVERIFY(result.abandoned);
        QCOMPARE(observer.trialLetters, stopAt);
        QCOMPARE(observer.wordsWhenStopped, wordsBefore);
        QCOMPARE(int(observer.words.size()), wordsBefore);
        QVERIFY(result.word.empty());
        QCOMPARE(result.column, -1);
        QCOMPARE(result.pathLength, 0);
    }

    // The game's search and the plain one agree on random boards with the real libraries, their
    // words given random tiers: the same word, cell and path, the same words shown on the way,
    // with and without the found word played, with everyday words only or not. Choosing the
    // commonest of the longest words leaves every length as the first found gives it.
    void agreesWithPlainSearch_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("library");
        QTest::newRow("Russian") << int(kRussian) << QStringLiteral("Lib.RUS");
        QTest::newRow("English") << int(kEnglish) << QStringLiteral("Lib.ENG");
    }
    void agreesWithPlainSearch() {
        QFETCH(int, language);
        QFETCH(QString, library);
        WordLibrary words;
        words.language = uint16_t(language);
        loadWordsFromFile(words, QStringLiteral(VORDA_SOURCE_DIR "/dist/DATA/") + library);
        const WordList& fiveLetters = words.lists[5];
        QVERIFY(fiveLetters.size() > 100);

        QRandomGenerator random(uint32_t(2000 + language));
        for (WordList& list : words.lists)
            for (int i = 0; i < list.size(); ++i)
                list.setTier(i, uint8_t(random.bounded(kRarestTier + 1)));
        const auto randomWord = [&](int length) {
            const WordList& list = words.lists[length];
            return list.at(int(random.bounded(uint32_t(list.size()))));
        };
        constexpr int kBoards = 150;
        int found = 0;
        for (int b = 0; b < kBoards; ++b) {
            // A start word across the middle, then letters of library words scattered
            // around it, so that words exist to be found.
            LetterGrid grid;
            const std::string start = randomWord(5);
            for (int c = 0; c < 5; ++c)
                grid.cells[c][2].letter = char(cp1251FoldCase(uint8_t(start[c])));
            // Every strength meets the hint and the normal search on some board. The hint
            // gets fewer letters, which keeps the plain search's walk short.
            const bool hint = b % 5 == 4;
            const int extra = int(random.bounded(hint ? 7u : 13u));
            for (int i = 0; i < extra; ++i) {
                const std::string source = randomWord(int(random.bounded(3u, 8u)));
                LetterCell& cell = grid.cells[random.bounded(5u)][random.bounded(5u)];
                cell.letter =
                    char(cp1251FoldCase(uint8_t(source[random.bounded(quint32(source.size()))])));
            }
            SearchLimits limits = makeLimits(words, 3 + b % 6, hint);
            limits.everydayOnly = b % 7 == 3;

            std::array<std::string, kPlayedWordSlots> played;
            played[0] = start;
            for (int round = 0; round < 2; ++round) {
                RecordingObserver observer;
                const SearchResult fast = findBestWord(grid, words, played, limits, &observer);
                reference::StraightforwardSearch reference(words, played, limits);
                const SearchResult plain = reference.run(grid);
                const QByteArray where =
                    QStringLiteral("board %1 round %2: %3 / %4")
                        .arg(b)
                        .arg(round)
                        .arg(cp1251ToUnicode(fast.word), cp1251ToUnicode(plain.word))
                        .toUtf8();
                QVERIFY2(fast.word == plain.word, where.constData());
                QVERIFY2(fast.column == plain.column && fast.row == plain.row, where.constData());
                QVERIFY2(fast.pathLength == plain.pathLength && fast.path == plain.path,
                         where.constData());
                // The player sees the same words while the computer thinks, at the same
                // trial letters.
                QVERIFY2(observer.words == reference.improvements, where.constData());
                QVERIFY2(observer.trialLetters == reference.trialLetters, where.constData());
                reference::StraightforwardSearch firstFound(words, played, limits);
                firstFound.firstFound = true;
                if (!limits.everydayOnly || limits.hintMode)
                    QVERIFY2(fast.word.size() == firstFound.run(grid).word.size(),
                             where.constData());
                // The plain search walks every path; the game's only those the tree allows.
                QVERIFY2(fast.walks <= plain.walks, where.constData());
                if (fast.word.empty())
                    break;
                ++found;
                // The found word, once played, is never chosen again.
                played[1] = fast.word;
            }
        }
        // Most boards must give a word, or the comparison would prove little.
        QVERIFY2(found > kBoards, qPrintable(QStringLiteral("only %1 words found").arg(found)));
    }

    void solverPrintsMove_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("dictionary");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("English move")
            << int(kEnglish) << (QStringList{"--strength", "1"} + kCatBoard)
            << QStringList{"CAT", "HAT"}
            << QStringList{"word: CAT", "cell: 1 3", "path: 1 3, 2 3, 3 3"};
        QTest::newRow("played words repeat")
            << int(kEnglish)
            << (QStringList{"--strength", "1", "--played", "CAT", "--played", "HAT"} + kCatBoard)
            << QStringList{"CAT", "HAT", "PAT"}
            << QStringList{"word: PAT", "cell: 1 3", "path: 1 3, 2 3, 3 3"};
        QTest::newRow("nothing found")
            << int(kEnglish) << (QStringList{"--strength", "6"} + kCatBoard) << QStringList{"DOG"}
            << QStringList{"word:", "cell:", "path:"};
        QTest::newRow("strength 6 allows eight letters")
            << int(kEnglish) << (QStringList{"--strength", "6"} + kHouseboatBoard)
            << QStringList{"OHM", "HOUSEBOAT"}
            << QStringList{"word: OHM", "cell: 1 2", "path: 2 3, 1 3, 1 2"};
        QTest::newRow("hint") << int(kEnglish)
                              << (QStringList{"--strength", "6", "--hint"} + kHouseboatBoard)
                              << QStringList{"OHM", "HOUSEBOAT"}
                              << QStringList{"word: HOUSEBOAT", "cell: 3 4",
                                             "path: 1 3, 2 3, 3 3, 4 3, 5 3, 5 4, 4 4, 3 4, 2 4"};
        QTest::newRow("Russian in UTF-8")
            << int(kRussian)
            << QStringList{"--strength", "2", "?????", "?????", "СЛОВО", "?????", "?????"}
            << QStringList{"ОСА", "СЛОН"}
            << QStringList{"word: СЛОН", "cell: 3 2", "path: 1 3, 2 3, 3 3, 3 2"};
    }
    void solverPrintsMove() {
        QFETCH(int, language);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, dictionary);
        QFETCH(QStringList, expected);

        QTemporaryDir dir;
        const QString libraryPath = dir.filePath(QStringLiteral("Lib.TST"));
        QFile file(libraryPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const QString& word : dictionary)
            file.write(QByteArray::fromStdString(unicodeToCp1251(word)) + "\r\n");
        file.close();

        QProcess solver;
        solver.start(solverPath(), QStringList{"--library", libraryPath, "--language",
                                               QString::number(language)} +
                                       arguments);
        QVERIFY2(solver.waitForFinished(30000), qPrintable(solver.errorString()));
        QCOMPARE(solver.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(solver.readAllStandardError()), QString());
        QCOMPARE(solver.exitCode(), 0);
        const QStringList lines =
            QString::fromUtf8(solver.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.mid(0, 3), expected);
        QCOMPARE(lines[4], QString());

        // The step count is the search's own.
        WordLibrary words;
        words.language = uint16_t(language);
        loadWordsFromFile(words, libraryPath);
        const int strength = arguments[arguments.indexOf("--strength") + 1].toInt();
        QStringList played;
        for (int i = 0; i < arguments.size(); ++i)
            if (arguments[i] == "--played")
                played << arguments[i + 1];
        const auto board = makeBoard(arguments.mid(arguments.size() - 5));
        QVERIFY(board);
        const SearchResult result =
            findBestWord(*board, words, makePlayed(played),
                         makeLimits(words, strength + 2, arguments.contains("--hint")), nullptr);
        QCOMPARE(lines[3], QStringLiteral("walks: %1").arg(result.walks));
    }

    void solverRefusesBadArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");

        const QString library = QStringLiteral("LIBRARY");
        const QStringList rows = {"?????", "?????", "HOUSE", "?????", "?????"};
        const QStringList english = {"--library", library, "--language", "2", "--strength", "3"};
        QTest::newRow("no library") << (QStringList{"--language", "2", "--strength", "3"} + rows)
                                    << "--library is required";
        QTest::newRow("library cannot be read")
            << (QStringList{"--library", "/nonexistent/Lib.ENG", "--language", "2", "--strength",
                            "3"} +
                rows)
            << "Cannot open the word library";
        // A FIFO or a device would block the reading or never end it.
        for (const char* special : {"FIFO", "/dev/zero", "/dev/null"})
            QTest::newRow(special)
                << (QStringList{"--library", special, "--language", "2", "--strength", "3"} + rows)
                << "it is not a file";
        QTest::newRow("library larger than any 65,535 lines")
            << (QStringList{"--library", "HUGE", "--language", "2", "--strength", "3"} + rows)
            << QStringLiteral("it is larger than %1 bytes").arg(kMaxLibraryBytes);
        QTest::newRow("no strength")
            << (QStringList{"--library", library, "--language", "2"} + rows)
            << "--strength is required";
        QTest::newRow("language 3")
            << (QStringList{"--library", library, "--language", "3", "--strength", "3"} + rows)
            << "--language must be a number from 1 to 2";
        QTest::newRow("strength 0")
            << (QStringList{"--library", library, "--language", "2", "--strength", "0"} + rows)
            << "--strength must be a number from 1 to 6";
        QTest::newRow("strength 7")
            << (QStringList{"--library", library, "--language", "2", "--strength", "7"} + rows)
            << "--strength must be a number from 1 to 6";
        QTest::newRow("strength not a number")
            << (QStringList{"--library", library, "--language", "2", "--strength", "six"} + rows)
            << "--strength must be a number from 1 to 6";
        QTest::newRow("strength twice")
            << (english + QStringList{"--strength", "4"} + rows) << "may be given only once";
        QTest::newRow("four rows") << (english + rows.mid(0, 4)) << "expected 5 rows, got 4";
        QTest::newRow("six rows") << (english + rows + QStringList{"?????"})
                                  << "expected 5 rows, got 6";
        QTest::newRow("row of six characters")
            << (english + QStringList{"??????", "?????", "HOUSE", "?????", "?????"})
            << "must have five characters";
        QTest::newRow("small letters")
            << (english + QStringList{"?????", "?????", "house", "?????", "?????"})
            << "may hold only English capitals A..Z";
        QTest::newRow("Latin letters in a Russian field")
            << (QStringList{"--library", library, "--language", "1", "--strength", "3"} + rows)
            << "may hold only Russian capitals А..Я";
        QTest::newRow("free cell in a played word")
            << (english + QStringList{"--played", "HO?SE"} + rows) << "may hold only";
        QTest::newRow("unknown option")
            << (english + QStringList{"--fast"} + rows) << "Unknown option 'fast'";
    }
    void solverRefusesBadArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);

        QTemporaryDir dir;
        const QString libraryPath = dir.filePath(QStringLiteral("Lib.ENG"));
        QFile file(libraryPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("HOUSES\r\n");
        file.close();
        arguments.replaceInStrings(QStringLiteral("LIBRARY"), libraryPath);
        if (const qsizetype at = arguments.indexOf(QStringLiteral("FIFO")); at >= 0) {
            arguments[at] = dir.filePath(QStringLiteral("fifo"));
            QCOMPARE(mkfifo(QFile::encodeName(arguments[at]).constData(), 0600), 0);
        }
        if (const qsizetype at = arguments.indexOf(QStringLiteral("HUGE")); at >= 0) {
            // One byte over the limit, of word lines all through (the file holds no holes).
            arguments[at] = dir.filePath(QStringLiteral("Lib.huge"));
            QFile huge(arguments[at]);
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QByteArray lines;
            while (lines.size() <= kMaxLibraryBytes)
                lines += "WORD\r\n";
            huge.write(lines.left(kMaxLibraryBytes + 1));
        }

        QProcess solver;
        solver.start(solverPath(), arguments);
        QVERIFY2(solver.waitForFinished(30000), qPrintable(solver.errorString()));
        QCOMPARE(solver.exitStatus(), QProcess::NormalExit);
        QCOMPARE(solver.exitCode(), 2);
        QCOMPARE(solver.readAllStandardOutput(), QByteArray());
        const QString error = QString::fromUtf8(solver.readAllStandardError());
        QVERIFY2(error.contains(message), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
