// Words people know: the ranks file read beside the library and kept in its cache, the
// commonest of the longest words, everyday words only, rude words never played, start words,
// what a word means.
#include "core/MoveSearch.h"
#include "core/WordLibrary.h"
#include "core/WordMeanings.h"
#include "platform/Cp1251.h"
#include "tests/support/TestFolder.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>
#include <set>

#include <sys/stat.h>

namespace {

// A library of words written "WORD TIER" ("WORD" alone is rarest).
std::unique_ptr<WordLibrary> makeRankedWords(const QStringList& list) {
    auto words = std::make_unique<WordLibrary>();
    words->language = kEnglish;
    for (const QString& entry : list) {
        const QStringList parts = entry.split(QLatin1Char(' '));
        const std::string word = unicodeToCp1251(parts[0]);
        WordList& target = words->lists[word.size()];
        target.insert(word);
        if (parts.size() > 1)
            target.setTier(target.indexOf(word), uint8_t(parts[1].toInt()));
    }
    return words;
}

// Every word of the lists with its tier, "WORD=TIER", in the lists' order.
QStringList tiers(const WordLibrary& words) {
    QStringList result;
    for (int n = kMinWordLength; n <= kMaxWordLength; ++n)
        for (int i = 0; i < words.lists[n].size(); ++i)
            result << QStringLiteral("%1=%2")
                          .arg(cp1251ToUnicode(words.lists[n].at(i)))
                          .arg(words.lists[n].tierAt(i));
    return result;
}

const QByteArray kLibrary = "; a library\r\nANT\r\nBEE\r\nCAT\r\nDOG\r\nHOUSE\r\nMOUSE\r\n";

} // namespace

class TestCommonWords : public QObject {
    Q_OBJECT
private slots:
    void readsRanks_data() {
        QTest::addColumn<QByteArray>("ranks"); // "missing": no file; "folder": a folder
        QTest::addColumn<QString>("tiers");    // of ANT BEE CAT DOG HOUSE MOUSE
        QTest::addColumn<int>("state");
        const auto row = [](const char* name, const QByteArray& ranks, const char* tiers,
                            RanksState state) {
            QTest::newRow(name) << ranks << QString(tiers) << int(state);
        };
        row("listed words take their tiers, the others are rarest",
            "; comment\r\nBEE 0\r\nCAT 1\r\nHOUSE 2\r\n", "5 0 1 5 2 5", RanksState::Read);
        row("lower case, LF line ends and a trailing blank", "cat 3\nhouse 4 \n", "5 5 3 5 4 5",
            RanksState::Read);
        row("a word the library lacks is passed over", "ZEBRA 1\r\nDOG 2\r\n", "5 5 5 2 5 5",
            RanksState::Read);
        row("a word listed twice keeps its last tier", "CAT 1\r\nCAT 3\r\n", "5 5 3 5 5 5",
            RanksState::Read);
        row("missing file: every word rarest", "missing", "5 5 5 5 5 5", RanksState::Missing);
        row("a folder in its place", "folder", "5 5 5 5 5 5", RanksState::Damaged);
        row("a tier out of range spoils its line alone", "CAT 7\r\nDOG 1\r\n", "5 5 5 1 5 5",
            RanksState::Damaged);
        row("a line without a tier", "CAT\r\nDOG 2\r\n", "5 5 5 2 5 5", RanksState::Damaged);
        row("two digits", "CAT 12\r\nANT 4\r\n", "4 5 5 5 5 5", RanksState::Damaged);
        row("cut short inside a line", "ANT 1\r\nHOUSE 2\r\nMOU", "1 5 5 5 2 5",
            RanksState::Damaged);
    }
    void readsRanks() {
        QFETCH(QByteArray, ranks);
        QFETCH(QString, tiers);
        QFETCH(int, state);
        TestGameFolder folder;
        folder.write("DATA/Lib.ENG", kLibrary);
        if (ranks == "folder")
            QVERIFY(QDir(folder.path()).mkpath("DATA/Ranks.ENG"));
        else if (ranks != "missing")
            folder.write("DATA/Ranks.ENG", ranks);
        // Read twice: the second time from the cache, which must give the same.
        for (int start = 0; start < 2; ++start) {
            WordLibrary words;
            words.language = kEnglish;
            loadWords(words);
            QStringList found;
            for (const QString& entry : ::tiers(words))
                found << entry.section(QLatin1Char('='), 1);
            QCOMPARE(found.join(QLatin1Char(' ')), tiers);
            QCOMPARE(int(words.ranks), state);
            QCOMPARE(words.ranksFileName, folder.path() + "DATA/Ranks.ENG");
        }
    }

    // The cache names the ranks file's state: any change of it, its coming or its going,
    // makes the library read again with the new tiers.
    void cacheFollowsTheRanks_data() {
        QTest::addColumn<QByteArray>("before"); // "missing": no file
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("remade");
        QTest::addColumn<QString>("catTier");
        QTest::newRow("nothing changed")
            << QByteArray("CAT 1\r\n") << QByteArray("CAT 1\r\n") << false << "1";
        QTest::newRow("a tier changed, same size")
            << QByteArray("CAT 1\r\n") << QByteArray("CAT 2\r\n") << true << "2";
        QTest::newRow("the file removed")
            << QByteArray("CAT 1\r\n") << QByteArray("missing") << true << "5";
        QTest::newRow("the file came")
            << QByteArray("missing") << QByteArray("CAT 3\r\n") << true << "3";
    }
    void cacheFollowsTheRanks() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(bool, remade);
        QFETCH(QString, catTier);
        TestGameFolder folder;
        folder.write("DATA/Lib.ENG", kLibrary);
        const QString ranksPath = folder.path() + "DATA/Ranks.ENG";
        if (before != "missing")
            folder.write("DATA/Ranks.ENG", before);
        WordLibrary first;
        first.language = kEnglish;
        loadWords(first);
        const QByteArray cachePath = QFile::encodeName(folder.path() + "DATA/Lib.ENG.cache");
        struct stat cached {};
        QCOMPARE(::stat(cachePath.constData(), &cached), 0);
        if (after == "missing")
            QVERIFY(QFile::remove(ranksPath));
        else if (after != before)
            folder.write("DATA/Ranks.ENG", after);
        WordLibrary second;
        second.language = kEnglish;
        loadWords(second);
        QCOMPARE(QString::number(second.lists[3].tierAt(second.lists[3].indexOf("CAT"))), catTier);
        struct stat now {};
        QCOMPARE(::stat(cachePath.constData(), &now), 0);
        QCOMPARE(now.st_ino != cached.st_ino, remade);
    }

    // A word a player adds is rarest, and the library's tiers stay with their words.
    void addedWordIsRarest() {
        const auto words = makeRankedWords({"BEE 1", "DOG 2"});
        words->lists[3].insert("CAT");
        QCOMPARE(tiers(*words), (QStringList{"BEE=1", "CAT=5", "DOG=2"}));
    }

    // On the board "?AT??" over "??E??": BAT and RATE at the first cell (B before R), TEN
    // through a later cell left of E, TES and ATES through one right of E, later still.
    void choosesCommonestOfLongest_data() {
        QTest::addColumn<QStringList>("dictionary");
        QTest::addColumn<int>("maxWordLength");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<bool>("everyday");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("shown"); // every better word, in order
        const auto row = [](const char* name, const QStringList& dictionary, int length, bool hint,
                            bool everyday, const char* word, const QStringList& shown) {
            QTest::newRow(name) << dictionary << length << hint << everyday << QString(word)
                                << shown;
        };
        row("a commoner word found later wins", {"BAT 3", "TEN 1"}, 8, false, false, "TEN",
            {"BAT", "TEN"});
        row("a commoner word in a later cell after a full-length word", {"BAT 3", "TEN 1"}, 3,
            false, false, "TEN", {"BAT", "TEN"});
        row("the first of equally common words stays", {"BAT 2", "TEN 2"}, 8, false, false, "BAT",
            {"BAT"});
        row("a rarer word found later does not replace", {"BAT 1", "TEN 3"}, 8, false, false, "BAT",
            {"BAT"});
        row("a longer rare word beats a shorter common one", {"BAT 1", "TEN 1", "RATE 5"}, 8, false,
            false, "RATE", {"BAT", "RATE"});
        row("the computer never plays a rude word", {"BAT 0", "RATE 0", "TEN 4"}, 8, false, false,
            "TEN", {"TEN"});
        row("nothing but rude words: a pass", {"BAT 0"}, 8, false, false, "", {});
        row("the hint may give a rude word when none is as long", {"BAT 0", "TEN 4", "RATE 0"}, 8,
            true, false, "RATE", {"BAT", "RATE"});
        row("the hint prefers a common word to a rude one", {"BAT 0", "TEN 4"}, 8, true, false,
            "TEN", {"BAT", "TEN"});
        row("the hint's length stays within the strength after a full-length word",
            {"BAT 3", "TES 1", "ATES 1"}, 3, true, false, "TES", {"BAT", "TES"});
        row("everyday words only: a shorter everyday word", {"BAT 2", "RATE 3"}, 8, false, true,
            "BAT", {"BAT"});
        row("everyday words only: a rarer word when no everyday word fits", {"BAT 4", "RATE 3"}, 8,
            false, true, "RATE", {"BAT", "RATE"});
        row("everyday words only: never a rude word", {"BAT 0", "RATE 0"}, 8, false, true, "", {});
        row("the hint ignores everyday words only", {"BAT 2", "RATE 3"}, 8, true, true, "RATE",
            {"BAT", "RATE"});
    }
    void choosesCommonestOfLongest() {
        QFETCH(QStringList, dictionary);
        QFETCH(int, maxWordLength);
        QFETCH(bool, hint);
        QFETCH(bool, everyday);
        QFETCH(QString, word);
        QFETCH(QStringList, shown);

        const auto words = makeRankedWords(dictionary);
        std::array<std::string_view, 5> rows = {"?????", "?????", "?AT??", "??E??", "?????"};
        const LetterGrid board = *letterGridFromRows(rows);
        SearchLimits limits;
        limits.language = kEnglish;
        limits.maxWordLength = uint16_t(maxWordLength);
        limits.hintMode = hint;
        limits.everydayOnly = everyday;

        class Shown : public SearchObserver {
        public:
            QStringList words;
            bool trialLetterDone() override { return true; }
            void bestWordFound(const LetterGrid&, const std::string& word) override {
                words << cp1251ToUnicode(word);
            }
        } observer;
        const SearchResult result = findBestWord(board, *words, PlayedWords{}, limits, &observer);
        QCOMPARE(cp1251ToUnicode(result.word), word);
        QCOMPARE(observer.words, shown);
        // The computer's turn runs the same search step by step.
        StepwiseSearch stepwise(board, *words, PlayedWords{}, limits, nullptr);
        while (stepwise.step()) {
        }
        QCOMPARE(cp1251ToUnicode(stepwise.result().word), word);
    }

    void startWords_data() {
        QTest::addColumn<QStringList>("dictionary");
        QTest::addColumn<QStringList>("allowed");
        QTest::newRow("everyday words only")
            << QStringList{"HOUSE 1", "MOUSE 2", "GOOSE 3", "HORSE", "NOOKY 0"}
            << QStringList{"HOUSE", "MOUSE"};
        QTest::newRow("no everyday word: any but rude")
            << QStringList{"GOOSE 3", "HORSE", "NOOKY 0"} << QStringList{"GOOSE", "HORSE"};
        QTest::newRow("no ranks at all")
            << QStringList{"GOOSE", "HORSE"} << QStringList{"GOOSE", "HORSE"};
        QTest::newRow("only rude words are still a start")
            << QStringList{"NOOKY 0"} << QStringList{"NOOKY"};
    }
    void startWords() {
        QFETCH(QStringList, dictionary);
        QFETCH(QStringList, allowed);
        const auto words = makeRankedWords(dictionary);
        QRandomGenerator random(34);
        std::set<QString> chosen;
        for (int game = 0; game < 200; ++game)
            chosen.insert(cp1251ToUnicode(chooseStartWord(*words, random)));
        // Every allowed word comes up, and nothing else.
        QCOMPARE(QStringList(chosen.begin(), chosen.end()), allowed);
    }

    void findsMeaning_data() {
        QTest::addColumn<QByteArray>("file"); // "missing": no file
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("meaning"); // empty: none
        const QByteArray meanings = "; WordNet glosses\r\nHOUSE\ta dwelling\r\nMOUSE\ta small "
                                    "rodent  \r\nCAT\ta pet";
        QTest::newRow("found, in any case") << meanings << "mouse"
                                            << "a small rodent";
        QTest::newRow("the last line without a line end") << meanings << "CAT"
                                                          << "a pet";
        QTest::newRow("a word the file lacks") << meanings << "DOG"
                                               << "";
        QTest::newRow("only the start of a listed word") << meanings << "HOUS"
                                                         << "";
        QTest::newRow("a comment is no word") << meanings << "; WordNet glosses"
                                              << "";
        QTest::newRow("missing file") << QByteArray("missing") << "HOUSE"
                                      << "";
    }
    void findsMeaning() {
        QFETCH(QByteArray, file);
        QFETCH(QString, word);
        QFETCH(QString, meaning);
        TestGameFolder folder;
        if (file != "missing")
            folder.write("DATA/Meanings.ENG", file);
        QCOMPARE(meaningsPath(kEnglish), folder.path() + "DATA/Meanings.ENG");
        const std::optional<std::string> found =
            findMeaning(meaningsPath(kEnglish), unicodeToCp1251(word));
        QCOMPARE(found ? cp1251ToUnicode(*found) : QString(), meaning);
        QCOMPARE(bool(found), !meaning.isEmpty());
    }

    void dictionaryAddress_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("address");
        QTest::newRow("English, in lower case") << int(kEnglish) << "HOUSE"
                                                << "https://en.wiktionary.org/wiki/house";
        QTest::newRow("Russian, UTF-8 percent-encoded")
            << int(kRussian) << "ЁЖ"
            << "https://ru.wiktionary.org/wiki/%D1%91%D0%B6";
    }
    void dictionaryAddress() {
        QFETCH(int, language);
        QFETCH(QString, word);
        QFETCH(QString, address);
        QCOMPARE(::dictionaryAddress(uint16_t(language), unicodeToCp1251(word)), address);
        // Russian has no definitions to show.
        QCOMPARE(meaningsPath(uint16_t(language)).isEmpty(), language == kRussian);
    }
};

QTEST_GUILESS_MAIN(TestCommonWords)
#include "tst_commonwords.moc"
