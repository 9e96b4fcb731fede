// The word sheets: played words, scores and the two columns.
#include "app/WordSheetsView.h"
#include "core/GameState.h"
#include "skin/CoolControls.h"
#include "tests/support/TestSupport.h"

#include <QtTest>

#include <memory>
#include <vector>

class TestSheets : public QObject {
    Q_OBJECT
    std::vector<std::unique_ptr<TCoolLabel>> labels_;

private slots:
    void init() {
        labels_.clear();
        for (int player = 1; player <= 2; ++player) {
            for (int line = 1; line <= kSheetLines; ++line) {
                labels_.push_back(std::make_unique<TCoolLabel>());
                SheetLabels[player][line] = labels_.back().get();
            }
            labels_.push_back(std::make_unique<TCoolLabel>());
            ScoreDisplays[player] = labels_.back().get();
        }
        ClearPlayedWords();
        ClearSheets();
    }
    void cleanup() {
        for (auto& column : SheetLabels)
            for (auto*& label : column)
                label = nullptr;
        ScoreDisplays[1] = ScoreDisplays[2] = nullptr;
        labels_.clear();
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
        Game.Scores[1] = uint16_t(score);
        Game.Scores[2] = uint16_t(score / 2);
        ShowScores();
        QCOMPARE(QString::fromStdString(ScoreDisplays[1]->Caption()), shown);
        QCOMPARE(QString::fromStdString(ScoreDisplays[2]->Caption()),
                 QString::number(score / 2).rightJustified(3, '0'));
    }

    void wordGoesToItsPlayer() {
        PushPlayedWord("HOUSE");
        AddPlayerWord(1, "TO");
        AddPlayerWord(2, "OUTS");
        QCOMPARE(SheetLabels[1][1]->Caption(), std::string("TO"));
        QCOMPARE(SheetLabels[2][1]->Caption(), std::string("OUTS"));
        QCOMPARE(ScoreDisplays[1]->Caption(), std::string("002"));
        QCOMPARE(ScoreDisplays[2]->Caption(), std::string("004"));
        QVERIFY(IsWordPlayed("HOUSE") && IsWordPlayed("TO") && IsWordPlayed("OUTS"));
        QVERIFY(!IsWordPlayed("to"));
        QVERIFY(!IsWordPlayed(""));
    }

    void columnShowsTheNewestFifteen() {
        PushPlayedWord("START");
        for (int i = 1; i <= 20; ++i)
            AddPlayerWord(1, "W" + std::to_string(i));
        QCOMPARE(SheetLabels[1][1]->Caption(), std::string("W20"));
        QCOMPARE(SheetLabels[1][15]->Caption(), std::string("W6"));
        QCOMPARE(int(Game.Scores[1]), 9 * 2 + 11 * 3);
        // The sheets still know every word of the game, the start word included.
        QVERIFY(IsWordPlayed("W1"));
        QVERIFY(IsWordPlayed("START"));
        // A 22nd word pushes the oldest out of the 21 slots.
        PushPlayedWord("EXTRA");
        QVERIFY(!IsWordPlayed("START"));
        QVERIFY(IsWordPlayed("W1"));
    }

    void clearingEmptiesEverything() {
        AddPlayerWord(1, "TO");
        AddPlayerWord(2, "OUT");
        ClearSheets();
        QVERIFY(SheetLabels[1][1]->Caption().empty() && SheetLabels[2][1]->Caption().empty());
        QCOMPARE(ScoreDisplays[1]->Caption(), std::string("000"));
        QVERIFY(IsWordPlayed("OUT")); // the played list is cleared on its own
        ClearPlayedWords();
        QVERIFY(!IsWordPlayed("OUT"));
    }
};

VORDA_TEST_MAIN(TestSheets)
#include "tst_sheets.moc"
