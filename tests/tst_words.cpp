// The word library: loading byte-exact files, the comparison, look-ups and appending.
#include "core/LibraryCache.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/VordaError.h"
#include "tests/support/TestFolder.h"

#include <sys/stat.h>

#include <QtTest>

namespace {
// Every word the lists hold, in order.
QStringList allWords(const WordLibrary& words) {
    QStringList result;
    for (int n = kMinWordLength; n <= kMaxWordLength; ++n)
        for (int i = 0; i < words.lists[n].size(); ++i)
            result << cp1251ToUnicode(words.lists[n].at(i));
    return result;
}
// The files a cache of the folder's English library is made from.
CacheSources sources(const TestGameFolder& folder) {
    return {libraryFileState(folder.path() + "DATA/Lib.ENG"),
            libraryFileState(folder.path() + "DATA/Ranks.ENG")};
}
} // namespace

class TestWords : public QObject {
    Q_OBJECT
private slots:
    void init() { words = WordLibrary(); }

    void loadsLines_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("count");
        QTest::newRow("CR LF line ends")
            << QByteArray("CAT\r\nDOG\r\n") << QStringList{"CAT", "DOG"} << 2;
        QTest::newRow("lone CR line ends")
            << QByteArray("CAT\rDOG\r") << QStringList{"CAT", "DOG"} << 2;
        QTest::newRow("last line without line end")
            << QByteArray("CAT\r\nDOG") << QStringList{"CAT", "DOG"} << 2;
        QTest::newRow("lone LF stays in the line, which is then no word")
            << QByteArray("CAT\nDOG\n") << QStringList{} << 1;
        QTest::newRow("lone LF lines make one long line")
            << QByteArray("HOUSE\nMOUSE\nGOOSE\nHORSE\n") << QStringList{} << 0;
        QTest::newRow("Ctrl-Z ends the file")
            << QByteArray("CAT\r\nDOG\x1a\r\nEMU\r\n") << QStringList{"CAT", "DOG"} << 2;
        QTest::newRow("comments are skipped")
            << QByteArray(";AB\r\n;\r\n; a long comment line of many words\r\nOX\r\n")
            << QStringList{"OX"} << 1;
        QTest::newRow("empty lines are skipped")
            << QByteArray("\r\n\r\nOX\r\n\r\n") << QStringList{"OX"} << 1;
        QTest::newRow("one letter and 21 letters are ignored")
            << QByteArray("A\r\nABCDEFGHIJKLMNOPQRSTU\r\nABCDEFGHIJKLMNOPQRST\r\n")
            << QStringList{"ABCDEFGHIJKLMNOPQRST"} << 1;
        QTest::newRow("duplicates are stored once and counted twice")
            << QByteArray("CAT\r\ncat\r\nCAT\r\n") << QStringList{"CAT"} << 3;
        QTest::newRow("trailing blank is part of the line, which is then no word")
            << QByteArray("CAT \r\n") << QStringList{} << 1;
        QTest::newRow("blanks, control bytes and other alphabets are counted, never words")
            << QByteArray("C T\r\nDO\x7f\r\n\xC4\xCE\xCC\r\nOX\r\nZ\x01\r\n") << QStringList{"OX"}
            << 5;
        QTest::newRow("unsorted lines end up sorted")
            << QByteArray("PEAR\r\nAPPLE\r\nplum\r\nFIG\r\nfig\r\n")
            << QStringList{"FIG", "PEAR", "plum", "APPLE"} << 5;
        QTest::newRow("a word out of order among sorted ones")
            << QByteArray("ANT\r\nBEE\r\nAPE\r\nCOW\r\nbee\r\nDOG\r\n")
            << QStringList{"ANT", "APE", "BEE", "COW", "DOG"} << 6;
        QTest::newRow("empty file") << QByteArray() << QStringList{} << 0;
    }
    // The words are loaded with their look-up index, which finds each one in either case, and
    // the count alone comes out the same without loading the lists.
    void loadsLines() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        QFETCH(int, count);
        TestGameFolder folder;
        folder.write("DATA/Lib.ENG", file);
        words.language = 2;
        loadWords(words);
        QCOMPARE(allWords(words), expected);
        QCOMPARE(int(words.wordCount[2]), count);
        QCOMPARE(words.fileName, folder.path() + "DATA/Lib.ENG");
        for (const QString& word : expected) {
            const std::string bytes = unicodeToCp1251(word.toLower());
            QVERIFY2(findWord(words, bytes, uint16_t(bytes.size())), qPrintable(word));
        }
        WordLibrary counted;
        counted.language = 1;
        loadWordCount(counted, 2);
        QCOMPARE(int(counted.wordCount[2]), count);
        QCOMPARE(allWords(counted), QStringList{});
    }

    void languageChoosesTheFile() {
        TestGameFolder folder;
        folder.write("DATA/Lib.RUS", QByteArray::fromStdString(cp("КОШКА\r\n")));
        folder.write("DATA/Lib.ENG", "HOUSE\r\nMOUSE\r\n");
        words.language = 1;
        loadWords(words);
        QCOMPARE(allWords(words), QStringList{QString::fromUtf8("КОШКА")});
        words.language = 2;
        loadWords(words);
        QCOMPARE(allWords(words), (QStringList{"HOUSE", "MOUSE"}));
        QCOMPARE(int(words.wordCount[1]), 1);
        QCOMPARE(int(words.wordCount[2]), 2);
    }

    void comparisonIgnoresCase_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("Latin small and capital") << "house"
                                                 << "HOUSE" << 0;
        QTest::newRow("Cyrillic small and capital")
            << QString::fromUtf8("кошка") << QString::fromUtf8("КОШКА") << 0;
        QTest::newRow("yo small and capital")
            << QString::fromUtf8("ёж") << QString::fromUtf8("ЁЖ") << 0;
        QTest::newRow("ya is the last letter")
            << QString::fromUtf8("Я") << QString::fromUtf8("а") << 1;
        QTest::newRow("shorter first on a common prefix") << "CAT"
                                                          << "cats" << -1;
        QTest::newRow("different letters") << "BAT"
                                           << "cat" << -1;
        QTest::newRow("ya small and capital")
            << QString::fromUtf8("заяц") << QString::fromUtf8("ЗАЯЦ") << 0;
        QTest::newRow("the other Cyrillic pairs of the code page")
            << QString::fromUtf8("ђѓљњќћџўјґєіїѕ") << QString::fromUtf8("ЂЃЉЊЌЋЏЎЈҐЄІЇЅ") << 0;
        QTest::newRow("Cyrillic e and yo differ")
            << QString::fromUtf8("Е") << QString::fromUtf8("Ё") << 1;
    }
    void comparisonIgnoresCase() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const int c = cp1251CompareNoCase(unicodeToCp1251(a), unicodeToCp1251(b));
        QCOMPARE((c > 0) - (c < 0), sign);
    }

    void findWordAnswersLikeBinarySearch_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("found");
        QTest::newRow("stored in small letters, asked in capitals") << 2 << "HOUSE" << true;
        QTest::newRow("stored in capitals") << 2 << "MOUSE" << true;
        QTest::newRow("asked in small letters") << 2 << "mouse" << true;
        QTest::newRow("Russian stored small") << 1 << QString::fromUtf8("ЛАМПА") << true;
        QTest::newRow("ya stored small") << 1 << QString::fromUtf8("ЗАЯЦ") << true;
        QTest::newRow("a letter the Russian alphabet lacks (yi)")
            << 1 << QString::fromUtf8("ЇЖАК") << false;
        QTest::newRow("a Latin word in the Russian library") << 1 << "HOUSE" << false;
        QTest::newRow("missing word") << 2 << "GOOSE" << false;
        QTest::newRow("stored with a trailing blank never matches") << 2 << "TREE" << false;
    }
    void findWordAnswersLikeBinarySearch() {
        QFETCH(int, language);
        QFETCH(QString, word);
        QFETCH(bool, found);
        TestGameFolder folder;
        folder.write("DATA/Lib.ENG", "house\r\nMOUSE\r\nTREE \r\n");
        folder.write("DATA/Lib.RUS",
                     "house\r\n" + QByteArray::fromStdString(cp("лампа\r\nзаяц\r\nїжак\r\n")));
        words.language = uint16_t(language);
        loadWords(words);
        const std::string bytes = unicodeToCp1251(word);
        QCOMPARE(findWord(words, bytes, uint16_t(bytes.size())), found);
        QCOMPARE(words.lists[bytes.size()].contains(bytes), found);
    }

    void findWordRefusesOddLengths() {
        QVERIFY_THROWS_EXCEPTION(VordaError, findWord(words, "A", 1));
        QVERIFY_THROWS_EXCEPTION(VordaError, findWord(words, std::string(21, 'A'), 21));
    }

    // The words of a list lie side by side at the list's length: a word of another length
    // would shift every later entry, so it is refused and the list stays as it was.
    void listKeepsOneLength() {
        WordList list;
        list.insert("CAT");
        QVERIFY_THROWS_EXCEPTION(VordaError, list.insert("CATS"));
        QVERIFY_THROWS_EXCEPTION(VordaError, list.append("AT"));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.at(0), std::string("CAT"));
        list.clear();
        list.insert("CATS");
        QVERIFY(list.containsFast("cats"));
    }

    // Appended words stay sorted and findable after any other change: a look-up between two
    // appends, a list cleared and refilled by Insert before the next append.
    void appendAfterOtherChanges() {
        WordList list;
        list.append("ANT");
        QVERIFY(list.containsFast("ant"));
        list.append("BEE");
        QVERIFY(list.containsFast("bee"));
        list.clear();
        list.insert("ZOO");
        list.append("BOA");
        QCOMPARE(list.at(0), std::string("BOA"));
        QCOMPARE(list.at(1), std::string("ZOO"));
        QVERIFY(list.containsFast("zoo"));
    }

    // The lists kept in the library's cache are those a reading of the library gives, and the
    // cache serves only the bytes it was made from: a changed library, a damaged cache or one
    // with the count alone is passed over and made again.
    void cacheGivesWhatReadingGives_data() {
        QTest::addColumn<QString>("change"); // what happens between the two starts
        QTest::addColumn<bool>("remade");
        QTest::newRow("nothing: served from the cache") << "" << false;
        QTest::newRow("a letter of the library, same size") << "library" << true;
        QTest::newRow("a byte of the cached words") << "cached words" << true;
        QTest::newRow("a byte of the cached header") << "cached header" << true;
        QTest::newRow("the cache cut short") << "cut" << true;
        QTest::newRow("only the count was kept") << "count only" << true;
        QTest::newRow("only the count, a list's checksum after it") << "count and checksum" << true;
        QTest::newRow("cached lines that are no words") << "no words" << true;
        QTest::newRow("a library saved as UTF-8") << "utf-8" << false;
    }
    void cacheGivesWhatReadingGives() {
        QFETCH(QString, change);
        QFETCH(bool, remade);
        TestGameFolder folder;
        QByteArray library = "; comment\r\nOX\r\nAPE\r\nCAT\r\nbee\r\nAPE\r\nHOUSE\r\nMOUSE\r\n";
        if (change == "utf-8")
            library += "\xD0\x96\xD0\x96\xD0\x96\r\n";
        folder.write("DATA/Lib.ENG", library);
        const QString cachePath = folder.path() + "DATA/Lib.ENG.cache";
        WordLibrary first;
        first.language = 2;
        if (change.startsWith("count"))
            loadWordCount(first, 2);
        else
            loadWords(first);
        QVERIFY(QFile::exists(cachePath));
        QByteArray cache = folder.read("DATA/Lib.ENG.cache");
        if (change == "library") {
            library.replace("CAT", "COT");
            folder.write("DATA/Lib.ENG", library);
        } else if (change == "cached words") {
            cache[cache.size() - 12] = cache[cache.size() - 12] ^ 1;
        } else if (change == "cached header") {
            cache[104] = cache[104] ^ 1; // in the count of word lines
        } else if (change == "cut") {
            cache.chop(3);
        } else if (change == "count and checksum") {
            // The checksum of empty lists, as a cache of an empty library ends in it: with it,
            // the count alone would pass for a cache of empty lists.
            WordLibrary empty;
            empty.language = 2;
            writeLibraryCache(folder.path() + "empty.cache", sources(folder), &empty);
            cache += folder.read("empty.cache").right(8);
        } else if (change == "no words") {
            // Made by another program for this very state of the library.
            WordLibrary odd;
            odd.language = 2;
            odd.lists[3].insert("C T");
            writeLibraryCache(cachePath, sources(folder), &odd);
        }
        if (change.startsWith("cached") || change == "cut" || change == "count and checksum")
            folder.write("DATA/Lib.ENG.cache", cache);
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(cachePath).constData(), &before), 0);
        WordLibrary cached;
        cached.language = 2;
        loadWords(cached);
        WordLibrary read;
        read.language = 2;
        loadWordsFromFile(read, folder.path() + "DATA/Lib.ENG");
        QCOMPARE(allWords(cached), allWords(read));
        QCOMPARE(int(cached.wordCount[2]), int(read.wordCount[2]));
        QCOMPARE(cached.savedAsUtf8, read.savedAsUtf8);
        QCOMPARE(cached.lists[3].contains("cot"), change == "library");
        QVERIFY(findWord(cached, "house", 5));
        // After a reading from the cache, the lists take a word in its place as before.
        for (WordLibrary* words : {&cached, &read}) {
            words->lists[3].append("BAT");
            words->lists[3].append("ZOO");
        }
        QCOMPARE(allWords(cached), allWords(read));
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(cachePath).constData(), &after), 0);
        QCOMPARE(after.st_ino != before.st_ino, remade);
        // The count alone comes from the cache as well.
        WordLibrary counted;
        counted.language = 1;
        loadWordCount(counted, 2);
        QCOMPARE(int(counted.wordCount[2]), int(read.wordCount[2]));
        struct stat counting {};
        QCOMPARE(::stat(QFile::encodeName(cachePath).constData(), &counting), 0);
        QCOMPARE(counting.st_ino, after.st_ino);
    }

    void missingFileKeepsTheLists() {
        TestGameFolder folder;
        folder.write("DATA/Lib.ENG", "HOUSE\r\n");
        words.language = 2;
        loadWords(words);
        int refreshed = 0;
        words.loadedListener = [&](const WordLibrary&) { ++refreshed; };
        words.language = 1;
        bool raised = false;
        try {
            loadWords(words);
        } catch (const VordaError& error) {
            raised = true;
            QVERIFY(error.text().contains("Lib.RUS"));
        }
        words.loadedListener = nullptr;
        QVERIFY(raised);
        QCOMPARE(words.fileName, folder.path() + "DATA/Lib.RUS");
        QCOMPARE(int(words.wordCount[1]), 0);
        QCOMPARE(allWords(words), QStringList{"HOUSE"});
        QCOMPARE(refreshed, 0);
    }

    void tooManyLinesOverflow() {
        TestGameFolder folder;
        QByteArray file;
        for (int i = 0; i < 65536; ++i)
            file += "AB\r\n";
        folder.write("DATA/Lib.ENG", file);
        words.language = 2;
        QVERIFY_THROWS_EXCEPTION(VordaError, loadWords(words));
        QCOMPARE(words.lists[2].size(), 1);
        // Distinct words in order: the lists keep every word read before the one too many.
        QByteArray distinct = "AB\r\n";
        for (int i = 0; i < 65535; ++i)
            distinct += QByteArray(1, char('A' + i / 17576)) + char('A' + i / 676 % 26) +
                        char('A' + i / 26 % 26) + char('A' + i % 26) + "\r\n";
        folder.write("DATA/Lib.ENG", distinct);
        QVERIFY_THROWS_EXCEPTION(VordaError, loadWords(words));
        QCOMPARE(words.lists[2].size(), 1);
        QCOMPARE(words.lists[4].size(), 65534);
        QVERIFY(findWord(words, "aaab", 4));
        folder.write("DATA/Lib.ENG", file);
        WordLibrary counted;
        counted.wordCount[2] = 7;
        QVERIFY_THROWS_EXCEPTION(VordaError, loadWordCount(counted, 2));
        QCOMPARE(int(counted.wordCount[2]), 0);
        file.chop(4);
        folder.write("DATA/Lib.ENG", file);
        loadWords(words);
        QCOMPARE(int(words.wordCount[2]), 65535);
        // One word more could never be loaded again: the append is refused, naming the file.
        QString message;
        try {
            appendWordToLibrary(words, "DOG");
        } catch (const VordaError& error) {
            message = error.text();
        }
        QVERIFY2(message.contains("Lib.ENG\": it already holds 65535 words"), qPrintable(message));
        QCOMPARE(folder.read("DATA/Lib.ENG"), file);
    }

    void appendWord_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("after a complete last line")
            << QByteArray("CAT\r\n") << QByteArray("CAT\r\nDOG\r\n");
        QTest::newRow("last line without line end is ended first")
            << QByteArray("CAT") << QByteArray("CAT\r\nDOG\r\n");
        QTest::newRow("last line ending in a lone LF")
            << QByteArray("CAT\n") << QByteArray("CAT\n\r\nDOG\r\n");
        QTest::newRow("last line ending in CR")
            << QByteArray("CAT\r") << QByteArray("CAT\rDOG\r\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray("DOG\r\n");
        QTest::newRow("before the end-of-file mark")
            << QByteArray("CAT\r\n\x1a") << QByteArray("CAT\r\nDOG\r\n\x1a");
    }
    void appendWord() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        TestGameFolder folder;
        folder.write("DATA/Lib.ENG", before);
        words.language = 2;
        loadWords(words);
        appendWordToLibrary(words, "DOG");
        QCOMPARE(folder.read("DATA/Lib.ENG"), after);
        loadWords(words);
        QVERIFY(findWord(words, "DOG", 3));
    }

    // An added word that would make the library unloadable is refused, the file left whole.
    void appendCrossingTheByteLimit_data() {
        QTest::addColumn<int>("room"); // bytes the file may still grow by
        QTest::addColumn<bool>("added");
        QTest::newRow("the word and its line end fit exactly") << 5 << true;
        QTest::newRow("one byte too many") << 4 << false;
    }
    void appendCrossingTheByteLimit() {
        QFETCH(int, room);
        QFETCH(bool, added);
        TestGameFolder folder;
        const qsizetype size = kMaxLibraryBytes - room;
        const QByteArray file = "CAT\r\n;" + QByteArray(size - 8, 'x') + "\r\n";
        folder.write("DATA/Lib.ENG", file);
        words.language = 2;
        loadWords(words);
        QString message;
        try {
            appendWordToLibrary(words, "DOG");
        } catch (const VordaError& error) {
            message = error.text();
        }
        QVERIFY2(message.isEmpty() == added, qPrintable(message));
        QCOMPARE(folder.read("DATA/Lib.ENG"), added ? file + "DOG\r\n" : file);
        loadWords(words);
        QCOMPARE(findWord(words, "DOG", 3), added);
    }

    void appendToMissingFileFails() {
        TestGameFolder folder;
        folder.write("DATA/Lib.ENG", "CAT\r\n");
        words.language = 2;
        loadWords(words);
        QFile::remove(folder.path() + "DATA/Lib.ENG");
        QVERIFY_THROWS_EXCEPTION(VordaError, appendWordToLibrary(words, "DOG"));
        QVERIFY(!QFile::exists(folder.path() + "DATA/Lib.ENG"));
    }

    void listIndexOutOfBounds() {
        WordList list;
        bool raised = false;
        try {
            list.at(0);
        } catch (const VordaError& error) {
            raised = true;
            QCOMPARE(error.text(), QString("List index out of bounds (0)"));
        }
        QVERIFY(raised);
    }

private:
    WordLibrary words; // fresh for every test function
};

QTEST_GUILESS_MAIN(TestWords)
#include "tst_words.moc"
