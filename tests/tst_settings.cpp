// The settings file as the game reads and writes it, the add-word question and the strength
// window.
#include "app/PoleUnit.h"
#include "core/SpisokUnit.h"
#include "core/WordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"
#include "skin/CoolControls.h"
#include "tests/support/GameFixture.h"

#include "skin/CoolTrackBar.h"
#include <QDir>
#include <QMenu>
#include <QtTest>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QStringList kRussianWords = {QString::fromUtf8("КОШКА"), QString::fromUtf8("ДОМ")};
const QStringList kEnglishWords = {"HOUSE", "TO"};

QByteArray settingsWith(const QByteArray& vorda, const QByteArray& english = "Title=Words\r\n") {
    return "[Vorda]\r\n" + vorda + "[Images]\r\nImage3=C:\\Pictures\\stone.bmp\r\n[English]\r\n" +
           english + "[Russian]\r\nTitle=" + QByteArray::fromStdString(Cp("Слова")) + "\r\n";
}

void clickButton(TCoolBtn* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void withoutTheFileEveryTextIsAQuestionMark() {
        GameFixture game(kRussianWords, kEnglishWords, QByteArray(""));
        QFile::remove(game.folder().path() + "Vorda2000.ini");
        game.services().words() = TWords();
        TMainWindow w(game.services());
        QCOMPARE(w.windowTitle(), QString("?"));
        QCOMPARE(w.Menu_Game->title(), QString("?"));
        QCOMPARE(w.Menu_NewGame->text(), QString("?"));
        QVERIFY(!w.Menu_None1->isSeparator());
        QCOMPARE(w.Menu_None1->text(), QString("?"));
        QCOMPARE(w.Menu_Russian->text(), QString("? 2"));
        QCOMPARE(w.Menu_English->text(), QString("? 2"));
        QCOMPARE(w.SkipButton->Caption(), std::string("?"));
        QCOMPARE(int(game.services().words().Language), 1);
        QCOMPARE(int(game.services().game().MaxWordLength), 8);
        QVERIFY(w.Menu_Sound->isChecked());
        QVERIFY(TextureChoice.UseSkins);
        QVERIFY(TextureChoice.SkinName.empty());
        w.close();
        // The first write makes the file with the two settings sections only.
        const QByteArray written = game.folder().read("Vorda2000.ini");
        QVERIFY(written.startsWith("[Vorda]\r\nSound=1\r\nLanguageNumber=1\r\nStrong=6\r\n"));
        QVERIFY(written.contains("[Images]\r\n"));
        QVERIFY(!written.contains("[Russian]"));
    }

    void readsTheSettings_data() {
        QTest::addColumn<QByteArray>("vorda");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("maxWordLength");
        QTest::addColumn<bool>("sound");
        QTest::newRow("Russian, strength 4")
            << QByteArray("LanguageNumber=1\r\nStrong=4\r\nSound=1\r\n") << 1 << 6 << true;
        QTest::newRow("English") << QByteArray("LanguageNumber=2\r\n") << 2 << 8 << true;
        QTest::newRow("language 0 is English")
            << QByteArray("LanguageNumber=0\r\n") << 2 << 8 << true;
        QTest::newRow("language 7 is English")
            << QByteArray("LanguageNumber=7\r\n") << 2 << 8 << true;
        QTest::newRow("language with blanks and quotes")
            << QByteArray("LanguageNumber = \"1\" \r\n") << 1 << 8 << true;
        QTest::newRow("missing strength gives the strongest")
            << QByteArray("LanguageNumber=1\r\n") << 1 << 8 << true;
        QTest::newRow("strength 16 is held at the strongest")
            << QByteArray("Strong=16\r\n") << 1 << 8 << true;
        QTest::newRow("strength 0 is held at the weakest")
            << QByteArray("Strong=0\r\n") << 1 << 3 << true;
        QTest::newRow("negative strength is held at the weakest")
            << QByteArray("Strong=-40\r\n") << 1 << 3 << true;
        QTest::newRow("huge strength")
            << QByteArray("Strong=99999999999999999999\r\n") << 1 << 8 << true;
        QTest::newRow("strength 1") << QByteArray("Strong=1\r\n") << 1 << 3 << true;
        QTest::newRow("sound 0") << QByteArray("Sound=0\r\n") << 1 << 8 << false;
        QTest::newRow("sound empty") << QByteArray("Sound=\r\n") << 1 << 8 << false;
        QTest::newRow("sound 01 is not 1") << QByteArray("Sound=01\r\n") << 1 << 8 << false;
        QTest::newRow("keys in capitals")
            << QByteArray("LANGUAGENUMBER=2\r\nSTRONG=2\r\nSOUND=0\r\n") << 2 << 4 << false;
    }
    void readsTheSettings() {
        QFETCH(QByteArray, vorda);
        GameFixture game(kRussianWords, kEnglishWords, settingsWith(vorda));
        QVERIFY(game.errors().texts.isEmpty());
        QTEST(int(game.services().words().Language), "language");
        QTEST(int(game.services().game().MaxWordLength), "maxWordLength");
        QTEST(game.window().Menu_Sound->isChecked(), "sound");
        QCOMPARE(game.window().Menu_English->isChecked(), game.services().words().Language == 2);
        QCOMPARE(game.letterButton(QStringLiteral("Z")) != nullptr,
                 game.services().words().Language == 2);
        QCOMPARE(game.window().windowTitle(), game.services().words().Language == 2
                                                  ? QString("Words")
                                                  : QString::fromUtf8("Слова"));
    }

    void emptyTitleIsEmpty() {
        GameFixture game(kRussianWords, kEnglishWords,
                         settingsWith("LanguageNumber=2\r\n", "Title=\r\nmenu_game=G\r\n"));
        QCOMPARE(game.window().windowTitle(), QString());
        // The caption gets its mnemonic; "?" has no letter to take.
        QCOMPARE(game.window().Menu_Game->title(), QString("&G"));
        QCOMPARE(game.window().Menu_Options->title(), QString("?"));
    }

    // A file that has lost its texts is named once at the start, and at a switch to the
    // language whose texts are gone; what the player set in it stays.
    void lostTextsAreNamed_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("atStart");
        QTest::addColumn<QString>("atSwitch");
        QTest::newRow("whole") << settingsWith("LanguageNumber=1\r\n") << ""
                               << "";
        QTest::newRow("missing") << QByteArray() << "is missing"
                                 << "";
        static const char junk[] = "\x7f\x00ELF\xff\xfe[\x01\r\n=\x1a";
        QTest::newRow("junk") << QByteArray(junk, sizeof junk - 1) << "has lost"
                              << "";
        QTest::newRow("English section lost")
            << ("[Vorda]\r\nLanguageNumber=1\r\n[Russian]\r\nTitle=" +
                QByteArray::fromStdString(Cp("Слова")) + "\r\n")
            << ""
            << "[English]";
        // Never opened for reading, which for a FIFO would block the start.
        QTest::newRow("a FIFO in its place")
            << QByteArray("fifo") << "cannot be read: it is not a regular file"
            << "";
    }
    void lostTextsAreNamed() {
        QFETCH(QByteArray, settings);
        QFETCH(QString, atStart);
        QFETCH(QString, atSwitch);
        const bool fifo = settings == "fifo";
        ::alarm(60);
        GameFixture game(kRussianWords, kEnglishWords,
                         settings.isNull() ? QByteArray("") : settings,
                         [&](const TestGameFolder& folder) {
                             const QString path = folder.path() + "Vorda2000.ini";
                             if (settings.isNull() || fifo)
                                 QFile::remove(path);
                             if (fifo)
                                 ::mkfifo(QFile::encodeName(path).constData(), 0644);
                         });
        ::alarm(0);
        if (fifo)
            settings = QByteArray();
        const auto expect = [&](const QString& part) {
            QCOMPARE(game.errors().texts.size(), part.isEmpty() ? 0 : 1);
            if (!part.isEmpty()) {
                QVERIFY2(game.errors().texts[0].contains(part), qPrintable(game.errors().texts[0]));
                QVERIFY(game.errors().texts[0].contains(game.folder().path() + "Vorda2000.ini"));
            }
            game.errors().texts.clear();
        };
        expect(atStart);
        if (atStart.isEmpty()) {
            game.window().Menu_English->trigger();
            expect(atSwitch);
        }
        game.window().close();
        if (fifo) {
            struct stat node;
            const QByteArray path = QFile::encodeName(game.folder().path() + "Vorda2000.ini");
            QVERIFY(::stat(path.constData(), &node) == 0 && S_ISFIFO(node.st_mode));
        }
        // A damaged file is the player's: the close only adds the settings after it, before
        // an end-of-file mark that ends it.
        if (!settings.isNull() && !atStart.isEmpty()) {
            const QByteArray written = game.folder().read("Vorda2000.ini");
            const bool marked = settings.endsWith('\x1a');
            QVERIFY(written.startsWith(marked ? settings.chopped(1) : settings));
            QCOMPARE(written.endsWith('\x1a'), marked);
        }
    }

    void notANumberTakesItsDefault_data() {
        QTest::addColumn<QByteArray>("vorda");
        QTest::addColumn<QStringList>("named");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("maxWordLength");
        QTest::newRow("language") << QByteArray("LanguageNumber=one\r\nStrong=4\r\nSound=0\r\n")
                                  << QStringList{"\"one\"", "LanguageNumber", "1 is used"} << 1
                                  << 6;
        QTest::newRow("strength") << QByteArray("LanguageNumber=2\r\nStrong=4x\r\nSound=0\r\n")
                                  << QStringList{"\"4x\"", "Strong", "; 6 is used"} << 2 << 8;
        QTest::newRow("empty strength") << QByteArray("LanguageNumber=2\r\nStrong=\r\nSound=0\r\n")
                                        << QStringList{"\"\"", "Strong"} << 2 << 8;
        QTest::newRow("both") << QByteArray("LanguageNumber=x\r\nStrong=y\r\nSound=0\r\n")
                              << QStringList{"\"x\"", "\"y\""} << 1 << 8;
    }
    void notANumberTakesItsDefault() {
        QFETCH(QByteArray, vorda);
        QFETCH(QStringList, named);
        GameFixture game(kRussianWords, kEnglishWords, settingsWith(vorda));
        // Reported once, naming the key and the value; every other setting is read and the
        // start-up goes on.
        QCOMPARE(game.errors().texts.size(), 1);
        for (const QString& part : named)
            QVERIFY2(game.errors().texts[0].contains(part), qPrintable(game.errors().texts[0]));
        QTEST(int(game.services().words().Language), "language");
        QTEST(int(game.services().game().MaxWordLength), "maxWordLength");
        QVERIFY(!game.window().Menu_Sound->isChecked());
        QCOMPARE(TextureChoice.TextureFiles[3], std::string("C:\\Pictures\\stone.bmp"));
        QVERIFY(!game.cell(1, 3)->Caption().empty());
        game.window().close();
        const QByteArray written = game.folder().read("Vorda2000.ini");
        QVERIFY(written.contains("Sound=0\r\n"));
        QVERIFY(written.contains("Image3=stone.bmp\r\n"));
    }

    void writesTheSettingsBackAtTheClose() {
        GameFixture game(kRussianWords, kEnglishWords,
                         settingsWith("LanguageNumber=1\r\nStrong=4\r\n"));
        game.window().Menu_Sound->trigger();
        game.window().close();
        const QByteArray written = game.folder().read("Vorda2000.ini");
        QVERIFY(written.contains("Strong=4\r\n"));
        QVERIFY(written.contains("Sound=0\r\n"));
        QVERIFY(written.contains("Image3=stone.bmp\r\n"));
        QVERIFY(written.contains("UseSkins=1\r\n"));
        // The language sections are never written.
        QVERIFY(written.contains("[English]\r\nTitle=Words\r\n[Russian]"));
    }

    // Two copies of the game on one folder: each writes back only the settings it changed,
    // so what the other copy wrote meanwhile stays.
    void twoCopiesKeepEachOthersSettings_data() {
        QTest::addColumn<QString>("theirKey");
        QTest::addColumn<QString>("theirValue");
        QTest::newRow("the other copy changed the strength") << "Strong"
                                                             << "2";
        QTest::newRow("the other copy chose a skin") << "SkinName"
                                                     << "Meadow";
    }
    void twoCopiesKeepEachOthersSettings() {
        QFETCH(QString, theirKey);
        QFETCH(QString, theirValue);
        GameFixture game(kRussianWords, kEnglishWords,
                         settingsWith("LanguageNumber=1\r\nStrong=4\r\n"));
        WriteProfileString(game.services().settingsFile().FileName(),
                           theirKey == "Strong" ? "Vorda" : "Images", theirKey.toStdString(),
                           theirValue.toStdString());
        game.window().Menu_Sound->trigger();
        game.window().close();
        const QByteArray written = game.folder().read("Vorda2000.ini");
        QVERIFY(written.contains("Sound=0\r\n"));
        QVERIFY2(written.contains((theirKey + "=" + theirValue + "\r\n").toLatin1()),
                 written.constData());
    }

    void unwritableSettingsStillClose() {
        GameFixture game(kRussianWords, kEnglishWords);
        // A folder where the file should be: reading gives the defaults, writing fails.
        QFile::remove(game.folder().path() + "Vorda2000.ini");
        QDir(game.folder().path()).mkdir("Vorda2000.ini");
        game.window().close();
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY(game.errors().texts[0].startsWith("Unable to write to "));
        QVERIFY(!game.window().isVisible());
    }

    // A switch that fails at any step leaves the game wholly in its old language.
    void failedLanguageSwitchIsUndone_data() {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        QTest::newRow("settings cannot be written") << "settings"
                                                    << "Unable to write to ";
        QTest::newRow("library missing") << "missing"
                                         << "Lib.ENG";
        QTest::newRow("library without five-letter words") << "short words"
                                                           << "Lib.ENG";
    }
    void failedLanguageSwitchIsUndone() {
        QFETCH(QString, cause);
        GameFixture game(kRussianWords, kEnglishWords);
        const QString title = game.window().windowTitle();
        const QString englishItem = game.window().Menu_English->text();
        const QStringList board = game.board();
        if (cause == "settings") {
            QFile::remove(game.folder().path() + "Vorda2000.ini");
            QDir(game.folder().path()).mkdir("Vorda2000.ini");
        } else if (cause == "missing") {
            QFile::remove(game.folder().path() + "DATA/Lib.ENG");
        } else {
            game.folder().write("DATA/Lib.ENG", LibraryBytes({"TO", "CAT", "CATS"}));
        }
        const QByteArray settings = game.folder().read("Vorda2000.ini");
        game.window().Menu_English->trigger();
        QCOMPARE(game.errors().texts.size(), 1);
        QFETCH(QString, message);
        QVERIFY2(game.errors().texts[0].contains(message), qPrintable(game.errors().texts[0]));
        QCOMPARE(int(game.services().words().Language), 1);
        QCOMPARE(game.services().words().LanguageSection, std::string("Russian"));
        QVERIFY(game.letterButton(QString::fromUtf8("Я")));
        QVERIFY(game.window().Menu_Russian->isChecked());
        QVERIFY(!game.window().Menu_English->isChecked());
        QCOMPARE(game.window().windowTitle(), title);
        QCOMPARE(game.window().Menu_English->text(), englishItem);
        QCOMPARE(game.board(), board);
        QVERIFY(FindWord(game.services().words(), Cp("КОШКА"), 5));
        QCOMPARE(game.folder().read("Vorda2000.ini"), settings);
    }

    void addWordQuestion_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QString>("answer");
        QTest::newRow("yes") << "click yes"
                             << "yes";
        QTest::newRow("no") << "click no"
                            << "no";
        QTest::newRow("closed otherwise") << "close"
                                          << "closed";
        QTest::newRow("Enter answers yes") << "Enter"
                                           << "yes";
        QTest::newRow("Esc answers no") << "Esc"
                                        << "no";
        QTest::newRow("Tab moves to no") << "Tab Enter"
                                         << "no";
    }
    void addWordQuestion() {
        QFETCH(QString, gesture);
        QFETCH(QString, answer);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::EnglishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(2, 2);
        game.clickCell(2, 3);
        game.clickCell(3, 3); // "TOU", not in the library
        QString caption, question, face;
        bool inputDuringQuestion = true;
        WhenDialogShows([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            question =
                Cp1251ToUnicode(game.window().Dialogs().ChoiceWindow().QuestionLabel->Caption());
            face = game.window().FaceName();
            inputDuringQuestion = game.services().game().MainInputEnabled;
            const auto press = [dialog](Qt::Key key) {
                QWidget* focused = dialog->focusWidget();
                QTest::keyClick(focused ? focused : dialog, key);
            };
            if (gesture == "click yes")
                clickButton(game.window().Dialogs().ChoiceWindow().YesButton);
            else if (gesture == "click no")
                clickButton(game.window().Dialogs().ChoiceWindow().NoButton);
            else if (gesture == "close")
                dialog->reject();
            else
                for (const QString& key : gesture.split(' '))
                    press(key == "Tab"   ? Qt::Key_Tab
                          : key == "Esc" ? Qt::Key_Escape
                                         : Qt::Key_Return);
        });
        // The question's face stays until the computer's turn is over.
        QStringList facesDuringTurn;
        connect(game.window().MainTimer, &QTimer::timeout, this, [&] {
            if (game.model().phase() == MovePhase::Computer)
                facesDuringTurn << game.window().FaceName();
        });
        game.sounds.clear();
        game.clickCell(3, 3);
        QCOMPARE(caption, Cp1251ToUnicode(game.services().languageText("AddWord1")) + " TOU");
        QCOMPARE(question, Cp1251ToUnicode(game.services().languageText("AddWord2")));
        QCOMPARE(face, QString("CPU41"));
        QVERIFY(!inputDuringQuestion);
        QVERIFY(game.services().game().MainInputEnabled);
        QCOMPARE(game.sounds.value(0), 8);
        QCOMPARE(game.window().FaceName(), QString("CPU00"));
        const QByteArray library = game.folder().read("DATA/Lib.ENG");
        if (answer == "yes") {
            QVERIFY(library.endsWith("TO\r\nTOU\r\n"));
            QCOMPARE(game.column(1), QStringList{"TOU"});
            QVERIFY(game.cell(2, 2)->Filled);
            // The answer plays no acceptance sound; only the computer's word does.
            QCOMPARE(game.sounds.count(3), game.column(2).size());
            QVERIFY(game.window().Menu_English->text().endsWith(" 3"));
            QVERIFY(!facesDuringTurn.isEmpty());
            QVERIFY2(!facesDuringTurn.contains("CPU00"), qPrintable(facesDuringTurn.join(' ')));
            // A later game accepts the word at once.
            game.window().Menu_NewGame->trigger();
            game.placeLetter("T", 2, 2);
            game.clickCell(2, 2);
            game.clickCell(2, 3);
            game.clickCell(3, 3);
            game.clickCell(3, 3);
            QCOMPARE(game.column(1), QStringList{"TOU"});
        } else {
            QVERIFY(library.endsWith("TO\r\n"));
            QVERIFY(game.column(1).isEmpty());
            QCOMPARE(int(game.model().phase()), 1);
            QCOMPARE(game.word(), answer == "no" ? QString() : QString("TOU"));
            QCOMPARE(game.cell(2, 2)->Caption(), std::string("T"));
        }
    }

    void addWordToAVanishedLibrary() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::EnglishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(2, 2);
        game.clickCell(2, 3);
        game.clickCell(3, 3);
        QFile::remove(game.folder().path() + "DATA/Lib.ENG");
        WhenDialogShows(
            [&](QDialog*) { clickButton(game.window().Dialogs().ChoiceWindow().YesButton); });
        game.clickCell(2, 2);
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY(game.column(1).isEmpty());
        QCOMPARE(game.word(), QString("TOU"));
        QCOMPARE(int(game.model().phase()), 1);
    }

    void strengthWindow_data() {
        QTest::addColumn<QByteArray>("vorda");
        QTest::addColumn<QList<int>>("moves");
        QTest::addColumn<int>("barAtOpening");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("maxWordLength");
        QTest::addColumn<bool>("restarted");
        QTest::newRow("opened and closed")
            << QByteArray("Strong=3\r\n") << QList<int>{} << 5 << "(3)" << 5 << false;
        QTest::newRow("moved and moved back")
            << QByteArray("Strong=3\r\n") << QList<int>{6, 5} << 5 << "(3)" << 5 << false;
        QTest::newRow("moved to the strongest")
            << QByteArray("Strong=3\r\n") << QList<int>{8} << 5 << "(6)" << 8 << true;
        QTest::newRow("moved to the weakest")
            << QByteArray("Strong=6\r\n") << QList<int>{3} << 8 << "(1)" << 3 << true;
    }
    void strengthWindow() {
        QFETCH(QByteArray, vorda);
        QFETCH(QList<int>, moves);
        QFETCH(int, barAtOpening);
        QFETCH(QString, caption);
        GameFixture game(kRussianWords, kEnglishWords, settingsWith(vorda));
        game.placeLetter(QString::fromUtf8("Д"), 2, 2);
        int bar = 0;
        bool inputDuringDialog = true;
        QString title;
        WhenDialogShows([&](QDialog* dialog) {
            bar = game.window().Dialogs().SetCPUWindow().StrongBar->value();
            inputDuringDialog = game.services().game().MainInputEnabled;
            for (int position : moves)
                game.window().Dialogs().SetCPUWindow().StrongBar->setValue(position);
            title = dialog->windowTitle();
            clickButton(game.window().Dialogs().SetCPUWindow().CoolOKButton);
        });
        game.window().Menu_CPU->trigger();
        QCOMPARE(bar, barAtOpening);
        QVERIFY(!inputDuringDialog);
        QVERIFY(game.services().game().MainInputEnabled);
        QVERIFY(title.endsWith(caption));
        QVERIFY(title.startsWith(Cp1251ToUnicode(game.services().languageText("Menu_CPU"))));
        QTEST(int(game.services().game().MaxWordLength), "maxWordLength");
        QFETCH(bool, restarted);
        // A new game takes the placed letter back (the pointer resting there previews it).
        QCOMPARE(int(game.model().phase()), restarted ? 0 : 1);
    }

    // A switch of language or strength in a game under way asks first; No keeps the game, the
    // settings and every check mark, Yes starts a new game under the new setting.
    void switchMidGameAsksFirst_data() {
        QTest::addColumn<bool>("language");
        QTest::addColumn<bool>("yes");
        QTest::newRow("language, no") << true << false;
        QTest::newRow("language, yes") << true << true;
        QTest::newRow("strength, no") << false << false;
        QTest::newRow("strength, yes") << false << true;
    }
    void switchMidGameAsksFirst() {
        QFETCH(bool, language);
        QFETCH(bool, yes);
        GameFixture game(kRussianWords + QStringList{QString::fromUtf8("КОТ")}, kEnglishWords);
        TMainWindow& w = game.window();
        game.placeLetter(QString::fromUtf8("Т"), 2, 4);
        game.spellAndConfirm({{1, 3}, {2, 3}, {2, 4}});
        const std::vector<MoveRecord> history = game.model().state().history;
        QVERIFY(history.size() > 1);
        const QStringList board = game.board();
        const uint16_t strength = game.services().game().MaxWordLength;
        QString question;
        const auto answer = [&](QDialog*) {
            question = w.Dialogs().ChoiceWindow().QuestionLabel->accessibleName();
            clickButton(yes ? w.Dialogs().ChoiceWindow().YesButton
                            : w.Dialogs().ChoiceWindow().NoButton);
        };
        if (language) {
            WhenDialogShows(answer);
            w.Menu_English->trigger();
        } else {
            WhenDialogShows([&](QDialog*) {
                w.Dialogs().SetCPUWindow().StrongBar->setValue(strength == 3 ? 8 : 3);
                WhenDialogShows(answer);
                clickButton(w.Dialogs().SetCPUWindow().CoolOKButton);
            });
            w.Menu_CPU->trigger();
        }
        QCOMPARE(question, QString::fromUtf8("Начать новую игру?"));
        QVERIFY(game.errors().texts.isEmpty());
        const bool english = language && yes;
        QCOMPARE(int(game.services().words().Language), english ? 2 : 1);
        QCOMPARE(w.Menu_English->isChecked(), english);
        QCOMPARE(w.Menu_Russian->isChecked(), !english);
        QCOMPARE(game.folder().read("Vorda2000.ini").contains("LanguageNumber=2"), english);
        QCOMPARE(game.services().game().MaxWordLength != strength, !language && yes);
        if (!language)
            QCOMPARE(w.Dialogs().SetCPUWindow().StrongBar->value(),
                     int(game.services().game().MaxWordLength));
        if (yes) {
            QCOMPARE(int(game.model().state().history.size()), 1);
            QCOMPARE(game.board()[2], english ? QString("HOUSE") : QString::fromUtf8("КОШКА"));
        } else {
            QCOMPARE(game.model().state().history, history);
            QCOMPARE(game.board(), board);
        }
    }

    void trackBarFollowsTheMouse_data() {
        QTest::addColumn<int>("position");
        QTest::newRow("weakest end") << 3;
        QTest::newRow("middle") << 6;
        QTest::newRow("strongest end") << 8;
    }
    void trackBarFollowsTheMouse() {
        QFETCH(int, position);
        TCoolTrackBar bar;
        bar.setRange(3, 8);
        bar.resize(180, 40);
        bar.setValue(3);
        const QPoint start = bar.ThumbRect(3).center();
        QTest::mousePress(&bar, Qt::LeftButton, {}, start);
        QTest::mouseMove(&bar, bar.ThumbRect(position).center() + QPoint(2, 0));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, bar.ThumbRect(position).center());
        QCOMPARE(bar.value(), position);
        QTest::keyClick(&bar, Qt::Key_Left);
        QCOMPARE(bar.value(), std::max(3, position - 1));
    }

    void strengthOutOfRangeIsBroughtIn() {
        GameFixture game(kRussianWords, kEnglishWords);
        game.services().game().MaxWordLength = 12;
        WhenDialogShows(
            [&](QDialog*) { clickButton(game.window().Dialogs().SetCPUWindow().CoolOKButton); });
        game.placeLetter(QString::fromUtf8("Д"), 2, 2);
        game.window().Menu_CPU->trigger();
        QCOMPARE(int(game.services().game().MaxWordLength), 8);
        QCOMPARE(int(game.model().phase()), 0);
    }

    // A large settings file costs one reading at the start, not one for every key and caption.
    void readsTheFileOnce() {
        GameFixture game(kRussianWords, kEnglishWords,
                         settingsWith("LanguageNumber=2\r\nStrong=3\r\n"));
        const QByteArray path = QFile::encodeName(game.folder().path() + "Vorda2000.ini");
        const int watcher = inotify_init1(IN_NONBLOCK);
        QVERIFY(watcher >= 0);
        QVERIFY(inotify_add_watch(watcher, path.constData(), IN_OPEN) >= 0);
        ReadSettings(game.services());
        int opens = 0;
        alignas(inotify_event) char events[4096];
        for (ssize_t size; (size = read(watcher, events, sizeof events)) > 0;)
            for (ssize_t at = 0; at < size;
                 at += ssize_t(sizeof(inotify_event) +
                               reinterpret_cast<inotify_event*>(events + at)->len))
                ++opens;
        close(watcher);
        QCOMPARE(opens, 1);
        // The settings and the captions both came from that reading.
        QCOMPARE(int(game.services().game().MaxWordLength), 5);
        QCOMPARE(game.window().windowTitle(), QString("Words"));
    }
};

VORDA_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
