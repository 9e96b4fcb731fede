// The word libraries that accompany the game (dist/DATA/Lib.RUS, Lib.ENG, Lib.UKR): the
// committed files must keep the file rules byte for byte, load whole through the game's
// own loader, and keep the promises of the review lists in tools/libraries; a ranks file
// names only words of its library, in the library's order.
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/ProgramFolder.h"
#include "tests/support/TestFolder.h"

#include <QFile>
#include <QtTest>

#include <map>
#include <set>

namespace {
const QString kDistFolder = QStringLiteral(VORDA_SOURCE_DIR "/dist/");
const QString kReviewFolder = QStringLiteral(VORDA_SOURCE_DIR "/tools/libraries/");
constexpr int kMinFiveLetterWords = 2500; // every game starts from a random five-letter word

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", qPrintable(path));
    return file.readAll();
}

// A review list: UTF-8, one word a line, '#' starts a comment. words come back in the
// library's spelling: capitals, Ё as Е, Windows-1251 bytes.
std::vector<std::string> readReviewList(const QString& name) {
    std::vector<std::string> words;
    const QString text = QString::fromUtf8(readFile(kReviewFolder + name));
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        line = line.toUpper().replace(QChar(0x0401), QChar(0x0415)); // Ё -> Е
        words.push_back(unicodeToCp1251(line));
    }
    return words;
}

// The word lines of a library file (comment lines dropped); the file must be split by CR LF.
QList<QByteArray> wordLines(const QByteArray& file) {
    QList<QByteArray> lines = file.split('\n');
    lines.removeLast(); // after the final line end
    QList<QByteArray> words;
    for (QByteArray line : lines) {
        line.chop(1); // the CR
        if (!line.startsWith(';'))
            words << line;
    }
    return words;
}
} // namespace

class TestLibraries : public QObject {
    Q_OBJECT
private:
    static void addLanguages() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QByteArray>("letters");
        QTest::addColumn<int>("minWords");
        QByteArray russian, english;
        for (int c = 192; c <= 223; ++c)
            russian += char(c);
        for (char c = 'A'; c <= 'Z'; ++c)
            english += c;
        QTest::newRow("Russian") << 1 << "DATA/Lib.RUS"
                                 << "rus" << russian << 35000;
        QTest::newRow("English") << 2 << "DATA/Lib.ENG"
                                 << "eng" << english << 25000;
    }
    static QByteArray ukrainianLetters() {
        return QByteArray::fromStdString(
            unicodeToCp1251(QString::fromUtf8("АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ")));
    }

private slots:
    void init() { words = WordLibrary(); }

    void fileKeepsTheFormat_data() {
        addLanguages();
        QTest::newRow("Ukrainian") << 3 << "DATA/Lib.UKR"
                                   << "ukr" << ukrainianLetters() << 40000;
    }
    void fileKeepsTheFormat() {
        QFETCH(QString, file);
        QFETCH(QByteArray, letters);
        QFETCH(int, minWords);
        const QByteArray bytes = readFile(kDistFolder + file);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY2(!bytes.contains('\x1a'), "an end-of-file mark would hide the words after it");
        // Every CR is followed by LF and every LF preceded by CR.
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r')
                QVERIFY2(i + 1 < bytes.size() && bytes[i + 1] == '\n',
                         qPrintable(QString("lone CR at byte %1").arg(i)));
            if (bytes[i] == '\n')
                QVERIFY2(i > 0 && bytes[i - 1] == '\r',
                         qPrintable(QString("lone LF at byte %1").arg(i)));
        }
        const QList<QByteArray> lines = bytes.split('\n');
        QVERIFY(lines.size() - 1 <= kMaxWordLines);
        bool header = true;
        int comments = 0;
        QByteArray previous;
        for (qsizetype n = 0; n + 1 < lines.size(); ++n) {
            const QByteArray line = lines[n].chopped(1);
            const QString where = QString("line %1").arg(n + 1);
            if (line.startsWith(';')) {
                QVERIFY2(header, qPrintable(where + ": comments belong at the top"));
                ++comments;
                for (char c : line)
                    QVERIFY2(c >= 32 && c < 127,
                             qPrintable(where + ": comment is not plain ASCII"));
                continue;
            }
            header = false;
            QVERIFY2(line.size() >= kMinWordLength && line.size() <= kMaxWordLength,
                     qPrintable(where + ": word length out of 2..20"));
            for (char c : line)
                QVERIFY2(
                    letters.contains(c),
                    qPrintable(where + QString(": byte %1 is not a capital letter").arg(uchar(c))));
            QVERIFY2(previous < line, qPrintable(where + ": words are not sorted or repeat"));
            previous = line;
        }
        QVERIFY2(comments >= 3, "the header names the source, its licence and the tool");
        QVERIFY(wordLines(bytes).size() > minWords);
        // Room is left for the words a player adds.
        QVERIFY(wordLines(bytes).size() <= 63000);
    }

    void ranksFileNamesLibraryWords_data() {
        QTest::addColumn<QString>("ranks");
        QTest::addColumn<QString>("library");
        QTest::newRow("Ukrainian") << "DATA/Ranks.UKR"
                                   << "DATA/Lib.UKR";
    }
    void ranksFileNamesLibraryWords() {
        QFETCH(QString, ranks);
        QFETCH(QString, library);
        const QList<QByteArray> libraryWords = wordLines(readFile(kDistFolder + library));
        QHash<QByteArray, int> place;
        for (int n = 0; n < libraryWords.size(); ++n)
            place.insert(libraryWords[n], n);
        const QByteArray bytes = readFile(kDistFolder + ranks);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(bytes.startsWith(";"));
        int previous = -1;
        int everyday = 0, fiveLetterEveryday = 0;
        for (const QByteArray& line : wordLines(bytes)) {
            const qsizetype space = line.indexOf(' ');
            QVERIFY2(space > 0 && space == line.size() - 2, line.constData());
            const QByteArray word = line.left(space);
            const char tier = line.back();
            QVERIFY2(tier >= '0' && tier <= '5', line.constData());
            QVERIFY2(place.contains(word), "a ranked word that the library lacks");
            QVERIFY2(place.value(word) > previous, "ranks out of the library's order");
            previous = place.value(word);
            if (tier == '1' || tier == '2') {
                ++everyday;
                fiveLetterEveryday += word.size() == 5;
            }
        }
        // Enough everyday five-letter words to start games from.
        QVERIFY2(fiveLetterEveryday >= 100,
                 qPrintable(QString("%1 everyday five-letter words").arg(fiveLetterEveryday)));
        QVERIFY(everyday > 1000);
    }

    void loaderReadsEveryWord_data() { addLanguages(); }
    void loaderReadsEveryWord() {
        QFETCH(int, language);
        QFETCH(QString, file);
        // Read as the game reads them, though not through the game folder: a cache the game
        // keeps beside a library must not land in the source tree.
        words.language = uint16_t(language);
        loadWordsFromFile(words, kDistFolder + file);
        const QList<QByteArray> lines = wordLines(readFile(kDistFolder + file));
        QCOMPARE(int(words.wordCount[language]), lines.size());
        int stored = 0;
        for (int n = kMinWordLength; n <= kMaxWordLength; ++n)
            stored += words.lists[n].size();
        QCOMPARE(stored, lines.size()); // no word is lost as a duplicate of another
        QVERIFY2(words.lists[5].size() >= kMinFiveLetterWords,
                 qPrintable(QString("%1 five-letter words").arg(words.lists[5].size())));
        // Spot checks through the look-up the game uses: first, middle and last word.
        for (const QByteArray& w : {lines.first(), lines[lines.size() / 2], lines.last()}) {
            QVERIFY(w.size() >= kMinWordLength && w.size() <= kMaxWordLength);
            QVERIFY(findWord(words, std::string_view(w.constData(), w.size()), uint16_t(w.size())));
        }
    }

    void reviewListsHold_data() { addLanguages(); }
    void reviewListsHold() {
        QFETCH(int, language);
        QFETCH(QString, file);
        QFETCH(QString, prefix);
        words.language = uint16_t(language);
        loadWordsFromFile(words, kDistFolder + file);
        const auto present = readReviewList(prefix + "_present.txt");
        const auto absent = readReviewList(prefix + "_absent.txt");
        QVERIFY(present.size() >= 50);
        QVERIFY(absent.size() >= 50);
        QStringList missing, intruders;
        for (const std::string& w : present)
            if (w.size() < kMinWordLength || w.size() > kMaxWordLength ||
                !findWord(words, w, uint16_t(w.size())))
                missing << cp1251ToUnicode(w);
        for (const std::string& w : absent)
            if (w.size() >= kMinWordLength && w.size() <= kMaxWordLength &&
                findWord(words, w, uint16_t(w.size())))
                intruders << cp1251ToUnicode(w);
        QVERIFY2(missing.isEmpty(), qPrintable("missing everyday nouns: " + missing.join(", ")));
        QVERIFY2(intruders.isEmpty(),
                 qPrintable("words that must be absent: " + intruders.join(", ")));
    }

    // The commonness ranks beside each library: "WORD TIER" lines in the library's order, tier
    // 0 exactly for the reviewed rude words, an everyday share (tiers 1 and 2) of a quarter to
    // two fifths, plenty of everyday five-letter start words, the everyday nouns of the review
    // list everyday and the rare words that once made the computer look odd not.
    void ranksHold_data() {
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("rare");
        QTest::newRow("Russian") << "DATA/Lib.RUS"
                                 << "rus"
                                 << "КЛЕЩИК ПИЩИК ЛЕГАТ НАГЕЛЬ ДЕРЕЗА ГЛАЗЕТ БОРТОВКА ЛЕЩИК ЦИКЛЯ "
                                    "ОРХИТ АТТИК КРИЦА";
        QTest::newRow("English") << "DATA/Lib.ENG"
                                 << "eng"
                                 << "CRATON TRENAIL STACTE SCLERA GALOOT COTTAR EIDER FURZE TOPEE";
    }
    void ranksHold() {
        QFETCH(QString, library);
        QFETCH(QString, prefix);
        QFETCH(QString, rare);
        const QList<QByteArray> libraryWords = wordLines(readFile(kDistFolder + library));
        std::map<QByteArray, qsizetype> place;
        for (qsizetype i = 0; i < libraryWords.size(); ++i)
            place[libraryWords[i]] = i;
        QString ranks = library;
        ranks.replace(QStringLiteral("Lib."), QStringLiteral("Ranks."));
        const QByteArray bytes = readFile(kDistFolder + ranks);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(bytes.startsWith(';')); // sources, licences and the tool on top
        std::map<QByteArray, int> tier;
        qsizetype previous = -1;
        for (const QByteArray& line : wordLines(bytes)) {
            const QList<QByteArray> parts = line.split(' ');
            QVERIFY2(parts.size() == 2 && parts[1].size() == 1 && parts[1][0] >= '0' &&
                         parts[1][0] <= '5',
                     line.constData());
            const auto at = place.find(parts[0]);
            QVERIFY2(at != place.end(), "a ranked word the library lacks");
            QVERIFY2(at->second > previous, "lines out of the library's order, or repeated");
            previous = at->second;
            tier[parts[0]] = parts[1][0] - '0';
        }
        const auto tierOf = [&](const QByteArray& w) {
            const auto it = tier.find(w);
            return it == tier.end() ? 5 : it->second; // unlisted: rarest
        };
        std::set<QByteArray> rude;
        for (const std::string& w : readReviewList(prefix + "_rude.txt"))
            rude.insert(QByteArray::fromStdString(w));
        QVERIFY(rude.size() >= 5);
        QStringList wrong; // tier 0 without being on the rude list, or the other way round
        for (const QByteArray& w : libraryWords)
            if ((tierOf(w) == 0) != (rude.count(w) > 0))
                wrong << cp1251ToUnicode(w.toStdString());
        QVERIFY2(wrong.isEmpty(),
                 qPrintable("tier 0 and the rude list differ: " + wrong.join(", ")));
        int everyday = 0, everydayFive = 0;
        for (const QByteArray& w : libraryWords)
            if (tierOf(w) == 1 || tierOf(w) == 2) {
                ++everyday;
                everydayFive += w.size() == 5;
            }
        const double share = double(everyday) / double(libraryWords.size());
        QVERIFY2(share >= 0.25 && share <= 0.40,
                 qPrintable(QString("everyday share %1").arg(share)));
        QVERIFY2(everydayFive >= 1000, qPrintable(QString("%1 start words").arg(everydayFive)));
        const auto present = readReviewList(prefix + "_present.txt");
        int presentEveryday = 0;
        for (const std::string& w : present)
            presentEveryday += tierOf(QByteArray::fromStdString(w)) == 1 ||
                               tierOf(QByteArray::fromStdString(w)) == 2;
        QVERIFY2(presentEveryday * 20 >= int(present.size()) * 19,
                 qPrintable(QString("only %1 of %2 everyday nouns are everyday")
                                .arg(presentEveryday)
                                .arg(present.size())));
        for (const QString& w : rare.split(QLatin1Char(' ')))
            QVERIFY2(tierOf(QByteArray::fromStdString(unicodeToCp1251(w))) >= 3, qPrintable(w));
    }

    // The English meanings: "WORD<TAB>gloss" for the library's words, in its order, each
    // gloss plain text of at most 200 characters, nearly every word with one.
    void meaningsHold() {
        const QList<QByteArray> libraryWords = wordLines(readFile(kDistFolder + "DATA/Lib.ENG"));
        std::map<QByteArray, qsizetype> place;
        for (qsizetype i = 0; i < libraryWords.size(); ++i)
            place[libraryWords[i]] = i;
        const QByteArray bytes = readFile(kDistFolder + "DATA/Meanings.ENG");
        QVERIFY(bytes.startsWith(';'));
        QVERIFY(bytes.endsWith("\r\n"));
        std::map<QByteArray, QByteArray> meaning;
        qsizetype previous = -1;
        for (const QByteArray& line : wordLines(bytes)) {
            const qsizetype tab = line.indexOf('\t');
            QVERIFY2(tab > 0, line.constData());
            const QByteArray word = line.left(tab), gloss = line.mid(tab + 1);
            const auto at = place.find(word);
            QVERIFY2(at != place.end() && at->second > previous, word.constData());
            previous = at->second;
            QVERIFY2(!gloss.isEmpty() && gloss.size() <= 200 && gloss.trimmed() == gloss,
                     word.constData());
            for (char c : gloss)
                QVERIFY2(c >= 32 && c < 127, word.constData());
            meaning[word] = gloss;
        }
        QVERIFY(meaning.size() * 100 >= size_t(libraryWords.size()) * 99);
        QVERIFY(meaning["CAT"].contains("feline"));
        QVERIFY(!meaning["CRATON"].contains('"'));     // examples are left out
        QVERIFY(meaning["WORSTED"].endsWith("yarns")); // ...even when one follows without a ';'
    }

private:
    WordLibrary words; // fresh for every test function
};

QTEST_GUILESS_MAIN(TestLibraries)
#include "tst_libraries.moc"
