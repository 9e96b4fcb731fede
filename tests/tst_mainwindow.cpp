// The main window as a player first meets it: start-up, a new game, the menu, the timer and
// the language switch.
#include "app/FieldCell.h"
#include "app/MenuMnemonics.h"
#include "app/ScreenReaders.h"
#include "core/PlayedWords.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"
#include "settings/SettingsFile.h"
#include "skin/CoolControls.h"
#include "tests/support/GameFixture.h"

#include "app/ComputerFace.h"
#include "app/WordSheetsView.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QtTest>

namespace {
const QStringList kRussianWords = {QString::fromUtf8("КОШКА"), QString::fromUtf8("ДОМ")};
const QStringList kEnglishWords = {"HOUSE", "CAT", "TREE"};

// The caption as the settings give it, without the mnemonic's mark.
QString itemText(QAction* item) {
    return withoutMnemonic(item->text());
}

// What a screen reader learns of a widget: its name, and "selected" when it says so.
QString spoken(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    if (!face)
        return "(none)";
    return face->text(QAccessible::Name) + (face->state().selected ? " [selected]" : "");
}

// A screen reader's press of the widget's default action.
void pressAccessibly(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    QVERIFY(face && face->actionInterface());
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithAGameInTheMiddleRow() {
        GameFixture game(kRussianWords, kEnglishWords);
        QVERIFY(game.errors().texts.isEmpty());
        QCOMPARE(game.board(),
                 (QStringList{"?????", "?????", QString::fromUtf8("КОШКА"), "?????", "?????"}));
        for (int c = 1; c <= 5; ++c)
            for (int r = 1; r <= 5; ++r) {
                QCOMPARE(game.cell(c, r)->filled, r == 3);
                QVERIFY(!game.cell(c, r)->selected);
            }
        QCOMPARE(game.score(1), QString("000"));
        QCOMPARE(game.score(2), QString("000"));
        QVERIFY(game.column(1).isEmpty() && game.column(2).isEmpty());
        QVERIFY(game.model().isPlayed(cp("КОШКА")));
        QVERIFY(!game.model().isPlayed(cp("ДОМ")));
        QCOMPARE(int(game.model().phase()), 0);
    }

    void newGameStartsWithoutPassesAndKeepsTheChosenLetter() {
        GameFixture game(kRussianWords, kEnglishWords);
        game.changeState([](GameState& state) { state.passCount = 1; });
        game.pressLetter(QString::fromUtf8("Д"));
        game.enterCell(2, 2);
        game.window().menu().newGameItem->trigger();
        // A pass of the game before never counts towards the end of this one.
        QCOMPARE(game.model().state().passCount, 0);
        QCOMPARE(cp1251ToUnicode(game.model().state().chosenLetter), QString::fromUtf8("Д"));
        // The pointer resting over a free cell shows the chosen letter at once.
        QCOMPARE(game.board()[1], QString::fromUtf8("?Д???"));
        QCOMPARE(game.board()[2], QString::fromUtf8("КОШКА"));
    }

    void newGameDealsFromTheLibrary() {
        GameFixture game(
            {QString::fromUtf8("КОШКА"), QString::fromUtf8("ЛАМПА"), QString::fromUtf8("СТОЛЫ")},
            kEnglishWords);
        QSet<QString> seen;
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(&game.window(), Qt::Key_F2);
            seen << game.board()[2];
        }
        QCOMPARE(seen, (QSet<QString>{QString::fromUtf8("КОШКА"), QString::fromUtf8("ЛАМПА"),
                                      QString::fromUtf8("СТОЛЫ")}));
    }

    void escapeClosesTheWindow() {
        GameFixture game(kRussianWords, kEnglishWords);
        QTest::keyClick(&game.window(), Qt::Key_Escape);
        QVERIFY(!game.window().isVisible());
        QVERIFY(game.window().closingDown());
    }

    void timerCyclesTheLooseLetterColours_data() {
        QTest::addColumn<int>("tick");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("tick 0") << 0 << QColor(127, 236, 18);
        QTest::newRow("tick 5") << 5 << QColor(232, 135, 14);
        QTest::newRow("tick 8") << 8 << QColor(253, 64, 64);
        QTest::newRow("tick 16") << 16 << QColor(127, 18, 236);
        QTest::newRow("tick 24") << 24 << QColor(1, 190, 190);
    }
    void timerCyclesTheLooseLetterColours() {
        QFETCH(int, tick);
        QFETCH(QColor, colour);
        GameFixture game(kRussianWords, kEnglishWords);
        game.window().mainTimer()->stop();
        game.placeLetter(QString::fromUtf8("Д"), 3, 2);
        while (game.window().tickCount() != (tick == 0 ? 31 : tick - 1))
            game.window().timerTick();
        game.window().timerTick();
        QCOMPARE(game.window().tickCount(), tick);
        QCOMPARE(game.cell(3, 2)->fontColor(), colour);
        // Board letters keep their black.
        QCOMPARE(game.cell(3, 3)->fontColor(), QColor(Qt::black));
    }

    void timerRunsZeroToThirtyOne() {
        GameFixture game(kRussianWords, kEnglishWords);
        game.window().mainTimer()->stop();
        QList<int> ticks;
        for (int i = 0; i < 64; ++i) {
            game.window().timerTick();
            ticks << game.window().tickCount();
        }
        const int start = ticks.first();
        for (int i = 0; i < 64; ++i)
            QCOMPARE(ticks[i], (start + i) % 32);
        QVERIFY(ticks.contains(31) && ticks.contains(0));
    }

    void menuShowsTextsAndWordCounts() {
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        QCOMPARE(w.windowTitle(), cp1251ToUnicode(game.services().languageText("Title")));
        QCOMPARE(itemText(w.menu().russianItem),
                 cp1251ToUnicode(game.services().languageText("Menu_Russian")) + " 2");
        QCOMPARE(itemText(w.menu().englishItem),
                 cp1251ToUnicode(game.services().languageText("Menu_English")) + " 3");
        QVERIFY(w.menu().gameSeparator->isSeparator());
        QVERIFY(w.menu().helpSeparator->isSeparator());
        // A separator keeps no text that the menu would draw before its line.
        QVERIFY(w.menu().gameSeparator->text().isEmpty());
        QVERIFY(w.menu().helpSeparator->text().isEmpty());
        QVERIFY(w.menu().russianItem->isChecked());
        QCOMPARE(w.menu().newGameItem->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(w.menu().aboutItem->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F1));
    }

    // A ticked item's picture carries a clear mark: many of its pixels change. The pictures
    // are made as their menus open.
    void tickedItemsShowAMark() {
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        for (QMenu* menu : {w.menu().optionsMenu, w.menu().languageMenu, w.menu().helpMenu})
            emit menu->aboutToShow();
        QVERIFY(!w.menu().authorSite2Item->icon().isNull());
        for (QAction* item : {w.menu().soundItem, w.menu().russianItem, w.menu().englishItem}) {
            const QImage off = item->icon().pixmap(16, QIcon::Normal, QIcon::Off).toImage();
            const QImage on = item->icon().pixmap(16, QIcon::Normal, QIcon::On).toImage();
            QCOMPARE(on.size(), off.size());
            int changed = 0;
            for (int y = 0; y < on.height(); ++y)
                for (int x = 0; x < on.width(); ++x) {
                    const QColor a = on.pixelColor(x, y), b = off.pixelColor(x, y);
                    changed += qAbs(a.green() - b.green()) + qAbs(a.red() - b.red()) > 128;
                }
            QVERIFY2(changed >= 16, qPrintable(item->objectName()));
        }
    }

    void languageSwitchGoesWhole() {
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        game.pressLetter(QString::fromUtf8("Д"));
        w.menu().englishItem->trigger();
        QVERIFY(game.errors().texts.isEmpty());
        QVERIFY(w.menu().englishItem->isChecked() && !w.menu().russianItem->isChecked());
        QCOMPARE(int(game.services().words().language), 2);
        QCOMPARE(game.board()[2], QString("HOUSE"));
        QVERIFY(game.model().state().chosenLetter.empty());
        QCOMPARE(w.windowTitle(), cp1251ToUnicode(game.services().languageText("Title")));
        QVERIFY(
            itemText(w.menu().englishItem)
                .startsWith(cp1251ToUnicode(readProfileStringForTest("English", "Menu_English"))));
        QVERIFY(itemText(w.menu().russianItem).endsWith(" 2"));
        QVERIFY(itemText(w.menu().englishItem).endsWith(" 3"));
        // The palette shows the language's letters in order, and only those.
        const auto shownLetters = [&w] {
            std::string letters;
            for (int i = 1; i <= kLetterButtons; ++i)
                if (w.letterPalette().button(i)->isVisibleTo(&w))
                    letters += w.letterPalette().button(i)->caption();
            return cp1251ToUnicode(letters);
        };
        QCOMPARE(shownLetters(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        QCOMPARE(w.letterPalette().button(14)->pos().y() - w.letterPalette().button(1)->pos().y(),
                 34);
        QCOMPARE(w.letterPalette().button(1)->fontColor(), QColor(255, 255, 0));
        QVERIFY(game.folder().read("Vorda2000.ini").contains("LanguageNumber=2"));

        w.menu().russianItem->trigger();
        QCOMPARE(game.board()[2], QString::fromUtf8("КОШКА"));
        QCOMPARE(shownLetters(), QString::fromUtf8("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"));
        QVERIFY(game.folder().read("Vorda2000.ini").contains("LanguageNumber=1"));
        QVERIFY(itemText(w.menu().russianItem).endsWith(" 2"));
        QVERIFY(itemText(w.menu().englishItem).endsWith(" 3"));
    }

    void choosingTheTickedLanguageChangesNothing() {
        GameFixture game(kRussianWords, kEnglishWords);
        game.placeLetter(QString::fromUtf8("Д"), 3, 2);
        const QByteArray settingsBefore = game.folder().read("Vorda2000.ini");
        game.window().menu().russianItem->trigger();
        QCOMPARE(int(game.model().phase()), 1);
        QCOMPARE(game.board()[1], QString::fromUtf8("??Д??"));
        QCOMPARE(game.folder().read("Vorda2000.ini"), settingsBefore);
        QVERIFY(game.window().menu().russianItem->isChecked());
    }

    // A library missing at the start: the language stays what the settings say, whatever
    // happens to the other language's file, and the window that opens stays safe to use.
    void startUpWithAMissingLibrary_data() {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<bool>("gameStarts");
        QTest::newRow("the other language's") << "DATA/Lib.ENG" << true;
        QTest::newRow("the current language's") << "DATA/Lib.RUS" << false;
    }
    void startUpWithAMissingLibrary() {
        QFETCH(QString, missing);
        QFETCH(bool, gameStarts);
        GameFixture game(kRussianWords, kEnglishWords);
        const QByteArray settings = game.folder().read("Vorda2000.ini");
        QFile::remove(game.folder().path() + missing);
        game.services().words() = WordLibrary();
        ErrorBoxRecorder errors;
        MainWindow second(game.services());
        second.show();
        QCOMPARE(errors.texts.size(), 1);
        QVERIFY(errors.texts[0].contains(QFileInfo(missing).fileName()));
        QCOMPARE(int(game.services().words().language), 1);
        QCOMPARE(second.letterPalette().button(1)->caption(),
                 unicodeToCp1251(QString::fromUtf8("А")));
        QVERIFY(second.menu().russianItem->isChecked());
        QVERIFY(itemText(second.menu().englishItem).endsWith(gameStarts ? " 0" : " 3"));
        QCOMPARE(!second.board().cell(1, 3)->caption().empty(), gameStarts);
        // Placing a letter and clicking about the field raises nothing.
        CoolButton* letter = second.letterPalette().button(5);
        QTest::mousePress(letter, Qt::LeftButton, {}, QPoint(17, 17));
        for (const QPoint& cell : {QPoint(2, 2), QPoint(2, 2), QPoint(4, 4), QPoint(2, 2)})
            QTest::mouseClick(second.board().cell(cell.x(), cell.y()), Qt::LeftButton, {},
                              QPoint(20, 20));
        QCOMPARE(errors.texts.size(), 1);
        second.close();
        QCOMPARE(game.folder().read("Vorda2000.ini"), settings);
    }

    // Without its ranks file, or with a damaged one, the game starts as ever and says so once,
    // in the player's language.
    void startUpWithoutRanks_data() {
        QTest::addColumn<QByteArray>("ranks"); // empty: no file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << QString::fromUtf8("Нет файла частотности");
        QTest::newRow("damaged") << QByteArray("КОШКА 9\r\n") << QString::fromUtf8("повреждён");
    }
    void startUpWithoutRanks() {
        QFETCH(QByteArray, ranks);
        QFETCH(QString, message);
        GameFixture game(kRussianWords, kEnglishWords, QByteArray(),
                         [&](const TestGameFolder& folder) {
                             QFile::remove(folder.path() + "DATA/Ranks.RUS");
                             if (!ranks.isEmpty())
                                 folder.write("DATA/Ranks.RUS", ranks);
                         });
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY2(game.errors().texts[0].contains(message) &&
                     game.errors().texts[0].contains("Ranks.RUS"),
                 qPrintable(game.errors().texts[0]));
        QCOMPARE(game.board()[2], QString::fromUtf8("КОШКА"));
        game.window().menu().newGameItem->trigger();
        QCOMPARE(game.errors().texts.size(), 1);
    }

    void libraryWithoutFiveLetterWords_data() {
        QTest::addColumn<QByteArray>("library");
        QTest::addColumn<QString>("named");
        const QString noWord = "\" holds no five-letter word";
        QTest::newRow("short words")
            << libraryBytes({QString::fromUtf8("ДОМ"), "TREES!"}) << noWord;
        QTest::newRow("empty") << QByteArray() << noWord;
        QTest::newRow("LF line ends") << QByteArray::fromStdString(cp("КОШКА\nЛАМПА\n")) << noWord;
        QTest::newRow("saved as UTF-8")
            << QString::fromUtf8("КОШКА\r\nЛАМПА\r\n").toUtf8() << "\" is saved in UTF-8";
    }
    void libraryWithoutFiveLetterWords() {
        QFETCH(QByteArray, library);
        QFETCH(QString, named);
        GameFixture game(kRussianWords, kEnglishWords);
        game.folder().write("DATA/Lib.RUS", library);
        game.services().words() = WordLibrary();
        ErrorBoxRecorder errors;
        MainWindow second(game.services());
        QCOMPARE(errors.texts.size(), 1);
        QVERIFY2(errors.texts[0].contains(QDir::toNativeSeparators(libraryPath(1)) + named),
                 qPrintable(errors.texts[0]));
    }

    void webItemsOpenTheirAddresses_data() {
        QTest::addColumn<bool>("browser");
        QTest::newRow("a browser opens them") << true;
        QTest::newRow("without a browser the address is shown") << false;
    }
    void webItemsOpenTheirAddresses() {
        QFETCH(bool, browser);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.noBrowser = !browser;
        game.window().menu().homePageItem->trigger();
        game.window().menu().authorSite1Item->trigger();
        game.window().menu().authorSite2Item->trigger();
        const QStringList addresses{homePageUrl, authorSiteUrl1, authorSiteUrl2};
        QCOMPARE(game.openedAddresses, addresses);
        QStringList expected;
        for (const QString& address : addresses)
            if (!browser)
                expected << "The link could not be opened. Its address: " + address;
        QCOMPARE(game.errors().texts, expected);
    }

    // Every menu and item takes its caption from its own key of the settings file, in both
    // languages; a player's file from before an item existed shows the built-in text, which
    // matches the file's. A key dropped from the table or an item left out of it fails here.
    void menuCaptionsComeFromTheSettingsFile_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QByteArray>("droppedKey");
        QTest::newRow("Russian") << "Russian" << QByteArray();
        QTest::newRow("English") << "English" << QByteArray();
        QTest::newRow("Russian, a file without take-back")
            << "Russian" << QByteArray("Menu_TakeBack");
        QTest::newRow("English, a file without take-back")
            << "English" << QByteArray("Menu_TakeBack");
    }
    void menuCaptionsComeFromTheSettingsFile() {
        QFETCH(QString, section);
        QFETCH(QByteArray, droppedKey);
        const QString dist = QStringLiteral(VORDA_SOURCE_DIR "/dist/Vorda2000.ini");
        QByteArray settings = GameFixture::englishSettings();
        if (section == "Russian")
            settings.replace("LanguageNumber=2", "LanguageNumber=1");
        if (!droppedKey.isEmpty()) {
            const QByteArray line = "\r\n" + droppedKey + "=";
            for (qsizetype at; (at = settings.indexOf(line)) >= 0;)
                settings.remove(at, settings.indexOf("\r\n", at + 2) - at);
            QVERIFY(!settings.contains(droppedKey));
        }
        GameFixture game(kRussianWords, kEnglishWords, settings);
        MainWindow& w = game.window();
        const std::vector<GameMenu::Caption> captions = w.menu().captions();
        QSet<QObject*> listed;
        QSet<QByteArray> keys;
        for (const GameMenu::Caption& caption : captions) {
            listed.insert(caption.item);
            keys.insert(caption.key);
            const std::string text =
                readProfileString(dist, section.toStdString(), caption.key, "\x01");
            QVERIFY2(!text.empty() && text != "\x01", caption.key);
            const QString expected = cp1251ToUnicode(text);
            if (auto* menu = qobject_cast<QMenu*>(caption.item)) {
                QCOMPARE(withoutMnemonic(menu->title()), expected);
                continue;
            }
            auto* item = qobject_cast<QAction*>(caption.item);
            QVERIFY2(item, caption.key);
            if (text == "-")
                QVERIFY2(item->isSeparator(), caption.key);
            else if (item->isCheckable() && item != w.menu().soundItem)
                QVERIFY2(withoutMnemonic(item->text()).startsWith(expected + " "), caption.key);
            else
                QCOMPARE(withoutMnemonic(item->text()), expected);
        }
        QCOMPARE(keys.size(), qsizetype(captions.size()));
        // Every menu of the bar and every item in them has its row.
        QList<QMenu*> menus;
        for (QAction* top : w.menu().menuBar->actions())
            menus << top->menu();
        for (qsizetype i = 0; i < menus.size(); ++i) {
            QVERIFY(listed.contains(menus[i]));
            for (QAction* item : menus[i]->actions()) {
                if (item->menu())
                    menus << item->menu();
                else
                    QVERIFY2(listed.contains(item), qPrintable(item->text()));
            }
        }
        QCOMPARE(menus.size(), 4);
    }

    void soundItemSilencesTheGame() {
        GameFixture game(kRussianWords, kEnglishWords);
        game.pressLetter(QString::fromUtf8("Д"));
        QCOMPARE(game.sounds, QList<int>{0});
        game.window().menu().soundItem->trigger();
        game.pressLetter(QString::fromUtf8("К"));
        QCOMPARE(game.sounds, QList<int>{0});
        game.window().close();
        QVERIFY(game.folder().read("Vorda2000.ini").contains("Sound=0"));
    }

    // The field as a screen reader hears it: "press:" letters and cells through accessibility,
    // "pointer:" rests the mouse over a cell. Columns are letters from the left, rows numbers
    // from the top.
    void cellsAreSpokenWithPositionLetterAndState_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QString>("name");
        QTest::newRow("free cell") << false << "" << QPoint(2, 4) << QString::fromUtf8("B4, пусто");
        QTest::newRow("board letter, English") << true << "" << QPoint(4, 3) << QString("D3, S");
        QTest::newRow("the preview is no letter")
            << true << "press:T pointer:2,2" << QPoint(2, 2) << QString("B2, empty");
        QTest::newRow("placed by a press of the cell")
            << false << QString::fromUtf8("press:Д press:2,2") << QPoint(2, 2)
            << QString::fromUtf8("B2, Д, новая буква");
        QTest::newRow("new letter selected")
            << true << "press:T press:2,2 press:2,2" << QPoint(2, 2)
            << QString("B2, T, selected, new letter [selected]");
        QTest::newRow("board letter selected")
            << true << "press:T press:2,2 press:2,3" << QPoint(2, 3)
            << QString("B3, O, selected [selected]");
    }
    void cellsAreSpokenWithPositionLetterAndState() {
        QFETCH(bool, english);
        QFETCH(QString, steps);
        QFETCH(QPoint, cell);
        GameFixture game(kRussianWords, kEnglishWords,
                         english ? GameFixture::englishSettings() : QByteArray());
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QString what = step.section(':', 1);
            const QStringList at = what.split(',');
            if (step.startsWith("pointer:"))
                game.enterCell(at[0].toInt(), at[1].toInt());
            else if (at.size() == 2)
                pressAccessibly(game.cell(at[0].toInt(), at[1].toInt()));
            else
                pressAccessibly(game.letterButton(what));
        }
        QTEST(spoken(game.cell(cell.x(), cell.y())), "name");
    }

    // With "arrows", the palette has the focus and the arrow keys move its mark: each letter
    // reached is "heard" by a screen reader.
    void paletteLettersAreButtonsInTheCurrentLanguage_data() {
        QTest::addColumn<bool>("switchToEnglish");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("arrows");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("first Russian")
            << false << 1 << QString::fromUtf8("А") << QList<int>{} << QStringList{};
        QTest::newRow("last Russian")
            << false << 32 << QString::fromUtf8("Я") << QList<int>{} << QStringList{};
        QTest::newRow("after the switch")
            << true << 1 << QString("A") << QList<int>{} << QStringList{};
        QTest::newRow("last English")
            << true << 26 << QString("Z") << QList<int>{} << QStringList{};
        QTest::newRow("each arrow key in the palette is heard")
            << false << 19 << QString::fromUtf8("Т")
            << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}
            << QStringList{QString::fromUtf8("Б"), QString::fromUtf8("В"), QString::fromUtf8("Т")};
    }
    void paletteLettersAreButtonsInTheCurrentLanguage() {
        QFETCH(bool, switchToEnglish);
        QFETCH(int, button);
        QFETCH(QList<int>, arrows);
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        if (switchToEnglish)
            w.menu().englishItem->trigger();
        QAccessibleInterface* face =
            QAccessible::queryAccessibleInterface(w.letterPalette().button(button));
        QCOMPARE(face->role(), QAccessible::Button);
        QTEST(face->text(QAccessible::Name), "name");
        if (arrows.isEmpty())
            return;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.letterPalette().setFocus(Qt::TabFocusReason);
        QVERIFY(w.letterPalette().hasFocus());
        QStringList heard;
        screenReaderListener = [&heard](const QAccessibleEvent& event) {
            if (event.type() == QAccessible::Focus)
                heard << spoken(event.object());
        };
        for (int arrow : arrows)
            QTest::keyClick(w.focusWidget(), Qt::Key(arrow));
        screenReaderListener = nullptr;
        QTEST(heard, "heard");
    }

    // The word, the scores and the sheets read as text, and the computer's move told.
    void wordScoresSheetsAndTheComputersMoveAreSpoken() {
        GameFixture game({QString::fromUtf8("КОШКА"), QString::fromUtf8("КОТ")}, kEnglishWords);
        MainWindow& w = game.window();
        game.placeLetter(QString::fromUtf8("Т"), 2, 2);
        game.clickCell(2, 2);
        game.clickCell(2, 3);
        QCOMPARE(spoken(w.wordDisplay()), QString::fromUtf8("Слово: ТО"));
        QCOMPARE(spoken(w.sheets().score(2)), QString::fromUtf8("Очки компьютера: 0"));
        QCOMPARE(spoken(w.sheets().panel(2)), QString::fromUtf8("Слова компьютера: пусто"));
        game.rightClick();
        game.rightClick();
        QCOMPARE(spoken(&w.face()), QString::fromUtf8("Компьютер"));
        // The face speaks the move, and an alert has it said at once.
        QStringList alerts;
        screenReaderListener = [&alerts](const QAccessibleEvent& event) {
            if (event.type() == QAccessible::Alert)
                alerts << spoken(event.object());
        };
        game.click(w.skipButton());
        screenReaderListener = nullptr;
        QCOMPARE(spoken(&w.face()), QString::fromUtf8("Компьютер сыграл слово КОТ, очков: 3"));
        QCOMPARE(alerts, QStringList{QString::fromUtf8("Компьютер сыграл слово КОТ, очков: 3")});
        QCOMPARE(spoken(w.sheets().score(2)), QString::fromUtf8("Очки компьютера: 3"));
        QCOMPARE(spoken(w.sheets().panel(2)), QString::fromUtf8("Слова компьютера: КОТ"));
        QCOMPARE(spoken(w.sheets().score(1)), QString::fromUtf8("Ваши очки: 0"));
        QCOMPARE(spoken(w.wordDisplay()), QString::fromUtf8("Слово: пусто"));
    }

    // Tab goes to the field, bringing out the cursor, then to the palette, whose arrows and
    // Space choose; F10 opens the menu bar.
    void keyboardReachesFieldPaletteAndMenu() {
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!w.board().hasFocus() && !w.letterPalette().hasFocus());
        QTest::keyClick(&w, Qt::Key_Tab);
        QVERIFY(w.board().hasFocus());
        QVERIFY(w.cursorFrame()->isVisible());
        const QImage unmarked = w.letterPalette().grab().toImage();
        QTest::keyClick(&w, Qt::Key_Tab);
        QVERIFY(w.letterPalette().hasFocus());
        QVERIFY(!w.cursorFrame()->isVisible());
        QVERIFY(w.letterPalette().grab().toImage() != unmarked);
        QTest::keyClick(w.focusWidget(), Qt::Key_Right);
        QTest::keyClick(w.focusWidget(), Qt::Key_Down);
        QTest::keyClick(w.focusWidget(), Qt::Key_Space);
        // Row 2 starts at the 17th of 32 letters: the 18th is "С".
        QCOMPARE(cp1251ToUnicode(game.model().state().chosenLetter), QString::fromUtf8("С"));
        QTest::keyClick(&w, Qt::Key_F10);
        QCOMPARE(w.menu().menuBar->activeAction(), w.menu().gameMenu->menuAction());
        QVERIFY(w.menu().gameMenu->isVisible());
    }

    // A press and release of Alt highlights the first menu (visibly) without opening it.
    void altHighlightsTheFirstMenu() {
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QImage before = w.menu().menuBar->grab().toImage();
        QTest::keyPress(&w, Qt::Key_Alt);
        QTest::keyRelease(&w, Qt::Key_Alt);
        QCOMPARE(w.menu().menuBar->activeAction(), w.menu().gameMenu->menuAction());
        QVERIFY(w.menu().menuBar->grab().toImage() != before);
        QVERIFY(!w.menu().gameMenu->isVisible());
    }

    // Every menu's captions get mnemonics, one letter each, none twice in a menu.
    void menusHaveMnemonics_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("Russian") << false;
        QTest::newRow("English") << true;
    }
    void menusHaveMnemonics() {
        QFETCH(bool, english);
        GameFixture game(kRussianWords, kEnglishWords,
                         english ? GameFixture::englishSettings() : QByteArray());
        MainWindow& w = game.window();
        for (QWidget* menu : std::initializer_list<QWidget*>{
                 w.menu().menuBar, w.menu().gameMenu, w.menu().optionsMenu, w.menu().languageMenu,
                 w.menu().helpMenu}) {
            QSet<QKeySequence> keys;
            int items = 0;
            for (QAction* item : menu->actions()) {
                if (item->isSeparator())
                    continue;
                ++items;
                keys << QKeySequence::mnemonic(item->text());
            }
            keys.remove(QKeySequence());
            QCOMPARE(keys.size(), items);
        }
    }

    void mnemonicsTakeTheFirstFreeLetter_data() {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("marked");
        QTest::newRow("first letters")
            << QStringList{"Game", "Help"} << QStringList{"&Game", "&Help"};
        QTest::newRow("taken letter")
            << QStringList{"Game", "gallery"} << QStringList{"&Game", "g&allery"};
        QTest::newRow("an ampersand shows") << QStringList{"& co"} << QStringList{"&& &co"};
        QTest::newRow("no letter") << QStringList{"? 2", "2 A"} << QStringList{"? 2", "2 &A"};
    }
    void mnemonicsTakeTheFirstFreeLetter() {
        QFETCH(QStringList, captions);
        QList<QAction*> items;
        QObject owner;
        for (const QString& caption : captions)
            items << new QAction(caption, &owner);
        // A second pass over unchanged captions marks nothing twice.
        addMnemonics(items);
        addMnemonics(items);
        QStringList marked;
        for (QAction* item : items)
            marked << item->text();
        QTEST(marked, "marked");
        for (qsizetype i = 0; i < items.size(); ++i)
            QCOMPARE(withoutMnemonic(marked[i]), captions[i]);
    }

private:
    static std::string readProfileStringForTest(const char* section, const char* key) {
        return textInSection(SettingsFile(gameFolder() + "Vorda2000.ini"), section, key);
    }
};

VORDA_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
