// The human's move, driven as a player drives it: the palette, the cells, the right button.
#include "app/FieldCell.h"
#include "core/PlayedWords.h"
#include "platform/Cp1251.h"
#include "skin/CoolControls.h"
#include "tests/support/GameFixture.h"

#include <QKeyEvent>
#include <QtTest>

namespace {
// The start word is HOUSE, the only five-letter word; the field then reads
//   ?????
//   ?????
//   HOUSE
//   ?????
//   ?????
const QStringList kEnglishWords = {"HOUSE", "TO", "HOT", "ATO", "OUT"};
const QStringList kRussianWords = {QString::fromUtf8("КОШКА"), QString::fromUtf8("ТО")};

int selectedCells(GameFixture& game) {
    int n = 0;
    for (int c = 1; c <= 5; ++c)
        for (int r = 1; r <= 5; ++r)
            n += game.cell(c, r)->selected;
    return n;
}

QString caption(GameFixture& game, int c, int r) {
    return cp1251ToUnicode(game.cell(c, r)->caption());
}

// Brings the move to a stage: A no letter, B letter chosen, C letter placed at (2, 2),
// D word begun with the placed letter, E the computer's turn.
void reachStage(GameFixture& game, const QString& stage) {
    if (stage == "A")
        return;
    game.pressLetter("T");
    if (stage == "E") {
        game.changeState([](GameState& state) { state.phase = MovePhase::Computer; });
        return;
    }
    if (stage == "B")
        return;
    game.enterCell(2, 2);
    game.clickCell(2, 2);
    game.leaveCell(2, 2);
    if (stage == "D")
        game.clickCell(2, 2);
}

// One key as a player types it into the window: a letter stands for itself, "Up", "Space",
// "Enter", "Backspace" and the like for those keys, "mouse:c,r" moves the pointer onto a cell
// and "click:c,r" clicks it there.
void typeKey(GameFixture& game, const QString& token, bool waitForTheTurn = true) {
    static const QMap<QString, QPair<int, QString>> named = {
        {"Up", {Qt::Key_Up, ""}},
        {"Down", {Qt::Key_Down, ""}},
        {"Left", {Qt::Key_Left, ""}},
        {"Right", {Qt::Key_Right, ""}},
        {"Space", {Qt::Key_Space, " "}},
        {"Enter", {Qt::Key_Return, "\r"}},
        {"Backspace", {Qt::Key_Backspace, "\b"}}};
    if (token.startsWith("mouse:")) {
        const QStringList at = token.mid(6).split(',');
        QTest::mouseMove(game.cell(at[0].toInt(), at[1].toInt()), QPoint(20, 20));
        return;
    }
    if (token.startsWith("click:")) {
        const QStringList at = token.mid(6).split(',');
        game.enterCell(at[0].toInt(), at[1].toInt());
        game.clickCell(at[0].toInt(), at[1].toInt());
        return;
    }
    // "key:44:x": the key numbered 44 on the keyboard, giving "x" in the layout in use.
    if (token.startsWith("key:")) {
        const QStringList parts = token.split(':');
        QKeyEvent press(QEvent::KeyPress, parts[2].toUpper().at(0).unicode(), Qt::NoModifier,
                        parts[1].toUInt(), 0, 0, parts[2]);
        QApplication::sendEvent(&game.window(), &press);
        if (waitForTheTurn)
            game.waitWhileBusy();
        return;
    }
    // "Enter+": a press repeated by the keyboard while the key is held.
    const bool held = token.size() > 1 && token.endsWith('+');
    const QString name = held ? token.chopped(1) : token;
    const auto key = named.value(name, {name.toUpper().at(0).unicode(), name});
    QKeyEvent press(QEvent::KeyPress, key.first, Qt::NoModifier, key.second, held);
    QApplication::sendEvent(&game.window(), &press);
    if (waitForTheTurn)
        game.waitWhileBusy();
}

// What the player sees of the move: the phase, the chosen letter, the word, the letters on
// cells not yet on the board ("T@2,2"), the cell framed by the keyboard's cursor ("-" while
// hidden) and the human's column.
QString moveState(GameFixture& game) {
    QStringList free;
    QString cursor = "-";
    const QWidget* frame = game.window().cursorFrame();
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 5; ++c) {
            const QString at = QString("%1,%2").arg(c).arg(r);
            if (!game.cell(c, r)->filled && !game.cell(c, r)->caption().empty())
                free << caption(game, c, r) + "@" + at;
            if (frame->isVisibleTo(&game.window()) &&
                frame->geometry() == game.cell(c, r)->geometry())
                cursor = at;
        }
    }
    return QString("phase %1, letter %2, word %3, free [%4], cursor %5, credited %6")
        .arg(int(game.model().phase()))
        .arg(cp1251ToUnicode(game.model().state().chosenLetter), game.word(), free.join(' '),
             cursor, game.column(1).join(' '));
}

void act(GameFixture& game, const QString& action) {
    if (action == "palette") {
        game.pressLetter("M");
    } else if (action == "free cell") {
        game.enterCell(3, 2);
        game.clickCell(3, 2);
    } else if (action == "unselected letter") {
        game.clickCell(2, 3);
    } else if (action == "selected letter") {
        game.clickCell(2, 2);
    } else if (action == "right button") {
        game.rightClick();
    }
}
} // namespace

class TestHumanMove : public QObject {
    Q_OBJECT
private slots:
    void transitions_data() {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("phase");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("placedCell"); // caption of (2, 2)
        QTest::addColumn<QString>("freeCell");   // caption of (3, 2)
        QTest::addColumn<int>("selected");
        QTest::newRow("A: palette chooses a letter") << "A"
                                                     << "palette" << 0 << "M"
                                                     << ""
                                                     << ""
                                                     << "" << 0;
        QTest::newRow("A: free cell does nothing") << "A"
                                                   << "free cell" << 0 << ""
                                                   << ""
                                                   << ""
                                                   << "" << 0;
        QTest::newRow("A: letter does nothing") << "A"
                                                << "unselected letter" << 0 << ""
                                                << ""
                                                << ""
                                                << "" << 0;
        QTest::newRow("A: right button does nothing") << "A"
                                                      << "right button" << 0 << ""
                                                      << ""
                                                      << ""
                                                      << "" << 0;
        QTest::newRow("B: palette chooses another letter") << "B"
                                                           << "palette" << 0 << "M"
                                                           << ""
                                                           << ""
                                                           << "" << 0;
        QTest::newRow("B: free cell takes the letter") << "B"
                                                       << "free cell" << 1 << "T"
                                                       << ""
                                                       << ""
                                                       << "T" << 0;
        QTest::newRow("B: letter does nothing") << "B"
                                                << "unselected letter" << 0 << "T"
                                                << ""
                                                << ""
                                                << "" << 0;
        QTest::newRow("B: right button does nothing") << "B"
                                                      << "right button" << 0 << "T"
                                                      << ""
                                                      << ""
                                                      << "" << 0;
        QTest::newRow("C: palette takes the placement back") << "C"
                                                             << "palette" << 0 << "M"
                                                             << ""
                                                             << ""
                                                             << "" << 0;
        QTest::newRow("C: free cell does nothing") << "C"
                                                   << "free cell" << 1 << "T"
                                                   << ""
                                                   << "T"
                                                   << "" << 0;
        QTest::newRow("C: letter begins the word") << "C"
                                                   << "unselected letter" << 1 << "T"
                                                   << "O"
                                                   << "T"
                                                   << "" << 1;
        QTest::newRow("C: right button takes the placement back") << "C"
                                                                  << "right button" << 0 << "T"
                                                                  << ""
                                                                  << ""
                                                                  << "" << 0;
        QTest::newRow("D: palette takes the placement back") << "D"
                                                             << "palette" << 0 << "M"
                                                             << ""
                                                             << ""
                                                             << "" << 0;
        QTest::newRow("D: free cell does nothing") << "D"
                                                   << "free cell" << 1 << "T"
                                                   << "T"
                                                   << "T"
                                                   << "" << 1;
        QTest::newRow("D: neighbour letter is appended") << "D"
                                                         << "unselected letter" << 1 << "T"
                                                         << "TO"
                                                         << "T"
                                                         << "" << 2;
        QTest::newRow("D: one-letter word is refused") << "D"
                                                       << "selected letter" << 1 << "T"
                                                       << ""
                                                       << "T"
                                                       << "" << 0;
        QTest::newRow("D: right button drops the word") << "D"
                                                        << "right button" << 1 << "T"
                                                        << ""
                                                        << "T"
                                                        << "" << 0;
        QTest::newRow("E: palette changes the letter") << "E"
                                                       << "palette" << 2 << "M"
                                                       << ""
                                                       << ""
                                                       << "" << 0;
        QTest::newRow("E: free cell does nothing") << "E"
                                                   << "free cell" << 2 << "T"
                                                   << ""
                                                   << ""
                                                   << "" << 0;
        QTest::newRow("E: letter does nothing") << "E"
                                                << "unselected letter" << 2 << "T"
                                                << ""
                                                << ""
                                                << "" << 0;
        QTest::newRow("E: right button does nothing") << "E"
                                                      << "right button" << 2 << "T"
                                                      << ""
                                                      << ""
                                                      << "" << 0;
    }
    void transitions() {
        QFETCH(QString, stage);
        QFETCH(QString, action);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        reachStage(game, stage);
        act(game, action);
        QTEST(int(game.model().phase()), "phase");
        QTEST(cp1251ToUnicode(game.model().state().chosenLetter), "chosen");
        QTEST(game.word(), "word");
        QTEST(caption(game, 2, 2), "placedCell");
        QTEST(caption(game, 3, 2), "freeCell");
        QTEST(selectedCells(game), "selected");
        QCOMPARE(game.board()[2], QString("HOUSE"));
    }

    void wordsThroughThePlacedLetter_data() {
        QTest::addColumn<QList<QPoint>>("path");
        QTest::addColumn<QString>("accepted");
        QTest::newRow("placed letter first") << QList<QPoint>{{2, 2}, {2, 3}} << "TO";
        QTest::newRow("placed letter last") << QList<QPoint>{{1, 3}, {2, 3}, {2, 2}} << "HOT";
        QTest::newRow("placed letter in the middle")
            << QList<QPoint>{{1, 2}, {2, 2}, {2, 3}} << "ATO";
    }
    void wordsThroughThePlacedLetter() {
        QFETCH(QList<QPoint>, path);
        QFETCH(QString, accepted);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.setBoard({"?????", "A????", "HOUSE", "?????", "?????"});
        game.placeLetter("T", 2, 2);
        game.sounds.clear();
        for (const QPoint& p : path)
            game.clickCell(p.x(), p.y());
        QCOMPARE(game.word(), accepted);
        QCOMPARE(game.sounds, QList<int>(path.size(), 2));
        game.clickCell(path.last().x(), path.last().y());
        // Accepted, credited to the human, and the computer's turn has run and handed back.
        QCOMPARE(game.column(1), QStringList{accepted});
        QCOMPARE(game.score(1), QString("00%1").arg(accepted.size()));
        QVERIFY(game.cell(2, 2)->filled);
        QCOMPARE(game.sounds.mid(path.size(), 1), QList<int>{3});
        QCOMPARE(game.model().state().passCount, game.column(2).isEmpty() ? 1 : 0);
        QCOMPARE(int(game.model().phase()), 0);
        QVERIFY(game.model().isPlayed(unicodeToCp1251(accepted)));
    }

    void wordMustPassThroughThePlacedLetter() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(3, 3);
        game.clickCell(2, 3);
        game.clickCell(3, 3); // confirm without the placed letter
        QCOMPARE(game.word(), QString("UO"));
        QCOMPARE(int(game.model().phase()), 1);
        QCOMPARE(selectedCells(game), 2);
        QVERIFY(game.column(1).isEmpty());
    }

    void stepsThatAreIgnored_data() {
        QTest::addColumn<QList<QPoint>>("clicks");
        QTest::addColumn<QString>("word");
        QTest::newRow("diagonal step") << QList<QPoint>{{2, 2}, {3, 3}} << "T";
        QTest::newRow("far cell") << QList<QPoint>{{2, 2}, {5, 3}} << "T";
        // The word does not run through the placed letter, so the click confirms nothing.
        QTest::newRow("selected cell is not added twice")
            << QList<QPoint>{{2, 3}, {3, 3}, {2, 3}} << "OU";
        QTest::newRow("free cell in a word") << QList<QPoint>{{2, 2}, {2, 1}} << "T";
    }
    void stepsThatAreIgnored() {
        QFETCH(QList<QPoint>, clicks);
        QFETCH(QString, word);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        for (const QPoint& p : clicks)
            game.clickCell(p.x(), p.y());
        QCOMPARE(game.word(), word);
        QCOMPARE(int(game.model().phase()), 1);
    }

    void refusalKeepsThePlacedLetter_data() {
        QTest::addColumn<QString>("played");
        QTest::newRow("one-letter word") << "";
        QTest::newRow("word played before") << "TO";
        QTest::newRow("start word spelled again") << "HOUSE";
    }
    void refusalKeepsThePlacedLetter() {
        QFETCH(QString, played);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        QStringList faces;
        connect(game.window().mainTimer(), &QTimer::timeout, this, [&] {
            if (faces.isEmpty() || faces.last() != game.window().faceName())
                faces << game.window().faceName();
        });
        if (!played.isEmpty())
            game.changeState([&played](GameState& state) {
                pushPlayedWord(state.playedWords, played.toStdString());
            });
        if (played == "HOUSE") {
            // A field where the start word can run through the new letter.
            game.setBoard({"?????", "?????", "HOUS?", "?????", "?????"});
            game.placeLetter("E", 5, 3);
            for (int c = 1; c <= 5; ++c)
                game.clickCell(c, 3);
            game.clickCell(5, 3);
        } else {
            game.placeLetter("T", 2, 2);
            game.clickCell(2, 2);
            if (!played.isEmpty())
                game.clickCell(2, 3);
            game.clickCell(2, 2);
        }
        QCOMPARE(faces.mid(0, 7),
                 (QStringList{"CPU12", "CPU11", "CPU12", "CPU11", "CPU12", "CPU11", "CPU12"}));
        QCOMPARE(game.window().faceName(), QString("CPU00"));
        QCOMPARE(game.word(), QString());
        QCOMPARE(selectedCells(game), 0);
        QCOMPARE(int(game.model().phase()), 1);
        QVERIFY(game.column(1).isEmpty());
        QVERIFY(!game.sounds.contains(3));
    }

    // While the head shakes over a refused word the word stays, and the player's input waits:
    // nothing pressed meanwhile changes the move, and the word goes when the shake is over.
    void inputWaitsForTheShake_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("palette") << "palette";
        QTest::newRow("unselected letter") << "unselected letter";
        QTest::newRow("right button") << "right button";
        QTest::newRow("skip") << "skip";
    }
    void inputWaitsForTheShake() {
        QFETCH(QString, action);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(2, 2);
        QString during;
        QTimer::singleShot(0, &game.window(), [&] {
            // The player's hand without the fixture's waiting for the shake.
            if (action == "skip")
                QTest::mouseClick(game.window().skipButton(), Qt::LeftButton);
            else if (action == "right button")
                QTest::mouseClick(game.window().wordDisplay(), Qt::RightButton, {}, QPoint(5, 5));
            else if (action == "palette")
                QTest::mousePress(game.letterButton("M"), Qt::LeftButton, {}, QPoint(17, 17));
            else
                QTest::mouseClick(game.cell(2, 3), Qt::LeftButton, {}, QPoint(20, 20));
            during = moveState(game);
        });
        game.clickCell(2, 2); // one letter: refused
        QCOMPARE(during, QString("phase 1, letter T, word T, free [T@2,2], cursor -, credited "));
        QCOMPARE(moveState(game),
                 QString("phase 1, letter T, word , free [T@2,2], cursor -, credited "));
        QVERIFY(game.column(2).isEmpty());
    }

    void rightButtonStepsBackOneStageAtATime() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(2, 2);
        game.clickCell(2, 3);
        game.sounds.clear();
        game.rightClick();
        QCOMPARE(game.word(), QString());
        QCOMPARE(selectedCells(game), 0);
        QCOMPARE(caption(game, 2, 2), QString("T"));
        game.rightClick();
        QCOMPARE(int(game.model().phase()), 0);
        // The pointer still rests on the cell, so it shows the chosen letter again as preview.
        QCOMPARE(caption(game, 2, 2), QString("T"));
        QVERIFY(!game.cell(2, 2)->filled);
        game.leaveCell(2, 2);
        QCOMPARE(caption(game, 2, 2), QString());
        game.rightClick();
        QCOMPARE(int(game.model().phase()), 0);
        QCOMPARE(game.sounds, (QList<int>{1, 1}));
    }

    void rightButtonIsOffWhileAGameDialogIsUp() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        game.services().game().mainInputEnabled = false;
        game.rightClick();
        QCOMPARE(int(game.model().phase()), 1);
        game.services().game().mainInputEnabled = true;
        game.rightClick();
        QCOMPARE(int(game.model().phase()), 0);
    }

    void pressingTheChosenLetterAgainOnlyClicks() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(2, 2);
        game.sounds.clear();
        game.pressLetter("T");
        QCOMPARE(game.sounds, QList<int>{0});
        QCOMPARE(int(game.model().phase()), 1);
        QCOMPARE(game.word(), QString("T"));
        QCOMPARE(game.letterButton("T")->fontColor(), QColor(0, 0, 255));
    }

    void chosenLetterIsMarked() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.pressLetter("T");
        game.pressLetter("M");
        int blue = 0;
        for (int i = 1; i <= 26; ++i)
            blue += game.window().letterPalette().button(i)->fontColor() == QColor(0, 0, 255);
        QCOMPARE(blue, 1);
        QCOMPARE(game.letterButton("M")->fontColor(), QColor(0, 0, 255));
        QCOMPARE(game.letterButton("T")->fontColor(), QColor(255, 255, 0));
    }

    // Moves typed on the keyboard; the keys of "duringTurn" are typed while the computer
    // answers the last key, and must change nothing.
    void movesByKeys_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("duringTurn");
        QTest::addColumn<QString>("state");
        const QString move = "Up Left Up Space Space Down Enter"; // place at (2, 2), spell "TO"
        QTest::newRow("whole move, keys wait for the computer")
            << "English"
            << "t " + move + " Up Space"
            << "m Right Space Backspace"
            << "phase 0, letter T, word , free [], cursor 2,2, credited TO";
        QTest::newRow("Russian whole move")
            << "Russian" << QString::fromUtf8("Т ") + move + " Up Enter"
            << ""
            << QString::fromUtf8("phase 0, letter Т, word , free [], cursor 2,2, credited ТО");
        QTest::newRow("Backspace drops the word")
            << "English"
            << "T " + move + " Backspace"
            << ""
            << "phase 1, letter T, word , free [T@2,2], cursor 2,3, credited ";
        QTest::newRow("a held Enter places the letter once")
            << "English"
            << "t Up Left Up Enter Enter+"
            << ""
            << "phase 1, letter T, word , free [T@2,2], cursor 2,2, credited ";
        QTest::newRow("a held Backspace steps back once")
            << "English"
            << "T " + move + " Backspace Backspace+"
            << ""
            << "phase 1, letter T, word , free [T@2,2], cursor 2,3, credited ";
        QTest::newRow("second Backspace takes the letter back, a third does nothing")
            << "English"
            << "T " + move + " Backspace Backspace Backspace"
            << ""
            << "phase 0, letter T, word , free [], cursor 2,3, credited ";
        QTest::newRow("letter takes the placement back, the cursor's cell shows it")
            << "English"
            << "t Up Left Up Space m"
            << ""
            << "phase 0, letter M, word , free [M@2,2], cursor 2,2, credited ";
        QTest::newRow("the key's place decides over its Latin character")
            << "Russian"
            << "key:44:x"
            << "" << QString::fromUtf8("phase 0, letter О, word , free [], cursor -, credited ");
        QTest::newRow("the ; key is Ж")
            << "Russian"
            << "key:47:;"
            << "" << QString::fromUtf8("phase 0, letter Ж, word , free [], cursor -, credited ");
        QTest::newRow("the ' key with no key number is Э")
            << "Russian"
            << "'"
            << "" << QString::fromUtf8("phase 0, letter Э, word , free [], cursor -, credited ");
        QTest::newRow("a Latin capital with no key number (Shift, Caps Lock) counts as the letter")
            << "Russian"
            << "T"
            << "" << QString::fromUtf8("phase 0, letter Е, word , free [], cursor -, credited ");
        QTest::newRow("a key with no Russian letter chooses nothing")
            << "Russian"
            << "key:10:1"
            << ""
            << "phase 0, letter , word , free [], cursor -, credited ";
        QTest::newRow("mouse over the field takes the preview back")
            << "English"
            << "t Up Left Up mouse:4,2"
            << ""
            << "phase 0, letter T, word , free [T@4,2], cursor -, credited ";
        QTest::newRow("the cursor reaches column and row 5")
            << "English"
            << "Up Right Right Right Down Down Down"
            << ""
            << "phase 0, letter , word , free [], cursor 5,5, credited ";
        QTest::newRow("Space and Enter before any arrow key do nothing")
            << "English"
            << "t click:2,2 Space Enter"
            << ""
            << "phase 1, letter T, word , free [T@2,2], cursor -, credited ";
        QTest::newRow("keys that are no English letter choose nothing")
            << "English"
            << "[ \\ ] ^ _ `"
            << ""
            << "phase 0, letter , word , free [], cursor -, credited ";
        QTest::newRow("Latin letter chooses the Russian layout's letter; cursor stops at the edge")
            << "Russian"
            << "t Up Left Left Left Up Up Up"
            << ""
            << QString::fromUtf8("phase 0, letter Е, word , free [Е@1,1], cursor 1,1, credited ");
    }
    void movesByKeys() {
        QFETCH(QString, language);
        QFETCH(QString, keys);
        QFETCH(QString, duringTurn);
        GameFixture game(kRussianWords, kEnglishWords,
                         language == "English" ? GameFixture::englishSettings() : QByteArray());
        const QStringList tokens = keys.split(' ');
        int phaseDuringTurn = -1;
        for (int i = 0; i < tokens.size(); ++i) {
            if (i == tokens.size() - 1 && !duringTurn.isEmpty())
                QTimer::singleShot(0, &game.window(), [&] {
                    phaseDuringTurn = int(game.model().phase());
                    for (const QString& token : duringTurn.split(' '))
                        typeKey(game, token, false);
                });
            typeKey(game, tokens[i]);
        }
        QCOMPARE(phaseDuringTurn, duringTurn.isEmpty() ? -1 : 2);
        QTEST(moveState(game), "state");
    }

    void previewFollowsThePointer() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.enterCell(1, 1);
        QCOMPARE(caption(game, 1, 1), QString());
        game.pressLetter("T");
        game.enterCell(1, 1);
        QCOMPARE(caption(game, 1, 1), QString("T"));
        game.enterCell(1, 3); // a board letter keeps its own
        QCOMPARE(caption(game, 1, 3), QString("H"));
        game.leaveCell(1, 1);
        QCOMPARE(caption(game, 1, 1), QString());
        QCOMPARE(game.cell(1, 1)->fontColor(), QColor(Qt::black));
    }
};

VORDA_TEST_MAIN(TestHumanMove)
#include "tst_humanmove.moc"
