// The settings file as the game reads and writes it, the add-word question and the strength
// window.
#include "app/FieldCell.h"
#include "core/PlayedWords.h"
#include "core/WordLibrary.h"
#include "extras/QuestionWindow.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
#include "settings/StrengthWindow.h"
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
           english + "[Russian]\r\nTitle=" + QByteArray::fromStdString(cp("Слова")) + "\r\n";
}

void clickButton(CoolButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void withoutTheFileEveryTextIsAQuestionMark() {
        GameFixture game(kRussianWords, kEnglishWords, QByteArray(""));
        QFile::remove(game.folder().path() + "Vorda2000.ini");
        game.services().words() = WordLibrary();
        MainWindow w(game.services());
        QCOMPARE(w.windowTitle(), QString("?"));
        QCOMPARE(w.menu().gameMenu->title(), QString("?"));
        QCOMPARE(w.menu().newGameItem->text(), QString("?"));
        QVERIFY(!w.menu().gameSeparator->isSeparator());
        QCOMPARE(w.menu().gameSeparator->text(), QString("?"));
        QCOMPARE(w.menu().russianItem->text(), QString("? 2"));
        QCOMPARE(w.menu().englishItem->text(), QString("? 2"));
        QCOMPARE(w.skipButton()->caption(), std::string("?"));
        QCOMPARE(int(game.services().words().language), 1);
        QCOMPARE(int(game.services().game().maxWordLength), 8);
        QVERIFY(w.menu().soundItem->isChecked());
        QVERIFY(ChosenTextures.useSkins);
        QVERIFY(ChosenTextures.skinName.empty());
        w.close();
        // The first write makes the file with the two settings sections only.
        const QByteArray written = game.folder().read("Vorda2000.ini");
        QVERIFY(written.startsWith("[Vorda]\r\nSound=1\r\nLanguageNumber=1\r\nStrong=6\r\n"));
        QVERIFY(written.contains("[Images]\r\n"));
        QVERIFY(!written.contains("[Russian]"));
    }

    // A saved game the start cannot use is named in the player's language, from the settings
    // file's texts or, where the file lacks them, the game's own.
    void savedGameProblemInThePlayersLanguage_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("folder"); // a folder in the saved game's place
        QTest::addColumn<QString>("expected");
        QTest::newRow("Russian") << QByteArray() << false
                                 << QString::fromUtf8("повреждена (line 1:");
        QTest::newRow("English") << GameFixture::englishSettings() << false
                                 << QStringLiteral("is damaged (line 1:");
        QTest::newRow("Russian, the text missing from the file")
            << settingsWith("LanguageNumber=1\r\n") << false
            << QString::fromUtf8("повреждена (line 1:");
        QTest::newRow("Russian, the game's own reason")
            << QByteArray() << true << QString::fromUtf8("не удалось прочитать: это не обычный");
    }
    void savedGameProblemInThePlayersLanguage() {
        QFETCH(QByteArray, settings);
        QFETCH(bool, folder);
        QFETCH(QString, expected);
        GameFixture game(kRussianWords, kEnglishWords, settings,
                         [folder](const TestGameFolder& at) {
                             if (folder)
                                 QDir().mkpath(at.path() + "DATA/SavedGame");
                             else
                                 at.write("DATA/SavedGame", "[Vorda]\r\n");
                         });
        // In a folder's place, the game cannot be saved either, which is said once as well.
        const QStringList texts = game.errors().texts;
        QVERIFY2(texts.size() == (folder ? 2 : 1) && texts[0].contains(expected) &&
                     texts[0].contains(folder ? "SavedGame" : "SavedGame.damaged"),
                 qPrintable(texts.join('|')));
        if (folder)
            QVERIFY2(texts[1].contains(QString::fromUtf8("сохранить игру")) &&
                         texts[1].contains(QString::fromUtf8("это не обычный файл")),
                     qPrintable(texts[1]));
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
        QTEST(int(game.services().words().language), "language");
        QTEST(int(game.services().game().maxWordLength), "maxWordLength");
        QTEST(game.window().menu().soundItem->isChecked(), "sound");
        QCOMPARE(game.window().menu().englishItem->isChecked(),
                 game.services().words().language == 2);
        QCOMPARE(game.letterButton(QStringLiteral("Z")) != nullptr,
                 game.services().words().language == 2);
        QCOMPARE(game.window().windowTitle(), game.services().words().language == 2
                                                  ? QString("Words")
                                                  : QString::fromUtf8("Слова"));
    }

    void emptyTitleIsEmpty() {
        GameFixture game(kRussianWords, kEnglishWords,
                         settingsWith("LanguageNumber=2\r\n", "Title=\r\nmenu_game=G\r\n"));
        QCOMPARE(game.window().windowTitle(), QString());
        // The caption gets its mnemonic; "?" has no letter to take.
        QCOMPARE(game.window().menu().gameMenu->title(), QString("&G"));
        QCOMPARE(game.window().menu().optionsMenu->title(), QString("?"));
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
                QByteArray::fromStdString(cp("Слова")) + "\r\n")
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
            game.window().menu().englishItem->trigger();
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
        QTEST(int(game.services().words().language), "language");
        QTEST(int(game.services().game().maxWordLength), "maxWordLength");
        QVERIFY(!game.window().menu().soundItem->isChecked());
        QCOMPARE(ChosenTextures.textureFiles[3], std::string("C:\\Pictures\\stone.bmp"));
        QVERIFY(!game.cell(1, 3)->caption().empty());
        game.window().close();
        const QByteArray written = game.folder().read("Vorda2000.ini");
        QVERIFY(written.contains("Sound=0\r\n"));
        QVERIFY(written.contains("Image3=stone.bmp\r\n"));
    }

    void writesTheSettingsBackAtTheClose() {
        GameFixture game(kRussianWords, kEnglishWords,
                         settingsWith("LanguageNumber=1\r\nStrong=4\r\n"));
        game.window().menu().soundItem->trigger();
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
        writeProfileString(game.services().settingsFile().fileName(),
                           theirKey == "Strong" ? "Vorda" : "Images", theirKey.toStdString(),
                           theirValue.toStdString());
        game.window().menu().soundItem->trigger();
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
        const QString englishItem = game.window().menu().englishItem->text();
        const QStringList board = game.board();
        if (cause == "settings") {
            QFile::remove(game.folder().path() + "Vorda2000.ini");
            QDir(game.folder().path()).mkdir("Vorda2000.ini");
        } else if (cause == "missing") {
            QFile::remove(game.folder().path() + "DATA/Lib.ENG");
        } else {
            game.folder().write("DATA/Lib.ENG", libraryBytes({"TO", "CAT", "CATS"}));
        }
        const QByteArray settings = game.folder().read("Vorda2000.ini");
        game.window().menu().englishItem->trigger();
        QCOMPARE(game.errors().texts.size(), 1);
        QFETCH(QString, message);
        QVERIFY2(game.errors().texts[0].contains(message), qPrintable(game.errors().texts[0]));
        QCOMPARE(int(game.services().words().language), 1);
        QCOMPARE(game.services().words().languageSection, std::string("Russian"));
        QVERIFY(game.letterButton(QString::fromUtf8("Я")));
        QVERIFY(game.window().menu().russianItem->isChecked());
        QVERIFY(!game.window().menu().englishItem->isChecked());
        QCOMPARE(game.window().windowTitle(), title);
        QCOMPARE(game.window().menu().englishItem->text(), englishItem);
        QCOMPARE(game.board(), board);
        QVERIFY(findWord(game.services().words(), cp("КОШКА"), 5));
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
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(2, 2);
        game.clickCell(2, 3);
        game.clickCell(3, 3); // "TOU", not in the library
        QString caption, question, face;
        bool inputDuringQuestion = true;
        whenDialogShows([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            question =
                cp1251ToUnicode(game.window().dialogs().choiceWindow().questionLabel->caption());
            face = game.window().faceName();
            inputDuringQuestion = game.services().game().mainInputEnabled;
            const auto press = [dialog](Qt::Key key) {
                QWidget* focused = dialog->focusWidget();
                QTest::keyClick(focused ? focused : dialog, key);
            };
            if (gesture == "click yes")
                clickButton(game.window().dialogs().choiceWindow().yesButton);
            else if (gesture == "click no")
                clickButton(game.window().dialogs().choiceWindow().noButton);
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
        connect(game.window().mainTimer(), &QTimer::timeout, this, [&] {
            if (game.model().phase() == MovePhase::Computer)
                facesDuringTurn << game.window().faceName();
        });
        game.sounds.clear();
        game.clickCell(3, 3);
        settleDialogs();
        QCOMPARE(caption, cp1251ToUnicode(game.services().languageText("AddWord1")) + " TOU");
        QCOMPARE(question, cp1251ToUnicode(game.services().languageText("AddWord2")));
        QCOMPARE(face, QString("CPU41"));
        QVERIFY(!inputDuringQuestion);
        QVERIFY(game.services().game().mainInputEnabled);
        QCOMPARE(game.sounds.value(0), 8);
        QCOMPARE(game.window().faceName(), QString("CPU00"));
        const QByteArray library = game.folder().read("DATA/Lib.ENG");
        if (answer == "yes") {
            QVERIFY(library.endsWith("TO\r\nTOU\r\n"));
            QCOMPARE(game.column(1), QStringList{"TOU"});
            QVERIFY(game.cell(2, 2)->filled);
            // The answer plays no acceptance sound; only the computer's word does.
            QCOMPARE(game.sounds.count(3), game.column(2).size());
            QVERIFY(game.window().menu().englishItem->text().endsWith(" 3"));
            QVERIFY(!facesDuringTurn.isEmpty());
            QVERIFY2(!facesDuringTurn.contains("CPU00"), qPrintable(facesDuringTurn.join(' ')));
            // A later game accepts the word at once.
            game.window().menu().newGameItem->trigger();
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
            QCOMPARE(game.cell(2, 2)->caption(), std::string("T"));
        }
    }

    void addWordToAVanishedLibrary() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.placeLetter("T", 2, 2);
        game.clickCell(2, 2);
        game.clickCell(2, 3);
        game.clickCell(3, 3);
        QFile::remove(game.folder().path() + "DATA/Lib.ENG");
        whenDialogShows(
            [&](QDialog*) { clickButton(game.window().dialogs().choiceWindow().yesButton); });
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
        whenDialogShows([&](QDialog* dialog) {
            bar = game.window().dialogs().setCPUWindow().strengthBar->value();
            inputDuringDialog = game.services().game().mainInputEnabled;
            for (int position : moves)
                game.window().dialogs().setCPUWindow().strengthBar->setValue(position);
            title = dialog->windowTitle();
            clickButton(game.window().dialogs().setCPUWindow().okButton);
        });
        game.window().menu().strengthItem->trigger();
        settleDialogs();
        QCOMPARE(bar, barAtOpening);
        QVERIFY(!inputDuringDialog);
        QVERIFY(game.services().game().mainInputEnabled);
        QVERIFY(title.endsWith(caption));
        QVERIFY(title.startsWith(cp1251ToUnicode(game.services().languageText("Menu_CPU"))));
        QTEST(int(game.services().game().maxWordLength), "maxWordLength");
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
        MainWindow& w = game.window();
        game.placeLetter(QString::fromUtf8("Т"), 2, 4);
        game.spellAndConfirm({{1, 3}, {2, 3}, {2, 4}});
        const std::vector<MoveRecord> history = game.model().state().history;
        QVERIFY(history.size() > 1);
        const QStringList board = game.board();
        const uint16_t strength = game.services().game().maxWordLength;
        QString question;
        const auto answer = [&](QDialog*) {
            question = w.dialogs().choiceWindow().questionLabel->accessibleName();
            clickButton(yes ? w.dialogs().choiceWindow().yesButton
                            : w.dialogs().choiceWindow().noButton);
        };
        if (language) {
            whenDialogShows(answer);
            w.menu().englishItem->trigger();
            settleDialogs();
        } else {
            whenDialogShows([&](QDialog*) {
                w.dialogs().setCPUWindow().strengthBar->setValue(strength == 3 ? 8 : 3);
                whenDialogShows(answer);
                clickButton(w.dialogs().setCPUWindow().okButton);
            });
            w.menu().strengthItem->trigger();
            settleDialogs();
        }
        QCOMPARE(question, QString::fromUtf8("Начать новую игру?"));
        QVERIFY(game.errors().texts.isEmpty());
        const bool english = language && yes;
        QCOMPARE(int(game.services().words().language), english ? 2 : 1);
        QCOMPARE(w.menu().englishItem->isChecked(), english);
        QCOMPARE(w.menu().russianItem->isChecked(), !english);
        QCOMPARE(game.folder().read("Vorda2000.ini").contains("LanguageNumber=2"), english);
        QCOMPARE(game.services().game().maxWordLength != strength, !language && yes);
        if (!language)
            QCOMPARE(w.dialogs().setCPUWindow().strengthBar->value(),
                     int(game.services().game().maxWordLength));
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
        CoolTrackBar bar;
        bar.setRange(3, 8);
        bar.resize(180, 40);
        bar.setValue(3);
        const QPoint start = bar.thumbRect(3).center();
        QTest::mousePress(&bar, Qt::LeftButton, {}, start);
        QTest::mouseMove(&bar, bar.thumbRect(position).center() + QPoint(2, 0));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, bar.thumbRect(position).center());
        QCOMPARE(bar.value(), position);
        QTest::keyClick(&bar, Qt::Key_Left);
        QCOMPARE(bar.value(), std::max(3, position - 1));
    }

    void strengthOutOfRangeIsBroughtIn() {
        GameFixture game(kRussianWords, kEnglishWords);
        game.services().game().maxWordLength = 12;
        whenDialogShows(
            [&](QDialog*) { clickButton(game.window().dialogs().setCPUWindow().okButton); });
        game.placeLetter(QString::fromUtf8("Д"), 2, 2);
        game.window().menu().strengthItem->trigger();
        settleDialogs();
        QCOMPARE(int(game.services().game().maxWordLength), 8);
        QCOMPARE(int(game.model().phase()), 0);
    }

    // A large settings file costs one reading at the start, not one for every key and caption.
    // A player's settings file as an earlier copy of the game left it (older texts, a skin,
    // picture paths) comes back byte for byte when the game ends with the same settings.
    void playersFileRoundTrips_data() {
        QTest::addColumn<int>("steps");
        QTest::newRow("started and closed") << 0;
        QTest::newRow("sound on and off again") << 1;
        QTest::newRow("to Russian and back to English") << 2;
    }
    void playersFileRoundTrips() {
        QFETCH(int, steps);
        QFile file(QStringLiteral(VORDA_SOURCE_DIR "/tests/data/PlayerSettings.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        GameFixture game(kRussianWords, kEnglishWords, before, [](const TestGameFolder& folder) {
            for (const char* picture :
                 {"Slate.bmp", "Sandstone.jpg", "Meadow/0.jpg", "Meadow/5.bmp", "Meadow/6.jpg"})
                folder.copyFromDist(QStringLiteral("Textures/") + picture);
        });
        MainWindow& w = game.window();
        QCOMPARE(int(game.services().words().language), 2);
        QCOMPARE(int(game.services().game().maxWordLength), 7);
        QVERIFY(!w.soundChecked());
        if (steps == 1) {
            w.menu().soundItem->trigger();
            QVERIFY(w.soundChecked());
            w.menu().soundItem->trigger();
        } else if (steps == 2) {
            w.menu().russianItem->trigger();
            QCOMPARE(int(game.services().words().language), 1);
            w.menu().englishItem->trigger();
        }
        w.close();
        QVERIFY(game.errors().texts.isEmpty());
        QCOMPARE(game.folder().read("Vorda2000.ini"), before);
    }

    void readsTheFileOnce() {
        GameFixture game(kRussianWords, kEnglishWords,
                         settingsWith("LanguageNumber=2\r\nStrong=3\r\n"));
        const QByteArray path = QFile::encodeName(game.folder().path() + "Vorda2000.ini");
        const int watcher = inotify_init1(IN_NONBLOCK);
        QVERIFY(watcher >= 0);
        QVERIFY(inotify_add_watch(watcher, path.constData(), IN_OPEN) >= 0);
        readSettings(game.services());
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
        QCOMPARE(int(game.services().game().maxWordLength), 5);
        QCOMPARE(game.window().windowTitle(), QString("Words"));
    }
};

VORDA_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
