// The rules of play over plain data: the end of a game, a word's path, the judgement of a
// human's word and the language table.
#include "core/LanguageTable.h"
#include "core/Rules.h"
#include "platform/Cp1251.h"

#include <QtTest>

using Rows = std::array<std::string_view, kFieldSide>;
Q_DECLARE_METATYPE(HumanWordVerdict)

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void gameEnded_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("passes");
        QTest::addColumn<bool>("ended");
        const QStringList open{"?????", "??A??", "HOUSE", "?????", "?????"};
        const QStringList oneFree{"ABCDE", "ABCDE", "AB?DE", "ABCDE", "ABCDE"};
        const QStringList full{"ABCDE", "ABCDE", "ABCDE", "ABCDE", "ABCDE"};
        QTest::newRow("free cells, no pass") << open << 0 << false;
        QTest::newRow("one pass is not the end") << open << 1 << false;
        QTest::newRow("two passes in a row") << open << 2 << true;
        QTest::newRow("one free cell left") << oneFree << 0 << false;
        QTest::newRow("field full") << full << 0 << true;
    }
    void gameEnded() {
        QFETCH(QStringList, rows);
        QFETCH(int, passes);
        QFETCH(bool, ended);
        std::array<std::string, kFieldSide> bytes;
        Rows view;
        for (int r = 0; r < kFieldSide; ++r)
            view[r] = bytes[r] = rows[r].toStdString();
        const std::optional<LetterGrid> grid = letterGridFromRows(view);
        QVERIFY(grid);
        QCOMPARE(isGameOver(*grid, passes), ended);
    }

    void pathStep_data() {
        QTest::addColumn<QPoint>("last");
        QTest::addColumn<QPoint>("next");
        QTest::addColumn<bool>("step");
        QTest::newRow("below") << QPoint(3, 3) << QPoint(3, 4) << true;
        QTest::newRow("left") << QPoint(3, 3) << QPoint(2, 3) << true;
        QTest::newRow("diagonal") << QPoint(3, 3) << QPoint(4, 4) << false;
        QTest::newRow("two apart") << QPoint(1, 1) << QPoint(3, 1) << false;
        QTest::newRow("the same cell") << QPoint(2, 2) << QPoint(2, 2) << false;
    }
    void pathStep() {
        QFETCH(QPoint, last);
        QFETCH(QPoint, next);
        QTEST(isPathStep(last.x(), last.y(), next.x(), next.y()), "step");
    }

    void humanWord_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<HumanWordVerdict>("verdict");
        QTest::newRow("known") << "HOUSE" << HumanWordVerdict::Accepted;
        QTest::newRow("known in other case") << "house" << HumanWordVerdict::Accepted;
        QTest::newRow("unknown") << "HOSE" << HumanWordVerdict::Unknown;
        QTest::newRow("one letter") << "A" << HumanWordVerdict::Refused;
        QTest::newRow("no letter") << "" << HumanWordVerdict::Refused;
        QTest::newRow("played already") << "TO" << HumanWordVerdict::Refused;
        QTest::newRow("longer than any list")
            << QString(kMaxWordLength + 1, 'A') << HumanWordVerdict::Refused;
    }
    void humanWord() {
        QFETCH(QString, word);
        WordLibrary words;
        words.lists[5].insert("HOUSE");
        words.lists[2].insert("TO");
        std::array<std::string, kPlayedWordSlots> played;
        played[0] = "TO";
        QTEST(judgeHumanWord(word.toStdString(), words, played), "verdict");
    }

    void languages_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("letters");
        const QString russian = QString::fromUtf8("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
        const QString english = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        QTest::newRow("Russian") << 1 << "Russian"
                                 << "DATA/Lib.RUS" << russian;
        QTest::newRow("English") << 2 << "English"
                                 << "DATA/Lib.ENG" << english;
        QTest::newRow("any other number is English") << 7 << "English"
                                                     << "DATA/Lib.ENG" << english;
        QTest::newRow("0 is English") << 0 << "English"
                                      << "DATA/Lib.ENG" << english;
    }
    void languages() {
        QFETCH(int, number);
        const LanguageInfo& language = languageOf(number);
        QTEST(QString::fromLatin1(language.section), "section");
        QTEST(QString::fromLatin1(language.libraryFile), "library");
        QTEST(cp1251ToUnicode(language.letters), "letters");
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
