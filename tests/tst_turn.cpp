// The computer's turn through the real window: its word or its pass, the skip and hint
// buttons, the end of a game, and a window closed in the middle of a turn.
#include "app/FieldCell.h"
#include "core/PlayedWords.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
#include "settings/StrengthWindow.h"
#include "skin/CoolControls.h"
#include "tests/support/GameFixture.h"

#include <QMenu>
#include <QRegularExpression>
#include <QtTest>

namespace {
const QStringList kRussianWords = {QString::fromUtf8("КОШКА")};

// What the window showed at every tick of its timer.
struct TickLog {
    QStringList words, titles, faces;
    QList<bool> commandsEnabled;
    QStringList hintFaces; // faces seen while the hint's search ran
};

void watchTicks(GameFixture& game, TickLog& log) {
    MainWindow& w = game.window();
    QObject::connect(w.mainTimer(), &QTimer::timeout, &w, [&w, &log, &game] {
        if (game.model().phase() != MovePhase::Computer)
            return;
        log.words << cp1251ToUnicode(w.wordDisplay()->caption());
        log.titles << w.windowTitle();
        log.faces << w.faceName();
        if (game.model().state().hintRunning)
            log.hintFaces << w.faceName();
        log.commandsEnabled << (w.menu().newGameItem->isEnabled() ||
                                w.menu().optionsMenu->menuAction()->isEnabled() ||
                                w.skipButton()->isEnabled() || w.hintButton()->isEnabled());
    });
}

void playTo(GameFixture& game) {
    game.placeLetter("T", 2, 2);
    game.clickCell(2, 2);
    game.clickCell(2, 3);
    game.clickCell(2, 2);
}
} // namespace

class TestTurn : public QObject {
    Q_OBJECT
private slots:
    void computerAnswersWithAWord() {
        // After TO the only word left through a new letter is OUT, with T under the U.
        GameFixture game(kRussianWords, {"HOUSE", "TO", "OUT"}, GameFixture::englishSettings());
        TickLog log;
        watchTicks(game, log);
        const QString title = game.window().windowTitle();
        playTo(game);
        QCOMPARE(game.column(1), QStringList{"TO"});
        QCOMPARE(game.column(2), QStringList{"OUT"});
        QCOMPARE(game.score(2), QString("003"));
        // Column 3 comes before column 4, and above the U before below it.
        QCOMPARE(game.board(), (QStringList{"?????", "?TT??", "HOUSE", "?????", "?????"}));
        QVERIFY(game.cell(3, 2)->filled);
        QCOMPARE(game.model().state().passCount, 0);
        QCOMPARE(game.sounds.count(3), 2);
        // The word stood on screen for ten ticks, the caption said the computer was busy,
        // and the commands that change the field were off.
        QVERIFY(log.words.count("OUT") >= 9);
        QVERIFY(!log.titles.isEmpty());
        QCOMPARE(log.titles.first(),
                 title + " (" + cp1251ToUnicode(game.services().languageText("Wait")) + ")");
        QVERIFY(!log.commandsEnabled.contains(true));
        // And back to the human.
        QCOMPARE(game.window().windowTitle(), title);
        QCOMPARE(game.word(), QString());
        QCOMPARE(game.window().faceName(), QString("CPU00"));
        QVERIFY(game.window().menu().newGameItem->isEnabled() &&
                game.window().skipButton()->isEnabled());
        QCOMPARE(int(game.model().phase()), 0);
        for (int c = 1; c <= 5; ++c)
            for (int r = 1; r <= 5; ++r)
                QVERIFY(!game.cell(c, r)->selected);
    }

    void computerPasses() {
        GameFixture game(kRussianWords, {"HOUSE", "TO"}, GameFixture::englishSettings());
        TickLog log;
        watchTicks(game, log);
        playTo(game);
        QVERIFY(log.words.count("? ? ?") >= 9);
        QVERIFY(log.faces.contains("CPU31"));
        QCOMPARE(game.model().state().passCount, 1);
        QCOMPARE(game.board(), (QStringList{"?????", "?T???", "HOUSE", "?????", "?????"}));
        QVERIFY(game.column(2).isEmpty());
        QCOMPARE(game.window().faceName(), QString("CPU00"));
        // The pointer rests on the placed cell; the chosen letter shows on free cells again.
        game.enterCell(4, 4);
        QCOMPARE(game.board()[3], QString("???T?"));
    }

    void skipAfterAPassEndsTheGameWhenNothingIsFound() {
        GameFixture game(kRussianWords, {"HOUSE", "TO"}, GameFixture::englishSettings());
        playTo(game);
        game.leaveCell(2, 2);
        QCOMPARE(game.model().state().passCount, 1);
        game.click(game.window().skipButton());
        // The computer still looked, found nothing, and the third pass ended the game; the next
        // one starts without passes.
        QCOMPARE(game.model().state().passCount, 0);
        QCOMPARE(game.board(), (QStringList{"?????", "?????", "HOUSE", "?????", "?????"}));
        QVERIFY(game.column(1).isEmpty());
        QCOMPARE(int(game.model().phase()), 0);
    }

    void skipAbandonsAPlacedLetter() {
        GameFixture game(kRussianWords, {"HOUSE", "TO"}, GameFixture::englishSettings());
        game.placeLetter("M", 4, 2);
        game.leaveCell(4, 2);
        game.click(game.window().skipButton());
        // The computer's answer reset the passes; the placed M is gone.
        QCOMPARE(game.column(2), QStringList{"TO"});
        QCOMPARE(game.model().state().passCount, 0);
        QVERIFY(game.cell(4, 2)->caption().empty());
        QVERIFY(!game.cell(4, 2)->filled);
    }

    void commandKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("gateOpen");
        QTest::addColumn<QStringList>("humanWords");
        QTest::addColumn<QStringList>("computerWords");
        QTest::addColumn<bool>("held"); // the key is held: auto-repeated presses follow
        QTest::newRow("F3 skips, the computer plays")
            << int(Qt::Key_F3) << true << QStringList{} << QStringList{"HOT"} << false;
        QTest::newRow("F4 plays the hint, the computer answers")
            << int(Qt::Key_F4) << true << QStringList{"HOT"} << QStringList{"TO"} << false;
        QTest::newRow("F3 does nothing while a game dialog is up")
            << int(Qt::Key_F3) << false << QStringList{} << QStringList{} << false;
        QTest::newRow("F3 held skips once")
            << int(Qt::Key_F3) << true << QStringList{} << QStringList{"HOT"} << true;
    }
    void commandKeys() {
        QFETCH(int, key);
        QFETCH(bool, gateOpen);
        QFETCH(bool, held);
        GameFixture game(kRussianWords, {"HOUSE", "TO", "HOT"}, GameFixture::englishSettings());
        game.services().game().mainInputEnabled = gateOpen;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&game.window(), &press);
        if (held) {
            QKeyEvent repeated(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(&game.window(), &repeated);
            QApplication::sendEvent(&game.window(), &repeated);
        }
        game.waitWhileBusy();
        QTEST(game.column(1), "humanWords");
        QTEST(game.column(2), "computerWords");
        // The hint is gone once used, and its key with it.
        if (key == Qt::Key_F4) {
            QApplication::sendEvent(&game.window(), &press);
            game.waitWhileBusy();
            QCOMPARE(game.column(1), QStringList{"HOT"});
        }
    }

    void hintPlaysForTheHumanAndTheComputerAnswers() {
        GameFixture game(kRussianWords, {"HOUSE", "TO", "HOT", "OUT"},
                         GameFixture::englishSettings());
        game.click(game.window().hintButton());
        // The hint's search finds HOT first (T under the O), then the computer answers.
        QCOMPARE(game.column(1), QStringList{"HOT"});
        QCOMPARE(game.score(1), QString("003"));
        QCOMPARE(game.column(2).size(), 1);
        QVERIFY(!game.window().hintButton()->isVisibleTo(&game.window()));
        QVERIFY(!game.model().state().hintRunning);
        game.window().menu().newGameItem->trigger();
        QVERIFY(game.window().hintButton()->isVisibleTo(&game.window()));
    }

    void hintFindingNothingIsGivenBack() {
        GameFixture game(kRussianWords, {"HOUSE", "TO"}, GameFixture::englishSettings());
        game.changeState([](GameState& state) { pushPlayedWord(state.playedWords, "TO"); });
        game.click(game.window().hintButton());
        QCOMPARE(game.model().state().passCount, 1);
        QVERIFY(game.window().hintButton()->isVisibleTo(&game.window()));
        QVERIFY(!game.model().state().hintRunning);
        QVERIFY(game.column(1).isEmpty() && game.column(2).isEmpty());
        // The face does not sulk over the human's hint.
        QCOMPARE(game.window().faceName(), QString("CPU00"));
        // A second empty hint right after makes two passes in a row: the game ends, and the
        // next one starts without passes.
        game.changeState([](GameState& state) { state.passCount = 1; });
        game.click(game.window().hintButton());
        QCOMPARE(game.model().state().passCount, 0);
        QVERIFY(!game.model().isPlayed("TO"));
    }

    void hintFillingTheLastCellEndsTheGame() {
        GameFixture game(kRussianWords, {"HOUSE", "BCDE", "OX"}, GameFixture::englishSettings());
        game.setBoard({"ABCDE", "ABCDE", "HOUSE", "ABCDE", "ABCD?"});
        game.click(game.window().hintButton());
        // The game ended on the full field before the computer moved, and a new one began.
        QCOMPARE(game.board()[0], QString("?????"));
        QCOMPARE(game.board()[2], QString("HOUSE"));
        QVERIFY(game.column(2).isEmpty());
        QCOMPARE(game.model().state().passCount, 0);
        QCOMPARE(int(game.model().phase()), 0);
        QVERIFY(game.window().hintButton()->isVisibleTo(&game.window()));
    }

    void humanFillingTheLastCellEndsTheGame() {
        GameFixture game(kRussianWords, {"HOUSE", "EX"}, GameFixture::englishSettings());
        game.setBoard({"ABCDE", "ABCDE", "HOUSE", "ABCDE", "ABCD?"});
        game.placeLetter("X", 5, 5);
        game.leaveCell(5, 5);
        game.clickCell(5, 4);
        game.clickCell(5, 5);
        TickLog log;
        watchTicks(game, log);
        game.clickCell(5, 5);
        QVERIFY(log.words.isEmpty()); // no computer turn
        QCOMPARE(game.board()[4], QString("?????"));
        QVERIFY(game.column(1).isEmpty());
    }

    void strongerWordsNeedAStrongerComputer() {
        // With strength 1 (words of 3 letters) the computer passes over OUTS.
        QByteArray settings = GameFixture::englishSettings();
        settings.replace("Strong=4", "Strong=1");
        GameFixture game(kRussianWords, {"HOUSE", "TO", "OUTS"}, settings);
        QCOMPARE(int(game.services().game().maxWordLength), 3);
        playTo(game);
        QVERIFY(game.column(2).isEmpty());
        QCOMPARE(game.model().state().passCount, 1);
    }

    // The computer passes, the human plays a word, the computer passes again: the human's word
    // ended the run of passes, so the game goes on with one.
    void humanWordAfterAPassResetsThePasses() {
        QByteArray settings = GameFixture::englishSettings();
        settings.replace("Strong=4", "Strong=1");
        GameFixture game(kRussianWords, {"HOUSE", "TO", "HOUSED"}, settings);
        playTo(game);
        QCOMPARE(game.model().state().passCount, 1);
        game.placeLetter("D", 5, 4);
        game.spellAndConfirm({{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {5, 4}});
        QCOMPARE(game.column(1), (QStringList{"HOUSED", "TO"}));
        QVERIFY(game.column(2).isEmpty());
        QCOMPARE(game.model().state().passCount, 1);
    }

    // The game on the board is there again at the next start, the computer's reply included,
    // unless the settings were changed to another strength in between; a take-back undoes
    // the human's word with the reply, and the next start sees that too.
    void gameComesBackAtTheNextStart_data() {
        QTest::addColumn<QString>("between");
        QTest::addColumn<QStringList>("humanWords");
        QTest::newRow("the same settings") << "" << QStringList{"TO"};
        QTest::newRow("a take-back first") << "take back" << QStringList{};
        QTest::newRow("another strength: a new game") << "strength" << QStringList{};
    }
    void gameComesBackAtTheNextStart() {
        QFETCH(QString, between);
        QFETCH(QStringList, humanWords);
        GameFixture game(kRussianWords, {"HOUSE", "TO", "OUT"}, GameFixture::englishSettings());
        playTo(game);
        QCOMPARE(game.column(2), QStringList{"OUT"});
        if (between == "take back") {
            QVERIFY(game.window().menu().takeBackItem->isEnabled());
            game.window().menu().takeBackItem->trigger();
            QVERIFY(game.column(1).isEmpty() && game.column(2).isEmpty());
            QVERIFY(!game.window().menu().takeBackItem->isEnabled());
        }
        const std::vector<MoveRecord> moves = game.window().model().state().history;
        game.window().close();
        if (between == "strength") {
            QByteArray settings = game.folder().read("Vorda2000.ini");
            settings.replace("Strong=4", "Strong=2");
            game.folder().write("Vorda2000.ini", settings);
        }
        MainWindow second(game.services());
        const GameState& state = second.model().state();
        QStringList words;
        for (const std::string& word : second.model().sheet(Player::Human))
            words << QString::fromStdString(word);
        QCOMPARE(words, humanWords);
        QCOMPARE(state.history == moves, between != "strength");
        QCOMPARE(state.takenBack, between == "take back");
    }

    void thinkingFaceFollowsObservedTicks() {
        GameFixture game(kRussianWords, {"HOUSE"}, GameFixture::englishSettings());
        MainWindow& w = game.window();
        w.mainTimer()->stop();
        w.startThinkingFace();
        QStringList faces;
        for (int change = 1; change <= 22; ++change) {
            w.timerTick();
            w.advanceThinkingFace();
            w.advanceThinkingFace(); // the same tick seen twice is one step
            faces << w.faceName();
        }
        const QStringList expected = {"CPU22", "CPU22", "CPU21", "CPU21", "CPU22", "CPU22",
                                      "CPU21", "CPU21", "CPU21", "CPU21", "CPU21", "CPU21",
                                      "CPU21", "CPU21", "CPU21", "CPU21", "CPU21", "CPU21",
                                      "CPU21", "CPU21", "CPU22", "CPU22"};
        QCOMPARE(faces, expected);
        // The hint's search leaves the face alone.
        game.changeState([](GameState& state) { state.hintRunning = true; });
        w.showFace("CPU00");
        w.timerTick();
        w.advanceThinkingFace();
        QCOMPARE(w.faceName(), QString("CPU00"));
        game.changeState([](GameState& state) { state.hintRunning = false; });
    }

    void hintLeavesTheFaceAlone() {
        GameFixture game(kRussianWords, {"HOUSE"}, GameFixture::englishSettings());
        game.folder().copyFromDist("DATA/Lib.ENG");
        loadWords(game.services().words());
        // A crowded field keeps the hint's search busy for many ticks of the 2 ms timer.
        game.setBoard({"PLANT", "STONE", "HOUSE", "BRICK", "?????"});
        TickLog log;
        watchTicks(game, log);
        game.click(game.window().hintButton());
        QVERIFY(!log.hintFaces.isEmpty());
        QCOMPARE(log.hintFaces.filter(QRegularExpression("^CPU2")), QStringList());
        QVERIFY(!game.column(1).isEmpty());
    }

    void closingDuringTheSearch() {
        GameFixture game(kRussianWords, {"HOUSE", "TO", "OUT"}, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(2, 2);
        game.clickCell(2, 3);
        // The close arrives at the search's first look at the message queue.
        QTimer::singleShot(0, &game.window(), [&game] { game.window().close(); });
        game.clickCell(2, 2);
        QVERIFY(!game.window().isVisible());
        QCOMPARE(game.column(1), QStringList{"TO"});
        QVERIFY(game.column(2).isEmpty());
        QCOMPARE(game.model().state().passCount, 0);
        QVERIFY(game.errors().texts.isEmpty());
        QVERIFY(game.folder().read("Vorda2000.ini").contains("LanguageNumber=2\r\n"));
    }

    void closingWhileTheResultIsShown() {
        GameFixture game(kRussianWords, {"HOUSE", "TO"}, GameFixture::englishSettings());
        MainWindow& w = game.window();
        QObject::connect(w.mainTimer(), &QTimer::timeout, &w, [&w] {
            if (w.wordDisplay()->caption() == "? ? ?" && w.isVisible())
                w.close();
        });
        QElapsedTimer clock;
        clock.start();
        playTo(game);
        QVERIFY(!w.isVisible());
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(int(game.model().phase()), 2); // the turn stopped where it was
    }
};

VORDA_TEST_MAIN(TestTurn)
#include "tst_turn.moc"
