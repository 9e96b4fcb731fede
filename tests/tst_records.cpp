// The records table and its file, the records window and the name entry after a game.
#include "core/PlayedWords.h"
#include "core/WordLibrary.h"
#include "extras/GameServices.h"
#include "extras/QuestionWindow.h"
#include "platform/Cp1251.h"
#include "platform/VordaError.h"
#include "records/NameEntryWindow.h"
#include "records/RecordsTable.h"
#include "settings/StrengthWindow.h"
#include "skin/CoolControls.h"
#include "skin/CoolEdit.h"
#include "tests/support/GameFixture.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
const QStringList kRussianWords = {QString::fromUtf8("КОШКА")};
const QStringList kEnglishWords = {"HOUSE"};

// An empty entry as the fresh file holds it.
const QByteArray kEmptyPair = "-\r\n-666\r\n";

QByteArray freshFile() {
    QByteArray bytes;
    for (int block = 0; block < 12; ++block)
        bytes += kEmptyPair.repeated(10) + "\r\n";
    return bytes;
}

// The first entries of a records file (with the empty line after a block of ten), the others
// as the fresh file has them.
QByteArray complete(const QByteArray& beginning, int entries) {
    return beginning + freshFile().mid(entries * kEmptyPair.size() + entries / 10 * 2);
}

// Lines given in UTF-8, written CP1251 with CR LF.
QByteArray lines(const QStringList& text) {
    QByteArray bytes;
    for (const QString& line : text)
        bytes += QByteArray::fromStdString(unicodeToCp1251(line)) + "\r\n";
    return bytes;
}

// A list as "score name" items, place 1 first.
QStringList listText(const RecordEntry* list) {
    QStringList items;
    for (int place = 1; place <= kRecordPlaces; ++place)
        items << QString::number(list[place].score) + " " + cp1251ToUnicode(list[place].name);
    return items;
}

void setList(RecordEntry* list, const QStringList& items) {
    for (int place = 1; place <= kRecordPlaces; ++place) {
        const QString item = items.value(place - 1, "-666 -");
        const qsizetype blank = item.indexOf(' ');
        list[place] = RecordEntry{unicodeToCp1251(item.mid(blank + 1)), item.left(blank).toInt()};
    }
}

// Typing as the keyboard does it, any letters (QTest::keyClicks knows only Latin-1 keys).
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void clickButton(CoolButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

QStringList captions(CoolLabel* const* labels) {
    QStringList texts;
    for (int row = 1; row <= kRecordPlaces; ++row)
        texts << cp1251ToUnicode(labels[row]->caption());
    return texts;
}
} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void init() { records_ = RecordsTable(); }
    void readsTheFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("strength");
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");
        QTest::newRow("fresh file, first entry") << freshFile() << 1 << 1 << 1 << "-" << -666;
        QTest::newRow("fresh file, last entry") << freshFile() << 2 << 6 << 10 << "-" << -666;
        const QByteArray named = lines({QString::fromUtf8("Вася Пупкин"), "-12", "Ann", "7"}) +
                                 kEmptyPair.repeated(8) + "\r\n" + lines({"", "2147483647"});
        QTest::newRow("Cyrillic name")
            << complete(named, 11) << 1 << 1 << 1 << QString::fromUtf8("Вася Пупкин") << -12;
        QTest::newRow("second place") << complete(named, 11) << 1 << 1 << 2 << "Ann" << 7;
        QTest::newRow("empty name, largest score")
            << complete(named, 11) << 1 << 2 << 1 << "" << 2147483647;
        QTest::newRow("blanks around the score, text after it")
            << complete(lines({"Bo", "  \t42 points"}), 1) << 1 << 1 << 1 << "Bo" << 42;
        QTest::newRow("score after empty lines")
            << complete(lines({"Bo", "", "", "+5", "Cy", "6"}), 2) << 1 << 1 << 2 << "Cy" << 6;
        QTest::newRow("the line after a block is skipped whatever it holds")
            << complete(kEmptyPair.repeated(10) + "junk\r\n" + lines({"Di", "3"}), 11) << 1 << 2
            << 1 << "Di" << 3;
        QTest::newRow("LF line ends")
            << complete(QByteArray("Eve\n9\nFay\n8\n"), 2) << 1 << 1 << 2 << "Fay" << 8;
        QTest::newRow("last block without its empty line")
            << freshFile().chopped(2) << 2 << 6 << 10 << "-" << -666;
        QTest::newRow("CR CR LF line ends, converted twice")
            << complete(lines({"Bo", "42"}), 1).replace("\r\n", "\r\r\n") << 2 << 6 << 10 << "-"
            << -666;
    }
    void readsTheFile() {
        QFETCH(QByteArray, file);
        QFETCH(int, language);
        QFETCH(int, strength);
        QFETCH(int, place);
        TestGameFolder folder;
        folder.write("DATA/Winners", file);
        readWinners(records_);
        const RecordEntry& entry = records_.lists[language][strength][place];
        QTEST(cp1251ToUnicode(entry.name), "name");
        QTEST(int(entry.score), "score");
    }

    // Al 5 and Bo 7 open the file; what follows them decides where it breaks.
    void damagedFileKeepsWhatCameBefore_data() {
        QTest::addColumn<QByteArray>("rest");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("kept");
        QTest::newRow("letters") << lines({"Cy", "abc"}) << 6 << "holds 'abc'" << 2;
        QTest::newRow("digits then letters") << lines({"Cy", "12a"}) << 6 << "holds '12a'" << 2;
        QTest::newRow("beyond 32 bits")
            << lines({"Cy", "2147483648"}) << 6 << "holds '2147483648'" << 2;
        QTest::newRow("two signs") << lines({"Cy", "--5"}) << 6 << "holds '--5'" << 2;
        QTest::newRow("binary junk")
            << QByteArray("Cy\r\n\x01\xff\x00\x7f\r\n", 10) << 6 << "holds '" << 2;
        QTest::newRow("a name without its score") << lines({"Cy"}) << 6 << "ends there" << 2;
        QTest::newRow("short file") << QByteArray() << 5 << "ends there" << 2;
        QTest::newRow("early Ctrl-Z") << "Cy\r\n\x1a" + freshFile() << 6 << "ends there" << 2;
        QTest::newRow("bytes after the last list")
            << freshFile().mid(2 * kEmptyPair.size()) + "junk\r\n"
            << 253 << "goes on after" << 2;
    }
    void damagedFileKeepsWhatCameBefore() {
        QFETCH(QByteArray, rest);
        QFETCH(int, line);
        QFETCH(QString, what);
        QFETCH(int, kept);
        TestGameFolder folder;
        folder.write("DATA/Winners", lines({"Al", "5", "Bo", "7"}) + rest);
        QString message;
        try {
            readWinners(records_);
        } catch (const VordaError& error) {
            message = error.text();
        }
        QVERIFY2(message.contains(QDir::toNativeSeparators(recordsPath()) +
                                  QString("\" is damaged at line %1: ").arg(line)),
                 qPrintable(message));
        QVERIFY2(message.contains(what), qPrintable(message));
        QCOMPARE(listText(records_.lists[1][1]).mid(0, kept), (QStringList{"5 Al", "7 Bo"}));
        // Every place from the damage on is emptied, never left as an empty name with 0.
        QCOMPARE(listText(records_.lists[1][1]).mid(kept), QStringList(10 - kept, "-666 -"));
        QCOMPARE(listText(records_.lists[2][6]), QStringList(10, "-666 -"));
    }

    // A records file too large to be read is moved aside whole before the close writes the
    // records. What is not a regular file is reported without being opened, and never
    // replaced: a FIFO would block the start, a link to a device would lose the device.
    void fileThatCannotBeReadIsKept_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("larger than any records file") << "large"
                                                      << "larger than";
        QTest::newRow("a folder") << "folder"
                                  << "not a regular file";
        QTest::newRow("a FIFO") << "fifo"
                                << "not a regular file";
        QTest::newRow("a device node") << "device"
                                       << "not a regular file";
        QTest::newRow("a link to a device node") << "link"
                                                 << "not a regular file";
    }
    void fileThatCannotBeReadIsKept() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        TestGameFolder folder;
        const QString path = folder.path() + "DATA/Winners";
        const QByteArray name = QFile::encodeName(path);
        const QByteArray node = QFile::encodeName(folder.path() + "node");
        if (kind == "large") {
            folder.write("DATA/Winners", freshFile());
            QVERIFY(QFile::resize(path, 17 << 20));
        } else if (kind == "folder") {
            folder.write("DATA/Winners/mine", "x");
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        } else {
            if (::mknod(kind == "device" ? name.constData() : node.constData(), S_IFCHR | 0666,
                        makedev(1, 3)) != 0)
                QSKIP("device nodes can be made only by root");
            if (kind == "link")
                QVERIFY(QFile::link(folder.path() + "node", path));
        }
        struct stat before;
        QCOMPARE(::stat(name.constData(), &before), 0);
        // A reading that blocks ends the test here.
        ::alarm(60);
        QString error;
        try {
            readWinners(records_);
        } catch (const VordaError& raised) {
            error = raised.text();
        }
        QVERIFY2(error.startsWith("Cannot read the records file") && error.contains(message),
                 qPrintable(error));
        QCOMPARE(listText(records_.lists[1][1]), QStringList(10, "-666 -"));
        if (kind == "large") {
            writeWinners(records_);
            QCOMPARE(QFileInfo(path + ".damaged").size(), qint64(17 << 20));
            QCOMPARE(folder.read("DATA/Winners"), freshFile());
        } else {
            QVERIFY_THROWS_EXCEPTION(VordaError, writeWinners(records_));
            struct stat after;
            QCOMPARE(::stat(name.constData(), &after), 0);
            QCOMPARE(after.st_mode, before.st_mode);
            QCOMPARE(after.st_ino, before.st_ino);
            QCOMPARE(QFileInfo(path).isSymLink(), kind == "link");
            QVERIFY(!QFileInfo::exists(path + ".damaged"));
        }
        ::alarm(0);
    }

    // A damaged records file is kept beside it once, under a name nobody took since the start;
    // when it cannot be kept, the file is not replaced.
    void damagedFileIsKeptOnce_data() {
        QTest::addColumn<QString>("before"); // what lies at DATA/Winners.damaged before
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("copyAt");
        QTest::newRow("an identical copy kept at an earlier start") << "same" << true << "";
        QTest::newRow("a copy made between the start and the close")
            << "later" << true << "Winners.damaged2";
        QTest::newRow("the copy cannot be kept") << "dangling link" << false << "";
    }
    void damagedFileIsKeptOnce() {
        QFETCH(QString, before);
        QFETCH(bool, written);
        QFETCH(QString, copyAt);
        TestGameFolder folder;
        const QByteArray damaged = lines({"Al", "5", "Bo", "x"});
        folder.write("DATA/Winners", damaged);
        if (before == "same")
            folder.write("DATA/Winners.damaged", damaged);
        if (before == "dangling link")
            QVERIFY(QFile::link("missing/Winners.damaged", folder.path() + "DATA/Winners.damaged"));
        QVERIFY_THROWS_EXCEPTION(VordaError, readWinners(records_));
        if (before == "later")
            folder.write("DATA/Winners.damaged", "theirs");
        if (written) {
            writeWinners(records_);
            QCOMPARE(folder.read("DATA/Winners"), complete(lines({"Al", "5"}), 1));
        } else {
            QVERIFY_THROWS_EXCEPTION(VordaError, writeWinners(records_));
            QCOMPARE(folder.read("DATA/Winners"), damaged);
        }
        const QStringList copies =
            QDir(folder.path() + "DATA").entryList({"Winners.damaged*"}, QDir::Files);
        QStringList expected;
        if (before == "same" || before == "later")
            expected << "Winners.damaged";
        if (!copyAt.isEmpty())
            expected << copyAt;
        QCOMPARE(copies, expected);
        if (before == "later") {
            QCOMPARE(folder.read("DATA/Winners.damaged"), QByteArray("theirs"));
            QCOMPARE(folder.read("DATA/" + copyAt), damaged);
        }
    }

    // Two copies of the game on one folder: what one stores while the other runs stays when
    // the other closes.
    // Two programs on one folder, each with its own services: neither loses the other's
    // result, whichever closes first.
    void twoProgramsOnOneFolderKeepBothResults_data() {
        QTest::addColumn<bool>("firstClosesFirst");
        QTest::newRow("first closes first") << true;
        QTest::newRow("second closes first") << false;
    }
    void twoProgramsOnOneFolderKeepBothResults() {
        QFETCH(bool, firstClosesFirst);
        TestGameFolder folder;
        clearAllWinners(records_);
        folder.write("DATA/Winners", winnersFileBytes(records_));
        GameServices first, second;
        for (GameServices* services : {&first, &second}) {
            services->words().language = 1;
            services->game().maxWordLength = 3;
            readWinners(services->winners());
        }
        addRecord(first, 50, "First");
        addRecord(second, 40, "Second");
        QCOMPARE(listText(second.winners().lists[1][1])[0], "40 Second");
        writeWinners((firstClosesFirst ? first : second).winners());
        writeWinners((firstClosesFirst ? second : first).winners());
        readWinners(records_);
        QCOMPARE(listText(records_.lists[1][1]).mid(0, 3),
                 (QStringList{"50 First", "40 Second", "-666 -"}));
    }

    void twoCopiesKeepEachOthersResults_data() {
        QTest::addColumn<QStringList>("atStart");
        QTest::addColumn<QString>("mine");       // "add" a result of 50, or "clear" the list
        QTest::addColumn<QStringList>("theirs"); // the list as the other copy left it
        QTest::addColumn<QStringList>("after");
        QTest::newRow("each stores a result")
            << QStringList{"60 Al", "40 Bo"} << "add" << QStringList{"60 Al", "45 Cy", "40 Bo"}
            << QStringList{"60 Al", "50 new", "45 Cy", "40 Bo"};
        QTest::newRow("a tie goes above the other copy's equal result, as a new result does")
            << QStringList{"60 Al"} << "add" << QStringList{"60 Al", "50 Cy"}
            << QStringList{"60 Al", "50 new", "50 Cy"};
        QTest::newRow("a tie at place 10 enters, the other copy's equal result goes")
            << QStringList{"90 a", "80 b", "70 c", "60 d", "55 e", "54 f", "53 g", "52 h", "51 i"}
            << "add" << QStringList{"90 a", "80 b", "70 c", "60 d", "55 e",
                                    "54 f", "53 g", "52 h", "51 i", "50 j"}
            << QStringList{"90 a", "80 b", "70 c", "60 d", "55 e",
                           "54 f", "53 g", "52 h", "51 i", "50 new"};
        QTest::newRow("one clears, the other stores")
            << QStringList{"60 Al"} << "clear" << QStringList{"60 Al", "45 Cy"}
            << QStringList{"45 Cy"};
        QTest::newRow("a full list keeps the best ten of both")
            << QStringList{"90 a", "80 b", "70 c", "60 d", "40 e",
                           "30 f", "20 g", "10 h", "5 i",  "1 j"}
            << "add" << QStringList{"90 a", "80 b", "70 c", "60 d", "55 x",
                                    "40 e", "30 f", "20 g", "10 h", "5 i"}
            << QStringList{"90 a",   "80 b", "70 c", "60 d", "55 x",
                           "50 new", "40 e", "30 f", "20 g", "10 h"};
    }
    void twoCopiesKeepEachOthersResults() {
        QFETCH(QStringList, atStart);
        QFETCH(QString, mine);
        QFETCH(QStringList, theirs);
        QFETCH(QStringList, after);
        TestGameFolder folder;
        GameServices services;
        services.words().language = 1;
        services.game().maxWordLength = 3;
        clearAllWinners(services.winners());
        setList(services.winners().lists[2][6], {"7 Di"});
        setList(services.winners().lists[1][1], theirs);
        const QByteArray theirFile = winnersFileBytes(services.winners());
        setList(services.winners().lists[1][1], atStart);
        folder.write("DATA/Winners", winnersFileBytes(services.winners()));
        readWinners(services.winners());
        if (mine == "add")
            addRecord(services, 50, "new");
        else
            clearCurrentWinners(services);
        // The other copy closes first.
        folder.write("DATA/Winners", theirFile);
        writeWinners(services.winners());
        readWinners(services.winners());
        QCOMPARE(listText(services.winners().lists[1][1]).mid(0, after.size()), after);
        QCOMPARE(listText(services.winners().lists[1][1]).mid(after.size()),
                 QStringList(10 - after.size(), "-666 -"));
        QCOMPARE(listText(services.winners().lists[2][6])[0], "7 Di");
    }

    void writesTheFile() {
        TestGameFolder folder;
        folder.write("DATA/Winners", freshFile());
        readWinners(records_);
        writeWinners(records_);
        QCOMPARE(folder.read("DATA/Winners"), freshFile());

        setList(records_.lists[2][3], {QString::fromUtf8("-5 Вася"), "-700 "});
        writeWinners(records_);
        const QByteArray written = folder.read("DATA/Winners");
        QCOMPARE(written.count("\r\n"), 252);
        QCOMPARE(written.count('\n'), 252);
        QVERIFY(written.endsWith(kEmptyPair + "\r\n"));
        const QByteArray block =
            lines({QString::fromUtf8("Вася"), "-5", "", "-700"}) + kEmptyPair.repeated(8) + "\r\n";
        QCOMPARE(written.mid(8 * 10 * kEmptyPair.size() + 8 * 2, block.size()), block);
        // Read back, the table is the same.
        readWinners(records_);
        QCOMPARE(listText(records_.lists[2][3]).mid(0, 3),
                 (QStringList{QString::fromUtf8("-5 Вася"), "-700 ", "-666 -"}));
    }

    void unwritableFileIsReported() {
        TestGameFolder folder;
        folder.write("DATA/Winners", freshFile());
        readWinners(records_);
        QVERIFY(QDir(folder.path() + "DATA").removeRecursively());
        QVERIFY_THROWS_EXCEPTION(VordaError, writeWinners(records_));
        QVERIFY(!QFile::exists(folder.path() + "DATA"));
    }

    void addToWinners_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("score");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QByteArray>("name");
        const QStringList full = {"10 a", "9 b", "8 c", "7 d", "6 e",
                                  "5 f",  "4 g", "3 h", "2 i", "1 j"};
        QTest::newRow("empty list fills from the top")
            << QStringList() << -5 << (QStringList{"-5 new"} + QStringList(9, "-666 -"))
            << QByteArray("new");
        QTest::newRow("a result below the empty score enters no list")
            << QStringList() << -700 << QStringList(10, "-666 -") << QByteArray("new");
        QTest::newRow("a tie goes above the older results")
            << QStringList{"12 a", "7 b", "7 c"} << 7
            << (QStringList{"12 a", "7 new", "7 b", "7 c"} + QStringList(6, "-666 -"))
            << QByteArray("new");
        QTest::newRow("the best result goes to place 1")
            << full << 11 << (QStringList{"11 new"} + full.mid(0, 9)) << QByteArray("new");
        QTest::newRow("equal to place 10 enters and drops the old place 10")
            << full << 1 << (full.mid(0, 9) + QStringList{"1 new"}) << QByteArray("new");
        QTest::newRow("below ten real results changes nothing")
            << full << -700 << full << QByteArray("new");
        QTest::newRow("negative results rank among themselves")
            << QStringList{"3 a", "-2 b", "-9 c"} << -5
            << (QStringList{"3 a", "-2 b", "-5 new", "-9 c"} + QStringList(6, "-666 -"))
            << QByteArray("new");
        // The records file keeps one name a line: nothing that would cut or hide it there.
        QTest::newRow("control characters and DEL dropped from the name, a tab a blank")
            << QStringList() << -5 << (QStringList{"-5 n ew"} + QStringList(9, "-666 -"))
            << QByteArray("n\x7f\te\x01w\r\n");
    }
    void addToWinners() {
        QFETCH(QStringList, before);
        QFETCH(int, score);
        GameServices services;
        services.words().language = 2;
        services.game().maxWordLength = 5;
        clearAllWinners(services.winners());
        setList(services.winners().lists[2][3], before);
        QFETCH(QByteArray, name);
        addRecord(services, score, name.toStdString());
        QTEST(listText(services.winners().lists[2][3]), "after");
        // The other lists are not touched.
        QCOMPARE(services.winners().lists[1][3][1].score, emptyScore);
        QCOMPARE(services.winners().lists[2][4][1].score, emptyScore);
    }

    // A start and a close with the records file missing or damaged: every later step of the
    // start-up runs, the settings come back as they were, the good records stay and the
    // damaged file is kept beside the new one.
    // A start that resumes the saved game and a close without a move leave the saved game and
    // the records file as they were, not even written again; a move writes the saved game.
    void unchangedFilesAreNotWrittenAgain_data() {
        QTest::addColumn<bool>("move");
        QTest::newRow("no move") << false;
        QTest::newRow("a pass") << true;
    }
    void unchangedFilesAreNotWrittenAgain() {
        QFETCH(bool, move);
        GameFixture game(kRussianWords, kEnglishWords);
        game.window().close();
        // A rewrite puts a new file in place: its inode changes.
        const auto inode = [&](const QString& name) {
            struct stat status {};
            return ::stat(QFile::encodeName(game.folder().path() + name).constData(), &status) == 0
                       ? status.st_ino
                       : ino_t(0);
        };
        const ino_t saved = inode("DATA/SavedGame");
        const ino_t records = inode("DATA/Winners");
        const QByteArray savedBytes = game.folder().read("DATA/SavedGame");
        QVERIFY(saved != 0 && records != 0);
        {
            MainWindow again(game.services());
            QCOMPARE(again.model().state().history.size(), game.model().state().history.size());
            if (move)
                again.skipButton()->click();
            again.close();
        }
        QCOMPARE(inode("DATA/SavedGame") == saved, !move);
        QCOMPARE(game.folder().read("DATA/SavedGame") == savedBytes, !move);
        QCOMPARE(inode("DATA/Winners"), records);
    }

    void startAndCloseKeepWhatThePlayerOwns_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QString>("keptAs"); // another name means an earlier copy is there
        QTest::newRow("missing") << QByteArray() << "" << QStringList() << "";
        QTest::newRow("a damaged score") << lines({"Al", "5", "Bo", "x7"}) + freshFile().mid(18)
                                         << "line 4" << QStringList{"5 Al"} << "Winners.damaged";
        QTest::newRow("short, an earlier damaged copy kept too")
            << lines({"Al", "5", "Bo", "4"}) << "line 5" << QStringList{"5 Al", "4 Bo"}
            << "Winners.damaged2";
        QTest::newRow("an early Ctrl-Z") << lines({"Al", "5"}) + "\x1a" + freshFile() << "line 3"
                                         << QStringList{"5 Al"} << "Winners.damaged";
    }
    void startAndCloseKeepWhatThePlayerOwns() {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        QFETCH(QStringList, kept);
        QFETCH(QString, keptAs);
        GameFixture game(kRussianWords, kEnglishWords);
        const bool earlierCopy = !keptAs.isEmpty() && keptAs != "Winners.damaged";
        if (earlierCopy)
            game.folder().write("DATA/Winners.damaged", "earlier");
        const QByteArray settings = game.folder().read("Vorda2000.ini");
        if (file.isNull())
            QFile::remove(game.folder().path() + "DATA/Winners");
        else
            game.folder().write("DATA/Winners", file);
        // Left by writes that were killed: removed at the start. Other names stay.
        const QStringList stale = {
            "Vorda2000.ini.vorda-tmp-a1B2c3", "DATA/Winners.vorda-tmp-Zz9yX8",
            "DATA/SavedGame.vorda-tmp-Q7w8E9", "DATA/Lib.ENG.vorda-tmp-000000"};
        const QStringList others = {"DATA/Winners.notes",
                                    "DATA/Winners.a1B2c3d",
                                    "Vorda2000.ini.backup",
                                    "Vorda2000.ini.Backup",
                                    "Vorda2000.ini.bak123",
                                    "DATA/Winners.BACKUP",
                                    "DATA/Winners.old001",
                                    "DATA/Winners.2024ok",
                                    "DATA/Lib.ENG.mine12",
                                    "DATA/Winners.vorda-tmp-a1B2c3d",
                                    "Vorda2000.ini.a1B2c3",
                                    "DATA/Winners.vorda-tmp-a1B2.3",
                                    "DATA/Winners.vorda-tmp-a1B2\u00e93"};
        for (const QString& name : stale + others)
            game.folder().write(name, "x");
        game.errors().texts.clear();
        MainWindow w(game.services());
        QCOMPARE(game.errors().texts.size(), error.isEmpty() ? 0 : 1);
        if (!error.isEmpty()) {
            QVERIFY2(game.errors().texts[0].contains("Winners\" is damaged at " + error),
                     qPrintable(game.errors().texts[0]));
            QVERIFY(game.errors().texts[0].contains(keptAs + "\"."));
        }
        for (const QString& name : stale)
            QVERIFY2(!QFile::exists(game.folder().path() + name), qPrintable(name));
        for (const QString& name : others)
            QVERIFY2(QFile::exists(game.folder().path() + name), qPrintable(name));
        // The settings, both libraries and a new game came after it.
        QCOMPARE(game.cell(1, 3)->caption(), cp("К"));
        QVERIFY(w.menu().englishItem->text().endsWith(" 1"));
        QCOMPARE(int(game.services().game().maxWordLength), 6);
        QCOMPARE(listText(game.services().winners().lists[1][1]).mid(0, kept.size()), kept);
        QCOMPARE(listText(game.services().winners().lists[1][1]).mid(kept.size()),
                 QStringList(10 - kept.size(), "-666 -"));
        w.close();
        QCOMPARE(game.folder().read("Vorda2000.ini"), settings);
        const QByteArray written = game.folder().read("DATA/Winners");
        QCOMPARE(written.count("\r\n"), 252);
        QCOMPARE(written.count("-\r\n-666\r\n"), 120 - kept.size());
        QCOMPARE(game.folder().read("DATA/" + keptAs), error.isEmpty() ? QByteArray() : file);
        if (earlierCopy)
            QCOMPARE(game.folder().read("DATA/Winners.damaged"), QByteArray("earlier"));
    }

    void closeWritesSettingsThenRecords_data() {
        QTest::addColumn<QString>("broken");
        QTest::newRow("both written") << "";
        QTest::newRow("settings cannot be written") << "Vorda2000.ini";
        QTest::newRow("records cannot be written") << "DATA/Winners";
    }
    void closeWritesSettingsThenRecords() {
        QFETCH(QString, broken);
        GameFixture game(kRussianWords, kEnglishWords);
        setList(currentWinnersList(game.services()), {"3 Al"});
        if (!broken.isEmpty()) {
            // A folder where the file should be: the write fails.
            QFile::remove(game.folder().path() + broken);
            QDir(game.folder().path()).mkdir(broken);
        }
        game.window().menu().soundItem->trigger();
        game.window().close();
        QVERIFY(!game.window().isVisible());
        QCOMPARE(game.errors().texts.size(), broken.isEmpty() ? 0 : 1);
        QCOMPARE(game.folder().read("Vorda2000.ini").contains("Sound=0\r\n"),
                 broken != "Vorda2000.ini");
        QCOMPARE(game.folder().read("DATA/Winners").contains("Al\r\n3\r\n"),
                 broken != "DATA/Winners");
    }

    void recordsWindowShowsTheCurrentList_data() {
        QTest::addColumn<QStringList>("current");
        QTest::addColumn<QStringList>("other");
        QTest::addColumn<bool>("clearThis");
        QTest::addColumn<bool>("clearAll");
        QTest::newRow("all empty") << QStringList() << QStringList() << false << false;
        QTest::newRow("place 1 filled") << QStringList{"-4 Ann"} << QStringList() << true << true;
        QTest::newRow("only another list filled")
            << QStringList() << QStringList{"2 Bo"} << false << true;
    }
    void recordsWindowShowsTheCurrentList() {
        QFETCH(QStringList, current);
        QFETCH(QStringList, other);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        setList(currentWinnersList(game.services()), current);
        setList(game.services().winners().lists[1][1], other);
        QStringList scores, names;
        bool clearThis = false, clearAll = false, input = true;
        QString title, button1;
        whenDialogShows([&](QDialog* dialog) {
            scores = captions(game.window().dialogs().winnersWindow().scoreLabels);
            names = captions(game.window().dialogs().winnersWindow().nameLabels);
            clearThis = game.window().dialogs().winnersWindow().clearListButton->isEnabled();
            clearAll = game.window().dialogs().winnersWindow().clearAllButton->isEnabled();
            input = game.services().game().mainInputEnabled;
            title = dialog->windowTitle();
            button1 =
                cp1251ToUnicode(game.window().dialogs().winnersWindow().clearListButton->caption());
            clickButton(game.window().dialogs().winnersWindow().okButton);
        });
        game.window().menu().recordsItem->trigger();
        settleDialogs();
        QCOMPARE(title, QString::fromUtf8("Records — English, strength 4"));
        QCOMPARE(button1, QString("Clear this list"));
        QCOMPARE(scores.first(), current.isEmpty() ? QString() : QString("-4"));
        QCOMPARE(names.first(), current.isEmpty() ? QString("-") : QString("Ann"));
        QCOMPARE(scores.mid(1), QStringList(9, QString()));
        QCOMPARE(names.mid(1), QStringList(9, "-"));
        QTEST(clearThis, "clearThis");
        QTEST(clearAll, "clearAll");
        QVERIFY(!input);
        QVERIFY(game.services().game().mainInputEnabled);
        QVERIFY(game.errors().texts.isEmpty());
    }

    void clearing_data() {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("answer");
        QTest::newRow("this list, yes") << false << "yes";
        QTest::newRow("this list, no") << false << "no";
        QTest::newRow("this list, Esc") << false << "esc";
        QTest::newRow("all lists, yes") << true << "yes";
        QTest::newRow("all lists, no") << true << "no";
        QTest::newRow("all lists, closed") << true << "closed";
    }
    void clearing() {
        QFETCH(bool, all);
        QFETCH(QString, answer);
        const bool yes = answer == "yes";
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        RecordEntry* current = currentWinnersList(game.services());
        setList(current, {"9 Ann", "1 Bo"});
        setList(game.services().winners().lists[1][2], {"5 Cy"});
        QString question, caption;
        QStringList namesAfter;
        bool clearThisAfter = true, clearAllAfter = true, inputAfterQuestion = true;
        whenDialogShows([&](QDialog*) {
            CoolButton* button = all ? game.window().dialogs().winnersWindow().clearAllButton
                                     : game.window().dialogs().winnersWindow().clearListButton;
            whenDialogShows([&](QDialog* choice) {
                caption = choice->windowTitle();
                question = cp1251ToUnicode(
                    game.window().dialogs().choiceWindow().questionLabel->caption());
                if (answer == "esc")
                    QTest::keyClick(choice, Qt::Key_Escape);
                else if (answer == "closed")
                    choice->reject();
                else
                    clickButton(yes ? game.window().dialogs().choiceWindow().yesButton
                                    : game.window().dialogs().choiceWindow().noButton);
            });
            clickButton(button);
            settleDialogs(1);
            namesAfter = captions(game.window().dialogs().winnersWindow().nameLabels);
            clearThisAfter = game.window().dialogs().winnersWindow().clearListButton->isEnabled();
            clearAllAfter = game.window().dialogs().winnersWindow().clearAllButton->isEnabled();
            inputAfterQuestion = game.services().game().mainInputEnabled;
            clickButton(game.window().dialogs().winnersWindow().okButton);
        });
        game.sounds.clear();
        game.window().dialogs().winnersWindow().exec();
        QCOMPARE(caption, all ? QString("Clear all lists") : QString("Clear this list"));
        QCOMPARE(question, QString("Are you sure?"));
        QCOMPARE(game.sounds, QList<int>{8});
        QVERIFY(!inputAfterQuestion);
        QCOMPARE(namesAfter.first(), yes ? QString("-") : QString("Ann"));
        QCOMPARE(clearThisAfter, !yes);
        QCOMPARE(clearAllAfter, !(yes && all));
        QCOMPARE(current[2].score, yes ? emptyScore : 1);
        QCOMPARE(game.services().winners().lists[1][2][1].score, yes && all ? emptyScore : 5);
        game.window().close();
        const QByteArray written = game.folder().read("DATA/Winners");
        QCOMPARE(written == freshFile(), yes && all);
    }

    void clearingButtonsArePaintedWithTheGradient_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("green");
        // 128 pixels wide: one band per pixel, green 215 + round(n * -50 / 128).
        QTest::newRow("band 2") << 2 << 214;
        QTest::newRow("band 64") << 64 << 190;
        QTest::newRow("band 120") << 120 << 168;
    }
    void clearingButtonsArePaintedWithTheGradient() {
        QFETCH(int, x);
        CoolButton button;
        button.resize(128, 25);
        button.setGradient(QColor(255, 215, 0), QColor(255, 165, 0));
        const QImage face = button.grab().toImage();
        QTEST(face.pixelColor(x, 12).green(), "green");
        QCOMPARE(face.pixelColor(x, 12).red(), 255);
        QCOMPARE(face.pixelColor(x, 12).blue(), 0);
    }

    void nameEntry_data() {
        QTest::addColumn<int>("human");
        QTest::addColumn<int>("computer");
        QTest::addColumn<int>("place10");
        QTest::addColumn<bool>("qualifies");
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("takenBack"); // a move of the game was taken back
        QTest::newRow("won 30 to 25, list not full")
            << 30 << 25 << emptyScore << true << "CPU31" << false;
        // A lost game leaves the face alone until the first tick of the animation.
        QTest::newRow("lost 20 to 31 below place 10") << 20 << 31 << 4 << false << "CPU00" << false;
        QTest::newRow("lost 20 to 23, equal to place 10")
            << 20 << 23 << -3 << true << "CPU00" << false;
        QTest::newRow("drawn") << 12 << 12 << emptyScore << true << "CPU31" << false;
        QTest::newRow("won 30 to 25 with a move taken back")
            << 30 << 25 << emptyScore << false << "CPU31" << true;
    }
    void nameEntry() {
        QFETCH(int, human);
        QFETCH(int, computer);
        QFETCH(int, place10);
        QFETCH(bool, qualifies);
        QFETCH(bool, takenBack);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        RecordEntry* list = currentWinnersList(game.services());
        QStringList before(9, "100 x");
        before << QString::number(place10) + " last";
        setList(list, place10 == emptyScore ? QStringList() : before);
        writeWinners(game.services().winners());
        const QStringList old = listText(list);
        // The test steps the face animation itself, one call per tick of the 150 ms timer.
        new NameEntryWindow(&game.window(), game.services());
        QCOMPARE(game.window().dialogs().addRatingWindow().faceTimer->interval(),
                 kFaceTimerInterval);
        QVERIFY(game.window().dialogs().addRatingWindow().faceTimer->isActive());
        game.window().dialogs().addRatingWindow().faceTimer->stop();
        QString line, title, editText;
        bool editShown = false, tooBadShown = false, input = true;
        QStringList faces;
        whenDialogShows([&](QDialog* dialog) {
            title = dialog->windowTitle();
            line =
                cp1251ToUnicode(game.window().dialogs().addRatingWindow().resultLabel->caption());
            editText = game.window().dialogs().addRatingWindow().nameEdit->text();
            editShown = game.window().dialogs().addRatingWindow().nameEdit->isVisible();
            tooBadShown = game.window().dialogs().addRatingWindow().tooBadLabel->isVisible();
            input = game.services().game().mainInputEnabled;
            faces << game.window().faceName();
            for (int tick = 0; tick < 8; ++tick) {
                game.window().dialogs().addRatingWindow().animateFace();
                faces << game.window().faceName();
            }
            if (qualifies)
                typeText(game.window().dialogs().addRatingWindow().nameEdit,
                         QString::fromUtf8("Вася"));
            clickButton(game.window().dialogs().addRatingWindow().okButton);
        });
        game.sounds.clear();
        const QByteArray fileBefore = game.folder().read("DATA/Winners");
        showNameEntry(game.window().dialogs().addRatingWindow(), uint16_t(human),
                      uint16_t(computer), takenBack);
        settleDialogs();
        const int result = human - computer;
        QCOMPARE(title, QString("Game over"));
        QCOMPARE(line, "Your result: " + QString::number(result));
        QCOMPARE(editText, QString("Anonymous"));
        QCOMPARE(editShown, qualifies);
        QCOMPARE(tooBadShown, !qualifies);
        QCOMPARE(game.sounds, QList<int>{qualifies ? 4 : 5});
        QVERIFY(!input);
        QTEST(faces.first(), "face");
        if (human >= computer)
            QCOMPARE(faces, QStringList(9, "CPU31"));
        else
            QCOMPARE(faces.mid(1), (QStringList{"CPU51", "CPU52", "CPU53", "CPU54", "CPU55",
                                                "CPU52", "CPU51", "CPU51"}));
        QCOMPARE(game.window().faceName(), QString("CPU00"));
        QVERIFY(!game.window().dialogs().addRatingWindow().faceAnimating);
        QVERIFY(game.services().game().mainInputEnabled);
        if (qualifies) {
            QVERIFY(listText(list).contains(QString::number(result) + QString::fromUtf8(" Вася")));
        } else {
            QCOMPARE(listText(list), old);
            QCOMPARE(game.folder().read("DATA/Winners"), fileBefore);
        }
    }

    void gloatingGoesOnAfterTheNextLostGame() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        new NameEntryWindow(&game.window(), game.services());
        game.window().dialogs().addRatingWindow().faceTimer->stop();
        QStringList faces;
        for (int round = 0; round < 2; ++round) {
            whenDialogShows([&](QDialog*) {
                for (int tick = 0; tick < 4; ++tick) {
                    game.window().dialogs().addRatingWindow().animateFace();
                    faces << game.window().faceName();
                }
                clickButton(game.window().dialogs().addRatingWindow().okButton);
            });
            showNameEntry(game.window().dialogs().addRatingWindow(), 1, 9);
            settleDialogs();
        }
        QCOMPARE(faces, (QStringList{"CPU51", "CPU52", "CPU53", "CPU54", "CPU55", "CPU52", "CPU51",
                                     "CPU51"}));
    }

    void typedNameIsStored_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("closing"); // "OK", "Enter", or "minimised" before OK
        QTest::addColumn<QString>("stored");
        QTest::newRow("Cyrillic") << QString::fromUtf8("Пётр Ёлкин") << ""
                                  << "OK" << QString::fromUtf8("Пётр Ёлкин");
        QTest::newRow("empty") << ""
                               << ""
                               << "OK"
                               << "";
        QTest::newRow("characters the records cannot keep are refused as typed")
            << QString::fromUtf8("Zoë Ёж € ½") << ""
            << "OK" << QString::fromUtf8("Zo Ёж € ");
        QTest::newRow("pasted control characters, line breaks and an emoji")
            << "" << QString::fromUtf8("Ann\tB\x1ao\r\nC😀y\x01") << "OK"
            << "Ann BoCy";
        QTest::newRow("Esc closes as OK") << "Ann"
                                          << ""
                                          << "Esc"
                                          << "Ann";
        QTest::newRow("pasted DEL") << ""
                                    << "De\x7fl\tX"
                                    << "OK"
                                    << "Del X";
        QTest::newRow("minimised and restored by the window manager") << "Ann"
                                                                      << ""
                                                                      << "minimised"
                                                                      << "Ann";
        QTest::newRow("Enter in the name box closes as OK") << "Ann"
                                                            << ""
                                                            << "Enter"
                                                            << "Ann";
    }
    void typedNameIsStored() {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, closing);
        QFETCH(QString, stored);
        GameFixture game(kRussianWords, kEnglishWords);
        bool closedByKey = false;
        QString shown;
        int refusals = 0;
        whenDialogShows([&](QDialog* dialog) {
            CoolEdit* box = game.window().dialogs().addRatingWindow().nameEdit;
            QObject::connect(box, &CoolEdit::refused, box, [&] { ++refusals; });
            QTest::keyClick(box, Qt::Key_Backspace);
            typeText(box, typed);
            if (!pasted.isEmpty()) {
                QGuiApplication::clipboard()->setText(pasted);
                box->paste();
            }
            QCoreApplication::sendPostedEvents();
            shown = box->text();
            if (closing == "minimised") {
                dialog->showMinimized();
                dialog->showNormal();
            }
            if (closing == "Enter" || closing == "Esc") {
                QTest::keyClick(game.window().dialogs().addRatingWindow().nameEdit,
                                closing == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
                closedByKey = !dialog->isVisible();
            } else {
                clickButton(game.window().dialogs().addRatingWindow().okButton);
            }
        });
        game.sounds.clear();
        showNameEntry(game.window().dialogs().addRatingWindow(), 5, 0);
        settleDialogs();
        // What the box showed is what the records keep, and a refused character is felt.
        QCOMPARE(shown, stored);
        QCOMPARE(refusals > 0, unicodeToCp1251(typed + pasted) != unicodeToCp1251(stored));
        QCOMPARE(closedByKey, closing == "Enter" || closing == "Esc");
        // Stored once, its sound played once.
        QCOMPARE(game.sounds, QList<int>{4});
        const RecordEntry* list = currentWinnersList(game.services());
        QCOMPARE(list[1].score, 5);
        QCOMPARE(list[1].name, unicodeToCp1251(stored));
        QCOMPARE(list[2].score, emptyScore);
        game.window().close();
        QVERIFY(
            game.folder()
                .read("DATA/Winners")
                .contains("-666\r\n\r\n" + QByteArray::fromStdString(list[1].name) + "\r\n5\r\n"));
    }

    void gameEndedByPassesShowsNameEntryThenRecords() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.setBoard({"A????", "?????", "HOUSE", "?????", "?????"});
        QStringList shown;
        QStringList recordNames;
        whenDialogShows([&](QDialog* nameEntry) {
            shown << nameEntry->objectName();
            typeText(game.window().dialogs().addRatingWindow().nameEdit, "Ann");
            whenDialogShows([&](QDialog* records) {
                shown << records->objectName();
                recordNames = captions(game.window().dialogs().winnersWindow().nameLabels);
                clickButton(game.window().dialogs().winnersWindow().okButton);
            });
            clickButton(game.window().dialogs().addRatingWindow().okButton);
        });
        game.sounds.clear();
        // Nothing to play for either side: two passes end the game.
        game.click(game.window().skipButton());
        QCOMPARE(shown, (QStringList{"AddRatingWindow", "WinnersWindow"}));
        QCOMPARE(recordNames.first(), QString("Ann"));
        QVERIFY(game.sounds.contains(4));
        // A new game followed.
        QCOMPARE(game.board(), (QStringList{"?????", "?????", "HOUSE", "?????", "?????"}));
        QCOMPARE(game.window().faceName(), QString("CPU00"));
        QVERIFY(game.services().game().mainInputEnabled);
    }

private:
    // The records of the tests that need no program, fresh for each test function.
    RecordsTable records_;
};

VORDA_TEST_MAIN(TestRecords)
#include "tst_records.moc"
