// The word sheets: played words, scores and the two columns, drawn from the game model.
#include "app/WordSheetsView.h"
#include "core/GameModel.h"
#include "skin/CoolControls.h"
#include "tests/support/TestSupport.h"

#include <QtTest>

#include <memory>

namespace {
// Credits a word to a player as the computer's turn (or the hint, for the human) does.
void credit(GameModel& model, Player player, const std::string& word, int cell) {
    model.beginComputerTurn(player == Player::Human);
    SearchResult result;
    result.word = word;
    result.column = cell % kFieldSide;
    result.row = cell / kFieldSide;
    result.path[0] = int8_t(result.column);
    result.path[1] = int8_t(result.row);
    result.pathLength = 1;
    model.applyComputerMove(result);
    model.endComputerTurn();
}
} // namespace

class TestSheets : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> area_;
    std::unique_ptr<GameModel> model_;
    std::unique_ptr<WordSheetsView> sheets_;

    std::string line(int player, int line) const { return sheets_->line(player, line)->caption(); }
    std::string score(int player) const { return sheets_->score(player)->caption(); }
    // A line without a word is hidden, so it neither paints nor reaches a screen reader.
    bool shown(int player, int line) const { return !sheets_->line(player, line)->isHidden(); }

private slots:
    void init() {
        area_ = std::make_unique<QWidget>();
        model_ = std::make_unique<GameModel>();
        sheets_ = std::make_unique<WordSheetsView>(*model_, area_.get());
        model_->newGame("HOUSE");
    }
    void cleanup() {
        sheets_.reset();
        model_.reset();
        area_.reset();
    }

    void scoresShowThreeDigits_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("shown");
        QTest::newRow("nothing") << 0 << "000";
        QTest::newRow("one digit") << 7 << "007";
        QTest::newRow("two digits") << 42 << "042";
        QTest::newRow("three digits") << 400 << "400";
    }
    void scoresShowThreeDigits() {
        QFETCH(int, score);
        QFETCH(QString, shown);
        GameState state = model_->state();
        state.scores = {uint16_t(score), uint16_t(score / 2)};
        model_->restore(state);
        QCOMPARE(QString::fromStdString(this->score(1)), shown);
        QCOMPARE(QString::fromStdString(this->score(2)),
                 QString::number(score / 2).rightJustified(3, '0'));
    }

    void wordGoesToItsPlayer() {
        credit(*model_, Player::Human, "TO", 0);
        credit(*model_, Player::Computer, "OUTS", 1);
        QCOMPARE(line(1, 1), std::string("TO"));
        QCOMPARE(line(2, 1), std::string("OUTS"));
        QVERIFY(shown(1, 1) && shown(2, 1));
        QVERIFY(!shown(1, 2) && !shown(2, 2));
        QCOMPARE(score(1), std::string("002"));
        QCOMPARE(score(2), std::string("004"));
        QVERIFY(model_->isPlayed("HOUSE") && model_->isPlayed("TO") && model_->isPlayed("OUTS"));
        QVERIFY(!model_->isPlayed("to"));
        QVERIFY(!model_->isPlayed(""));
    }

    void columnShowsTheNewestFifteen() {
        for (int i = 1; i <= 20; ++i)
            credit(*model_, Player::Human, "W" + std::to_string(i), i);
        QCOMPARE(line(1, 1), std::string("W20"));
        QCOMPARE(line(1, 15), std::string("W6"));
        QVERIFY(shown(1, 15));
        QCOMPARE(int(model_->state().score(Player::Human)), 9 * 2 + 11 * 3);
        // The game still knows every word, the start word included.
        QVERIFY(model_->isPlayed("W1"));
        QVERIFY(model_->isPlayed("HOUSE"));
        // A 22nd word pushes the oldest out of the 21 slots.
        PlayedWords played = model_->state().playedWords;
        pushPlayedWord(played, "EXTRA");
        QVERIFY(!isWordPlayedIn(played, "HOUSE"));
        QVERIFY(isWordPlayedIn(played, "W1"));
    }

    void newGameEmptiesEverything() {
        credit(*model_, Player::Human, "TO", 0);
        credit(*model_, Player::Computer, "OUT", 1);
        model_->newGame("HOUSE");
        QVERIFY(line(1, 1).empty() && line(2, 1).empty());
        QVERIFY(!shown(1, 1) && !shown(2, 1));
        QCOMPARE(score(1), std::string("000"));
        QCOMPARE(score(2), std::string("000"));
        QVERIFY(!model_->isPlayed("OUT"));
        QVERIFY(model_->isPlayed("HOUSE"));
    }
};

VORDA_TEST_MAIN(TestSheets)
#include "tst_sheets.moc"
