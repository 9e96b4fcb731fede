// The game's flow without a window: the controller alone, its signals watched and its ticks
// given by the test.
#include "app/GameController.h"
#include "core/WordLibrary.h"
#include "extras/SoundPlayer.h"
#include "tests/support/TestFolder.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// The English library HOUSE, TO and OUT in a folder of its own, read as the game reads it.
struct Table {
    TestGameFolder folder;
    WordLibrary words;
    GameSession session;
    SoundPlayer sound;
    QList<int> sounds;
    std::unique_ptr<GameController> game;

    Table() {
        folder.write("DATA/Lib.ENG", "HOUSE\r\nTO\r\nOUT\r\n");
        words.language = 2;
        loadWords(words);
        sound.effectObserver = [this](int effect) { sounds << effect; };
        game = std::make_unique<GameController>(words, session, sound);
        game->newGame();
    }
    GameModel& model() { return game->model(); }
    // T placed above the O of HOUSE, then the word's cells (0-based) clicked in order.
    void spell(const QList<CellPos>& cells) {
        game->chooseLetter("T");
        game->clickCell({1, 1});
        for (const CellPos& cell : cells)
            game->clickCell(cell);
    }
    // "OT", which the library lacks: O, T, and O again to confirm.
    void spellOT() { spell({{1, 2}, {1, 1}, {1, 2}}); }
    // Runs the computer's turn to its end, the shown result ticking away.
    void runComputerTurn() {
        for (int i = 0; i < 2000 && game->computerMoving(); ++i) {
            QTest::qWait(1);
            game->tick();
        }
        QVERIFY(!game->computerMoving());
    }
};

} // namespace

class TestController : public QObject {
    Q_OBJECT
private slots:
    // A word, the computer's answer, two passes to the end, the end seen and a new game.
    void wholeGame() {
        Table table;
        QSignalSpy ended(table.game.get(), &GameController::gameEnded);
        QSignalSpy started(table.game.get(), &GameController::gameStarted);
        table.spell({{1, 1}, {1, 2}, {1, 1}}); // TO
        QCOMPARE(table.model().state().history.back().word, std::string("TO"));
        QVERIFY(table.game->computerMoving());
        table.runComputerTurn();
        QCOMPARE(table.model().state().history.back().player, Player::Computer);
        QCOMPARE(table.model().state().history.back().word, std::string("OUT"));
        QVERIFY(!table.game->busy());
        // Nothing is left to play: the human passes, the computer passes, the game is over.
        table.game->skipTurn();
        table.runComputerTurn();
        QCOMPARE(ended.count(), 1);
        const auto result = ended.first().first().value<GameResult>();
        QCOMPARE(int(result.humanScore), int(table.model().state().score(Player::Human)));
        QCOMPARE(int(result.computerScore), 3);
        QVERIFY(!result.takenBack);
        // The end waits for its windows: no move, skip or hint meanwhile.
        const GameState atEnd = table.model().state();
        QVERIFY(table.game->busy());
        table.game->skipTurn();
        table.game->askForHint();
        table.game->clickCell({0, 0});
        QVERIFY(!table.game->computerMoving());
        QCOMPARE(table.model().state().history, atEnd.history);
        QCOMPARE(table.game->finishedGame(), atEnd.history);
        const int startsBefore = int(started.count());
        table.game->endOfGameSeen();
        QCOMPARE(int(started.count()), startsBefore + 1);
        QVERIFY(!table.game->busy());
        QCOMPARE(table.model().state().history.size(), size_t(1));
        // A second "seen" starts no further game.
        table.game->endOfGameSeen();
        QCOMPARE(int(started.count()), startsBefore + 1);
    }

    // The add-word question waits as a state: the game takes no move until the answer, which
    // may come much later; after a close no answer changes anything.
    void addWordQuestionAnsweredLater_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closedFirst");
        QTest::addColumn<QString>("wordAfter");
        QTest::addColumn<bool>("added");
        QTest::addColumn<bool>("computerMoves");
        QTest::newRow("yes adds the word, the computer answers")
            << int(QuestionAnswer::Yes) << false << "" << true << true;
        QTest::newRow("no drops the word")
            << int(QuestionAnswer::No) << false << "" << false << false;
        QTest::newRow("closed question keeps the word selected")
            << int(QuestionAnswer::Dismissed) << false << "OT" << false << false;
        QTest::newRow("close while the question is open, then yes")
            << int(QuestionAnswer::Yes) << true << "OT" << false << false;
    }
    void addWordQuestionAnsweredLater() {
        QFETCH(int, answer);
        QFETCH(bool, closedFirst);
        Table table;
        QSignalSpy asked(table.game.get(), &GameController::questionAsked);
        table.spellOT();
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.first().at(0).value<GameQuestion>(), GameQuestion::AddWord);
        QCOMPARE(asked.first().at(1).value<std::string>(), std::string("OT"));
        QVERIFY(table.game->busy());
        QVERIFY(!table.session.mainInputEnabled);
        // Meanwhile the ticks run and the player's hand does nothing.
        table.game->stepBack();
        table.game->skipTurn();
        for (int i = 0; i < 40; ++i)
            table.game->tick();
        QCOMPARE(table.model().word(), std::string("OT"));
        QVERIFY(!table.game->computerMoving());
        if (closedFirst)
            table.game->close();
        table.game->answerQuestion(QuestionAnswer(answer));
        QTEST(QString::fromStdString(table.model().word()), "wordAfter");
        QTEST(table.folder.read("DATA/Lib.ENG").contains("OT\r\n"), "added");
        QTEST(table.game->computerMoving(), "computerMoves");
        if (!closedFirst && answer != int(QuestionAnswer::Yes))
            QVERIFY(!table.game->busy());
        // A second answer to a question already answered changes nothing.
        const GameState after = table.model().state();
        const std::string wordAfter = table.model().word();
        table.game->answerQuestion(QuestionAnswer::No);
        QCOMPARE(table.model().state().history, after.history);
        QCOMPARE(table.model().word(), wordAfter);
    }

    // "Start a new game?" only while a game is in progress; the answer comes later; a close
    // drops the question with its continuation.
    void newGameQuestion_data() {
        QTest::addColumn<bool>("inProgress");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closedFirst");
        QTest::addColumn<int>("calls");
        QTest::addColumn<bool>("agreed");
        QTest::newRow("no game in progress: on at once") << false << -1 << false << 1 << true;
        QTest::newRow("in progress, yes") << true << int(QuestionAnswer::Yes) << false << 1 << true;
        QTest::newRow("in progress, no") << true << int(QuestionAnswer::No) << false << 1 << false;
        QTest::newRow("in progress, closed question")
            << true << int(QuestionAnswer::Dismissed) << false << 1 << false;
        QTest::newRow("in progress, window closed first")
            << true << int(QuestionAnswer::Yes) << true << 0 << false;
    }
    void newGameQuestion() {
        QFETCH(bool, inProgress);
        QFETCH(int, answer);
        QFETCH(bool, closedFirst);
        Table table;
        if (inProgress) {
            table.spell({{1, 1}, {1, 2}, {1, 1}});
            table.runComputerTurn();
        }
        QSignalSpy asked(table.game.get(), &GameController::questionAsked);
        int calls = 0;
        bool agreed = false;
        table.game->confirmNewGame([&](bool yes) {
            ++calls;
            agreed = yes;
        });
        QCOMPARE(asked.count(), inProgress ? 1 : 0);
        if (inProgress) {
            QCOMPARE(calls, 0);
            QVERIFY(table.game->busy());
            if (closedFirst)
                table.game->close();
            table.game->answerQuestion(QuestionAnswer(answer));
        }
        QTEST(calls, "calls");
        QTEST(agreed, "agreed");
    }

    // A refused word stays selected for the whole shake of the head and goes on its last tick.
    void refusedWordGoesAfterTheShake() {
        Table table;
        QSignalSpy refused(table.game.get(), &GameController::wordRefused);
        table.spell({{1, 1}, {1, 1}}); // T alone: too short
        QCOMPARE(refused.count(), 1);
        for (int i = 1; i < GameController::kRefusalTicks; ++i) {
            table.game->tick();
            QVERIFY2(table.model().word() == "T", qPrintable(QString::number(i)));
            QVERIFY(table.game->busy());
        }
        table.game->tick();
        QCOMPARE(table.model().word(), std::string());
        QVERIFY(!table.game->busy());
        // The new letter stays where it was put.
        QCOMPARE(table.model().phase(), MovePhase::Selecting);
    }
};

QTEST_MAIN(TestController)
#include "tst_controller.moc"
