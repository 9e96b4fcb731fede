// The game model without a window: whole games in both languages played through its
// operations, the judgement of the human's word and the step back.
#include "core/GameModel.h"
#include "core/LanguageTable.h"
#include "core/SavedGame.h"
#include "platform/Cp1251.h"
#include "tests/support/TestFolder.h"

#include <QSignalSpy>
#include <QtTest>

#include <set>

Q_DECLARE_METATYPE(WordVerdict)

namespace {
// A library of the language's two-letter words, every pair of its letters, and the start word.
WordLibrary twoLetterLibrary(uint16_t language, const std::string& startWord) {
    const LanguageInfo& info = languageOf(language);
    WordLibrary words;
    words.language = language;
    for (const char a : info.letters)
        for (const char b : info.letters)
            words.lists[2].insert(std::string{a, b});
    words.lists[5].insert(startWord);
    return words;
}

// The first free cell beside a letter, column by column.
CellPos freeCellBesideALetter(const GameModel& model) {
    for (int c = 0; c < kFieldSide; ++c)
        for (int r = 0; r < kFieldSide; ++r)
            for (CellPos next :
                 {CellPos{c, r - 1}, CellPos{c, r + 1}, CellPos{c - 1, r}, CellPos{c + 1, r}})
                if (!model.isFilled({c, r}) && model.isFilled(next))
                    return {c, r};
    return {};
}

// The human's move as the window makes it: a letter, its cell, a two-letter word from the new
// letter to a neighbour; letters that would make a played word are taken back with the right
// button. False when no letter makes a new word.
bool humanPlaysTwoLetters(GameModel& model, const WordLibrary& words) {
    const CellPos cell = freeCellBesideALetter(model);
    CellPos neighbour;
    for (CellPos next : {CellPos{cell.column, cell.row - 1}, CellPos{cell.column, cell.row + 1},
                         CellPos{cell.column - 1, cell.row}, CellPos{cell.column + 1, cell.row}})
        if (model.isFilled(next))
            neighbour = next;
    const LanguageInfo& info = languageOf(words.language);
    for (const char letter : info.letters) {
        model.chooseLetter(std::string(1, letter));
        if (!model.place(cell) || !model.extendWord(cell) || !model.extendWord(neighbour))
            return false;
        const WordVerdict verdict = model.confirmWord(words);
        if (verdict == WordVerdict::Accepted)
            return true;
        if (verdict != WordVerdict::AlreadyPlayed || !model.stepBack() || !model.stepBack())
            return false;
    }
    return false;
}

void computerMoves(GameModel& model, const WordLibrary& words, bool forHuman) {
    model.beginComputerTurn(forHuman);
    SearchLimits limits;
    limits.maxWordLength = 8;
    limits.hintMode = forHuman;
    limits.language = words.language;
    model.applyComputerMove(
        findBestWord(model.board(), words, model.state().playedWords, limits, nullptr));
    model.endComputerTurn();
}

int filledCells(const GameModel& model) {
    int n = 0;
    for (int c = 0; c < kFieldSide; ++c)
        for (int r = 0; r < kFieldSide; ++r)
            n += model.isFilled({c, r});
    return n;
}
} // namespace

class TestGame : public QObject {
    Q_OBJECT
private slots:
    void gameToAFullField_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QByteArray>("startWord");
        QTest::addColumn<bool>("hintFirst");
        QTest::newRow("English") << int(kEnglish) << QByteArray("HOUSE") << false;
        QTest::newRow("Russian, the hint plays the first move")
            << int(kRussian) << QByteArray::fromStdString(cp("КОШКА")) << true;
        // The field holds capitals only, as the palette writes them.
        QTest::newRow("Russian, the start word stored in small letters")
            << int(kRussian) << QByteArray::fromStdString(cp("кошка")) << false;
    }
    void gameToAFullField() {
        QFETCH(int, language);
        QFETCH(QByteArray, startWord);
        QFETCH(bool, hintFirst);
        const WordLibrary words = twoLetterLibrary(uint16_t(language), startWord.toStdString());
        GameModel model;
        QSignalSpy changes(&model, &GameModel::changed);
        model.newGame(startWord.toStdString());
        QCOMPARE(filledCells(model), 5);
        int humanMoves = 0;
        while (!model.isOver()) {
            if (hintFirst && humanMoves == 0) {
                computerMoves(model, words, true);
                QVERIFY(model.state().hintUsed);
            } else {
                QVERIFY(humanPlaysTwoLetters(model, words));
            }
            ++humanMoves;
            QCOMPARE(model.toMove(), Player::Computer);
            if (!model.isOver())
                computerMoves(model, words, false);
        }
        // The field filled up: 20 moves after the start word, each a new two-letter word.
        QCOMPARE(filledCells(model), kFieldSide * kFieldSide);
        QCOMPARE(model.state().passCount, 0);
        const std::vector<MoveRecord>& history = model.state().history;
        QCOMPARE(int(history.size()), 21);
        const std::string capitals =
            cp1251ToUnicode(startWord.toStdString()).toUpper().toStdString();
        QCOMPARE(cp1251ToUnicode(history[0].word).toStdString(), capitals);
        std::set<std::string> distinct;
        int human = 0, computer = 0;
        for (const MoveRecord& move : history) {
            distinct.insert(move.word);
            if (move.player == Player::Nobody)
                continue;
            QCOMPARE(move.word.size(), size_t(2));
            QVERIFY(move.cell.valid());
            QCOMPARE(model.board().cells[move.cell.column][move.cell.row].letter, move.letter);
            QVERIFY(std::find(move.path.begin(), move.path.end(), move.cell) != move.path.end());
            (move.player == Player::Human ? human : computer) += move.score;
        }
        QCOMPARE(int(distinct.size()), 21);
        QCOMPARE(int(model.state().score(Player::Human)), human);
        QCOMPARE(int(model.state().score(Player::Computer)), computer);
        QCOMPARE(human, 2 * humanMoves);
        QCOMPARE(int(model.sheet(Player::Human).size()), std::min(humanMoves, kSheetLines));
        QCOMPARE(history[1].hint, hintFirst);
        // The game as a saved game reads back, its words and letters those of the language.
        QString error;
        QVERIFY2(
            parseSavedGame(savedGameBytes(uint16_t(language), 4, model.state()), &error, &words),
            qPrintable(error));
        QVERIFY(changes.count() > 40);
    }

    void gameEndsOnTwoPasses_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QByteArray>("startWord");
        QTest::newRow("English") << int(kEnglish) << QByteArray("HOUSE");
        QTest::newRow("Russian") << int(kRussian) << QByteArray::fromStdString(cp("КОШКА"));
    }
    void gameEndsOnTwoPasses() {
        QFETCH(int, language);
        QFETCH(QByteArray, startWord);
        WordLibrary words;
        words.language = uint16_t(language);
        words.lists[5].insert(startWord.toStdString());
        GameModel model;
        model.newGame(startWord.toStdString());
        // A hint that finds nothing is a pass, and the hint is given back.
        computerMoves(model, words, true);
        QCOMPARE(model.state().passCount, 1);
        QVERIFY(!model.state().hintUsed);
        QVERIFY(!model.isOver());
        model.skip();
        QCOMPARE(model.phase(), MovePhase::Computer);
        QVERIFY(model.isOver());
        QCOMPARE(int(model.state().history.size()), 3);
        // A new game starts without passes.
        model.newGame(startWord.toStdString());
        QVERIFY(!model.isOver());
        QCOMPARE(model.state().passCount, 0);
    }

    // The human's word on the board ?????/?????/HOUSE with T placed above the O.
    void humanWord_data() {
        QTest::addColumn<QList<QPoint>>("path");
        QTest::addColumn<WordVerdict>("verdict");
        QTest::newRow("accepted") << QList<QPoint>{{1, 1}, {1, 2}} << WordVerdict::Accepted;
        QTest::newRow("one letter") << QList<QPoint>{{1, 1}} << WordVerdict::TooShort;
        QTest::newRow("played before")
            << QList<QPoint>{{1, 2}, {1, 1}} << WordVerdict::AlreadyPlayed;
        QTest::newRow("not in the library")
            << QList<QPoint>{{1, 1}, {1, 2}, {2, 2}} << WordVerdict::NotInLibrary;
        QTest::newRow("not through the new letter")
            << QList<QPoint>{{0, 2}, {1, 2}} << WordVerdict::NotThroughNewLetter;
        QTest::newRow("diagonal step ignored")
            << QList<QPoint>{{1, 1}, {2, 2}} << WordVerdict::TooShort;
        QTest::newRow("free cell ignored")
            << QList<QPoint>{{1, 1}, {1, 0}} << WordVerdict::TooShort;
    }
    void humanWord() {
        QFETCH(QList<QPoint>, path);
        QFETCH(WordVerdict, verdict);
        WordLibrary words;
        words.lists[2].insert("TO");
        words.lists[2].insert("OT");
        words.lists[5].insert("HOUSE");
        GameModel model;
        model.newGame("HOUSE");
        GameState state = model.state();
        pushPlayedWord(state.playedWords, "OT");
        model.restore(state);
        QVERIFY(!model.place({1, 1}));
        QVERIFY(model.chooseLetter("T"));
        QVERIFY(!model.place({1, 2})); // a letter of the board
        QVERIFY(model.place({1, 1}));
        for (const QPoint& p : path)
            model.extendWord({p.x(), p.y()});
        const std::string word = model.word();
        QCOMPARE(model.confirmWord(words), verdict);
        const bool accepted = verdict == WordVerdict::Accepted;
        QCOMPARE(model.isFilled({1, 1}), accepted);
        QCOMPARE(int(model.state().score(Player::Human)), accepted ? 2 : 0);
        QCOMPARE(model.isPlayed("TO"), accepted);
        QCOMPARE(model.phase(), accepted ? MovePhase::Placing : MovePhase::Selecting);
        QCOMPARE(model.word(), accepted ? std::string() : word);
        if (accepted)
            return;
        // The right button drops the word, then takes the letter back, then does nothing.
        QVERIFY(model.stepBack());
        QCOMPARE(model.word(), std::string());
        QCOMPARE(model.boardWithMove().cells[1][1].letter, 'T');
        QVERIFY(model.stepBack());
        QCOMPARE(model.phase(), MovePhase::Placing);
        QCOMPARE(model.boardWithMove().cells[1][1].letter, kFreeCell);
        QVERIFY(!model.stepBack());
        QCOMPARE(model.state().chosenLetter, std::string("T"));
    }
};

QTEST_GUILESS_MAIN(TestGame)
#include "tst_game.moc"
