// The game as its moves tell it, without a window: the saved-game file read back to the same
// game, damaged files refused with their line, the take-back, and the review of a finished game.
#include "core/GameModel.h"
#include "core/GameReview.h"
#include "core/LanguageTable.h"
#include "core/SavedGame.h"
#include "tests/support/TestFolder.h"

#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

namespace {
// English words of the test library; the start word is HOUSE across the middle row.
WordLibrary library(const QList<QByteArray>& list) {
    WordLibrary words;
    words.language = kEnglish;
    for (const QByteArray& word : list)
        words.lists[word.size()].insert(word.toStdString());
    return words;
}

const WordLibrary kWords =
    library({"HOUSE", "AH", "OX", "US", "SEA", "TO", "HA", "SHOE", "MOUSE", "EH"});

// The human spells a word: the letter into its cell, then the path; cells 0-based.
void human(GameModel& model, char letter, CellPos cell, const QList<CellPos>& path) {
    model.chooseLetter(std::string(1, letter));
    QVERIFY(model.place(cell));
    for (CellPos step : path)
        QVERIFY(model.extendWord(step));
    QCOMPARE(model.confirmWord(kWords), WordVerdict::Accepted);
}

// The computer's (or, with forHuman, the hint's) move as the search would report it; an empty
// word is a pass.
void searchMove(GameModel& model, bool forHuman, const std::string& word, CellPos cell,
                const QList<CellPos>& path) {
    model.beginComputerTurn(forHuman);
    SearchResult result;
    result.word = word;
    result.column = word.empty() ? -1 : cell.column;
    result.row = word.empty() ? -1 : cell.row;
    result.pathLength = int(path.size());
    for (int i = 0; i < path.size(); ++i) {
        result.path[size_t(2 * i)] = int8_t(path[i].column);
        result.path[size_t(2 * i + 1)] = int8_t(path[i].row);
    }
    model.applyComputerMove(result);
    model.endComputerTurn();
}

// A game of every kind of move on HOUSE: the human's AH, the computer's OX, a pass of the
// human's, the computer's TO, the hint's SEA for the human and a pass of the computer's.
void playMixedGame(GameModel& model) {
    model.newGame("HOUSE");
    human(model, 'A', {0, 1}, {{0, 1}, {0, 2}});
    searchMove(model, false, "OX", {1, 3}, {{1, 2}, {1, 3}});
    model.skip();
    searchMove(model, false, "TO", {1, 1}, {{1, 1}, {1, 2}});
    searchMove(model, true, "SEA", {4, 1}, {{3, 2}, {4, 2}, {4, 1}});
    searchMove(model, false, "", {}, {});
}

QByteArray savedBytes(const GameModel& model) {
    return savedGameBytes(kEnglish, 4, model.state());
}
} // namespace

class TestSavedGame : public QObject {
    Q_OBJECT
private slots:
    // Every fact of the game comes back from the file: board, words, sheets, scores, passes,
    // the hint, the turn, the moves and the take-back mark.
    void fileGivesTheSameGame_data() {
        QTest::addColumn<bool>("takenBack");
        QTest::addColumn<bool>("computerToMove");
        QTest::newRow("between turns") << false << false;
        QTest::newRow("the computer to answer") << false << true;
        QTest::newRow("after a take-back") << true << false;
    }
    void fileGivesTheSameGame() {
        QFETCH(bool, takenBack);
        QFETCH(bool, computerToMove);
        GameModel model;
        playMixedGame(model);
        if (takenBack)
            QVERIFY(model.takeBack());
        if (computerToMove)
            human(model, 'E', {0, 3}, {{0, 3}, {0, 2}}); // EH
        const GameState& state = model.state();
        QString error;
        const auto read = parseSavedGame(savedBytes(model), &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->language, kEnglish);
        QCOMPARE(read->strength, 4);
        QCOMPARE(read->state.history, state.history);
        QCOMPARE(read->state.playedWords, state.playedWords);
        QCOMPARE(read->state.scores, state.scores);
        QCOMPARE(read->state.passCount, state.passCount);
        QCOMPARE(read->state.hintUsed, state.hintUsed);
        QCOMPARE(read->state.takenBack, takenBack);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&read->state.board), 50),
                 QByteArray(reinterpret_cast<const char*>(&state.board), 50));
        GameModel resumed;
        resumed.restore(read->state);
        QCOMPARE(resumed.toMove(), computerToMove ? Player::Computer : Player::Human);
        QCOMPARE(resumed.sheet(Player::Human), model.sheet(Player::Human));
        // Written again, the same bytes.
        QCOMPARE(savedGameBytes(kEnglish, 4, read->state), savedBytes(model));
    }

    // A damaged file is refused whole, naming the line; nothing of it is played.
    void damagedFileIsRefused_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("line");
        QTest::newRow("another program's file")
            << QByteArray("Vorda 2000 saved game 1") << QByteArray("[Vorda]") << "line 1:";
        QTest::newRow("a language the game lacks")
            << QByteArray("Language=2") << QByteArray("Language=3") << "line 2:";
        QTest::newRow("a line cut off")
            << QByteArray("Move=C 0 2,4 OX 2,3;2,4") << QByteArray("Move=C 0 2,4 O") << "line 8:";
        QTest::newRow("a letter into a filled cell")
            << QByteArray("Move=C 0 2,4 OX 2,3;2,4") << QByteArray("Move=C 0 2,3 OX 2,3;2,4")
            << "line 8: move 3: its new letter is not in a free cell";
        QTest::newRow("a word the board does not spell")
            << QByteArray("Move=C 0 2,4 OX 2,3;2,4") << QByteArray("Move=C 0 2,4 XO 2,3;2,4")
            << "line 8: move 3: its word is not what the board spells";
        QTest::newRow("a word played twice")
            << QByteArray("Move=C 0 2,2 TO 2,2;2,3") << QByteArray("Move=C 0 2,2 AH 2,2;2,3")
            << "line 10: move 5: its word was played before";
        QTest::newRow("a path that jumps")
            << QByteArray("Move=H 1 5,2 SEA 4,3;5,3;5,2")
            << QByteArray("Move=H 1 5,2 SEA 4,3;5,2;5,3") << "line 11: move 6:";
        QTest::newRow("scores that do not match")
            << QByteArray("Scores=5 4") << QByteArray("Scores=9 4") << "line 5:";
        QTest::newRow("the computer's score does not match")
            << QByteArray("Scores=5 4") << QByteArray("Scores=5 7") << "line 5:";
        QTest::newRow("a strength the game lacks")
            << QByteArray("Strength=4") << QByteArray("Strength=7") << "line 3:";
        QTest::newRow("a word the library lacks")
            << QByteArray("Move=C 0 2,4 OX 2,3;2,4") << QByteArray("Move=C 0 2,4 OZ 2,3;2,4")
            << "line 8: move 3: its word is not in the word library";
        QTest::newRow("a word through a free cell")
            << QByteArray("Move=C 0 2,4 OX 2,3;2,4") << QByteArray("Move=C 0 2,4 OX? 2,3;2,4;2,5")
            << "line 8: move 3: its path crosses a free cell";
        QTest::newRow("a control byte for a letter")
            << QByteArray("Move=C 0 2,4 OX 2,3;2,4") << QByteArray("Move=C 0 2,4 O\x01 2,3;2,4")
            << "line 8: move 3: its word holds a character that is no letter";
        QTest::newRow("Latin letters in the Russian game")
            << QByteArray("Language=2") << QByteArray("Language=1")
            << "line 6: move 1: its word holds a character that is no letter";
        QTest::newRow("a second hint")
            << QByteArray("Move=C 0 - - -\r\n")
            << QByteArray("Move=C 0 - - -\r\nMove=H 1 1,4 EH 1,4;1,3\r\n")
            << "line 13: move 8: the hint was already used";
        QTest::newRow("the computer's word as a hint")
            << QByteArray("Move=C 0 2,4 OX 2,3;2,4") << QByteArray("Move=C 1 2,4 OX 2,3;2,4")
            << "line 8: move 3: only the human asks for the hint";
        QTest::newRow("moves after the game ended")
            << QByteArray("Move=C 0 - - -\r\n")
            << QByteArray("Move=C 0 - - -\r\nMove=C 0 - - -\r\nMove=H 0 - - -\r\n")
            << "line 14: move 9: the game was already over";
    }
    void damagedFileIsRefused() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, line);
        GameModel model;
        playMixedGame(model);
        QByteArray bytes = savedBytes(model);
        QVERIFY2(bytes.contains(from), bytes.constData());
        bytes.replace(from, to);
        QString error;
        QVERIFY(!parseSavedGame(bytes, &error, &kWords));
        QVERIFY2(error.startsWith(line), qPrintable(error));
    }

    // A take-back undoes the human's last move and everything after it, words, scores and
    // passes with them; the freed words can be played again.
    void takeBackUndoesTheHumansLastTurn_data() {
        QTest::addColumn<int>("takeBacks");
        QTest::addColumn<int>("movesLeft");
        QTest::addColumn<QString>("lastWord");
        QTest::newRow("the hint's word and the computer's pass") << 1 << 5 << "TO";
        QTest::newRow("then the human's pass and the computer's word") << 2 << 3 << "OX";
        QTest::newRow("back to the start word") << 3 << 1 << "HOUSE";
        QTest::newRow("no further than the start word") << 4 << 1 << "HOUSE";
    }
    void takeBackUndoesTheHumansLastTurn() {
        QFETCH(int, takeBacks);
        QFETCH(int, movesLeft);
        QFETCH(QString, lastWord);
        GameModel model;
        playMixedGame(model);
        for (int i = 0; i < takeBacks; ++i)
            QCOMPARE(model.takeBack(), i < 3);
        QCOMPARE(int(model.state().history.size()), movesLeft);
        QCOMPARE(QString::fromStdString(model.state().history.back().word), lastWord);
        QVERIFY(model.state().takenBack);
        QCOMPARE(model.toMove(), Player::Human);
        // The game is what playing its remaining moves gives, and nothing else is played.
        const auto replayed = replayMoves(model.state().history, nullptr);
        QVERIFY(replayed);
        QCOMPARE(model.state().scores, replayed->scores);
        QCOMPARE(model.state().passCount, replayed->passCount);
        QCOMPARE(model.state().hintUsed, replayed->hintUsed);
        QVERIFY(!model.isPlayed("SEA"));
    }

    void takeBackWaitsForTheComputer() {
        GameModel model;
        model.newGame("HOUSE");
        QVERIFY(!model.canTakeBack());
        human(model, 'A', {0, 1}, {{0, 1}, {0, 2}});
        model.beginComputerTurn(false);
        QVERIFY(!model.takeBack());
        QCOMPARE(int(model.state().history.size()), 2);
    }

    // At the start: a missing file is a new game without a word; a damaged one is named once
    // and kept beside; something that is no file is never opened.
    void loadingTheSavedGame_data() {
        QTest::addColumn<QString>("file"); // "missing", "good", "damaged", "fifo", "large"
        QTest::addColumn<bool>("resumed");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << "missing" << false << "";
        QTest::newRow("good") << "good" << true << "";
        QTest::newRow("damaged, kept once") << "damaged" << false << "line 8";
        QTest::newRow("a word the library lacks, kept") << "unknown word" << false << "line 8";
        QTest::newRow("larger than any saved game, kept whole")
            << "large" << false << "it is larger than any saved game";
        QTest::newRow("a pipe in its place") << "fifo" << false << "it is not a regular file";
    }
    void loadingTheSavedGame() {
        QFETCH(QString, file);
        QFETCH(bool, resumed);
        QFETCH(QString, problem);
        TestGameFolder folder;
        GameModel model;
        playMixedGame(model);
        QByteArray bytes = savedBytes(model);
        if (file == "damaged")
            bytes.replace("OX 2,3;2,4", "XO 2,3;2,4");
        if (file == "unknown word")
            bytes.replace("OX 2,3;2,4", "OZ 2,3;2,4");
        if (file == "large")
            bytes += QByteArray(64 * 1024, ';');
        if (file != "missing" && file != "fifo") {
            QString reason;
            QVERIFY2(writeSavedGame(bytes, &reason), qPrintable(reason));
        }
        if (file == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(savedGamePath()).constData(), 0600), 0);
        const bool damaged = !resumed && file != "missing" && file != "fifo";
        for (int start = 0; start < 2; ++start) {
            const SavedGameLoad load = loadSavedGame(&kWords);
            // Moved aside at the first start, the large file is no longer there at the second.
            const bool movedAside = file == "large" && start == 1;
            QCOMPARE(bool(load.game), resumed);
            QCOMPARE(load.problem, problem.isEmpty() || movedAside ? SavedGameLoad::Problem::None
                                   : damaged                       ? SavedGameLoad::Problem::Damaged
                                             : SavedGameLoad::Problem::Unreadable);
            const QString reason = movedAside ? QString() : problem;
            QVERIFY2(reason.isEmpty() ? load.reason.isEmpty() : load.reason.startsWith(reason),
                     qPrintable(load.reason));
            QCOMPARE(load.keepFailure, QString());
            if (resumed)
                QCOMPARE(load.game->state.history, model.state().history);
        }
        // The damaged bytes are kept beside, once, after two starts; the file too large to
        // copy is moved there whole.
        QCOMPARE(folder.read("DATA/SavedGame.damaged"), damaged ? bytes : QByteArray());
        QCOMPARE(QFileInfo::exists(savedGamePath()),
                 file == "good" || file == "fifo" || (damaged && file != "large"));
        QVERIFY(!QFileInfo::exists(savedGamePath() + ".damaged1"));
    }

    // After a game, each turn beside the longest word its board allowed.
    void reviewListsEveryTurn() {
        GameModel model;
        playMixedGame(model);
        const std::vector<TurnReview> turns = reviewGame(model.state().history, kWords);
        QCOMPARE(int(turns.size()), 6);
        QStringList shown;
        for (const TurnReview& turn : turns)
            shown << QStringLiteral("%1 %2 %3 %4")
                         .arg(int(turn.player))
                         .arg(QString::fromStdString(turn.word.empty() ? "-" : turn.word))
                         .arg(QString::fromStdString(turn.best.empty() ? "-" : turn.best))
                         .arg(turn.matched ? "=" : "<");
        // MOUSE needs an M above or below the O until TO and OX take both cells; then SEA is
        // the longest, and after it a two-letter word through a new letter by the H. SHOE needs
        // two new letters and is never possible.
        QCOMPARE(shown, (QStringList{"1 AH MOUSE <", "2 OX MOUSE <", "1 - MOUSE <", "2 TO MOUSE <",
                                     "1 SEA SEA =", "2 - HA <"}));
    }
};

QTEST_GUILESS_MAIN(TestSavedGame)
#include "tst_savedgame.moc"
