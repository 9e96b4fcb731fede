// The help window, the About scene and its drawing surface, and the desktop shortcut.
#include "core/WordLibrary.h"
#include "extras/AboutWindow.h"
#include "extras/BestWordsWindow.h"
#include "extras/DesktopShortcut.h"
#include "extras/GameDialogs.h"
#include "extras/HelpWindow.h"
#include "extras/MeaningWindow.h"
#include "extras/TextureChoice.h"
#include "platform/DesktopEntry.h"
#include "platform/DrawingSurface.h"
#include "platform/ProgramFolder.h"
#include "records/RecordsTable.h"
#include "skin/CoolControls.h"
#include "skin/CoolListBox.h"
#include "skin/CoolMemo.h"
#include "tests/support/GameFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtTest>

namespace {
const QStringList kRussianWords = {QString::fromUtf8("КОШКА"), QString::fromUtf8("ДОМ")};
const QStringList kEnglishWords = {"HOUSE", "TO"};

void clickButton(CoolButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

// Skips until the game ends: the small libraries soon leave the computer without a word too.
void finishGame(GameFixture& game) {
    for (int i = 0; i < 20 && !game.window().menu().bestWordsItem->isEnabled(); ++i)
        game.click(game.window().skipButton());
    QVERIFY(game.window().menu().bestWordsItem->isEnabled());
}

QImage filled(int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

QColor pixel(const DrawingSurface& surface, int x, int y) {
    return surface.backSurface().pixelColor(x, y);
}

// The scene stepped frame after frame, with the character's positions and the bangs heard.
struct Run {
    QList<int> xs;
    QList<int> ys;
    int wallBangs = 0;
    int floorBangs = 0;
};

Run stepCharacter(AboutScene& scene, int frames) {
    Run run;
    for (int i = 0; i < frames; ++i) {
        const AboutFrame frame = scene.step(6);
        run.xs << frame.character.x();
        run.ys << frame.character.y();
        run.wallBangs += frame.wallBang ? 1 : 0;
        run.floorBangs += frame.floorBang ? 1 : 0;
    }
    return run;
}
} // namespace

class TestExtras : public QObject {
    Q_OBJECT
private slots:
    // --- Help window

    void helpWindowFollowsTheLanguage_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<int>("lines");
        QTest::newRow("English") << GameFixture::englishSettings() << "How to play"
                                 << "How to play, you asked! Very easy!" << 27;
        QTest::newRow("Russian") << QByteArray() << QString::fromUtf8("Как играть")
                                 << QString::fromUtf8("Всё, что от вас требуется, — составлять "
                                                      "слова подлиннее и немного думать.")
                                 << 25;
        QTest::newRow("no caption key gives a question mark")
            << QByteArray("[Vorda]\r\nLanguageNumber=2\r\n[English]\r\nTitle=Words\r\n") << "?"
            << "How to play, you asked! Very easy!" << 27;
    }
    void helpWindowFollowsTheLanguage() {
        QFETCH(QByteArray, settings);
        QFETCH(QString, caption);
        QFETCH(QString, firstLine);
        QFETCH(int, lines);
        GameFixture game(kRussianWords, kEnglishWords, settings);
        QString shownCaption;
        QStringList shownLines;
        whenDialogShows([&](QDialog* dialog) {
            shownCaption = dialog->windowTitle();
            shownLines = game.window().dialogs().howToPlayWindow().helpText->lines();
            clickButton(game.window().dialogs().howToPlayWindow().okButton);
        });
        game.window().menu().howToPlayItem->trigger();
        settleDialogs();
        QCOMPARE(shownCaption, caption);
        QCOMPARE(shownLines.size(), lines);
        QCOMPARE(shownLines.first(), firstLine);
        QVERIFY(!game.window().dialogs().howToPlayWindow().isVisible());
        QVERIFY(game.errors().texts.isEmpty());
    }

    // A dialog is made when first opened, and shows the language and the dialog wallpaper
    // chosen before that, and only one of it is ever made.
    void dialogsAreMadeWhenFirstOpened_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::newRow("records") << "Menu_Records"
                                 << "Records";
        QTest::newRow("textures") << "Menu_Textures"
                                  << "Textures";
        QTest::newRow("strength") << "Menu_CPU"
                                  << "CPU";
        QTest::newRow("help") << "Menu_Help1"
                              << "How to play";
        QTest::newRow("about") << "Menu_About"
                               << "About";
    }
    void dialogsAreMadeWhenFirstOpened() {
        QFETCH(QString, command);
        QFETCH(QString, title);
        GameFixture game(kRussianWords, kEnglishWords);
        QVERIFY(game.window().findChildren<CoolDialog*>().isEmpty());
        game.window().menu().englishItem->trigger();
        // A picture file chosen for the dialogs' wallpaper, as the textures window chooses it.
        QImage wall(16, 16, QImage::Format_RGB32);
        wall.fill(QColor(255, 0, 255));
        QVERIFY(wall.save(ChosenTextures.texturesDir + "/wall.bmp", "BMP"));
        ChosenTextures.useSkins = false;
        ChosenTextures.textureFiles[kDialogWallSlot] = "wall.bmp";
        loadTextures();
        applyTextures();
        QVERIFY(game.window().findChildren<CoolDialog*>().isEmpty());
        for (int opening = 0; opening < 2; ++opening) {
            QString shownTitle;
            QImage shownWall;
            whenDialogShows([&](QDialog* dialog) {
                shownTitle = dialog->windowTitle();
                shownWall = static_cast<CoolDialog*>(dialog)->clientArea->wallpaper().toImage();
                dialog->reject();
            });
            game.window().findChild<QAction*>(command)->trigger();
            settleDialogs();
            QVERIFY2(shownTitle.startsWith(title), qPrintable(shownTitle));
            QCOMPARE(shownWall.convertToFormat(QImage::Format_RGB32), wall);
            QCOMPARE(game.window().findChildren<CoolDialog*>().size(), 1);
        }
    }

    // Every window with the round OK button closes with Enter, so a game can be played to its
    // end and beyond without the mouse.
    void enterPressesOk_data() {
        QTest::addColumn<QString>("command");
        for (const char* command :
             {"Menu_Help1", "Menu_About", "Menu_Records", "Menu_CPU", "Menu_BestWords"})
            QTest::newRow(command) << command;
    }
    void enterPressesOk() {
        QFETCH(QString, command);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        if (command == "Menu_BestWords")
            finishGame(game);
        bool closedByEnter = false;
        whenDialogShows([&](QDialog* dialog) {
            QWidget* focused = dialog->focusWidget();
            QTest::keyClick(focused ? focused : dialog, Qt::Key_Return);
            closedByEnter = !dialog->isVisible() && dialog->result() == QDialog::Accepted;
            if (dialog->isVisible())
                dialog->reject();
        });
        game.window().findChild<QAction*>(command)->trigger();
        settleDialogs();
        QVERIFY(closedByEnter);
    }

    // Esc closes every window as its close button would, wherever the focus is.
    void escClosesAsTheCloseButton_data() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"Menu_Help1", "Menu_About", "Menu_Records", "Menu_CPU",
                                    "Menu_Textures", "Menu_BestWords"})
            QTest::newRow(command) << command;
    }
    void escClosesAsTheCloseButton() {
        QFETCH(QString, command);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        if (command == "Menu_BestWords")
            finishGame(game);
        bool closedByEsc = false;
        bool focusOnOk = false;
        QString title;
        whenDialogShows([&](QDialog* dialog) {
            title = dialog->windowTitle();
            // The keyboard starts on the default button, so Enter does what the window is for.
            const auto* focusedButton = qobject_cast<CoolButton*>(dialog->focusWidget());
            focusOnOk = focusedButton && focusedButton->caption() == "OK";
            QWidget* focused = dialog->focusWidget();
            QTest::keyClick(focused ? focused : dialog, Qt::Key_Escape);
            closedByEsc = !dialog->isVisible() && dialog->result() == QDialog::Accepted;
            if (dialog->isVisible())
                dialog->reject();
        });
        game.window().findChild<QAction*>(command)->trigger();
        settleDialogs();
        QVERIFY(closedByEsc);
        QVERIFY(focusOnOk);
        // A title drops the menu item's trailing dots.
        QVERIFY2(!title.endsWith('.'), qPrintable(title));
    }

    // A screen reader finds a name for every button and check box of a window, and reads the
    // texts of its labels.
    void dialogControlsAreNamed_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("label");
        QTest::newRow("records") << "Menu_Records"
                                 << "Ann";
        QTest::newRow("strength") << "Menu_CPU"
                                  << "weak";
        QTest::newRow("textures") << "Menu_Textures"
                                  << "field cells";
        QTest::newRow("question") << "Menu_Records:clear"
                                  << "Are you sure?";
        QTest::newRow("best words") << "Menu_BestWords"
                                    << "Best word";
    }
    void dialogControlsAreNamed() {
        QFETCH(QString, command);
        QFETCH(QString, label);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        game.services().winners().lists[2][4][1] = RecordEntry{"Ann", 5};
        if (command == "Menu_BestWords")
            finishGame(game);
        QStringList unnamed, texts;
        const auto inspect = [&](QDialog* dialog) {
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
                if (button->isVisibleTo(dialog) && a->text(QAccessible::Name).trimmed().isEmpty())
                    unnamed << button->metaObject()->className();
            }
            for (CoolLabel* text : dialog->findChildren<CoolLabel*>()) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(text);
                if (a->role() == QAccessible::StaticText)
                    texts << a->text(QAccessible::Name);
            }
        };
        whenDialogShows([&](QDialog* dialog) {
            if (command.endsWith(":clear")) {
                whenDialogShows([&](QDialog* question) {
                    inspect(question);
                    question->reject();
                });
                game.window().dialogs().winnersWindow().clearListButton->click();
            } else {
                inspect(dialog);
            }
            dialog->accept();
        });
        game.window().findChild<QAction*>(command.section(':', 0, 0))->trigger();
        settleDialogs();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QVERIFY2(texts.contains(label), qPrintable(texts.join(" | ")));
    }

    // After a game every turn stands beside the longest word its board allowed, the matched
    // ones marked; the list belongs to that game's library.
    void bestWordsListEveryTurn() {
        GameFixture game(kRussianWords + QStringList{QString::fromUtf8("КОТ")}, kEnglishWords);
        MainWindow& w = game.window();
        QVERIFY(!w.menu().bestWordsItem->isEnabled());
        game.placeLetter(QString::fromUtf8("Т"), 2, 4);
        game.spellAndConfirm({{1, 3}, {2, 3}, {2, 4}});
        QVERIFY(!w.menu().bestWordsItem->isEnabled());
        finishGame(game);
        QStringList lines;
        QList<bool> gold;
        whenDialogShows([&](QDialog* dialog) {
            for (int row = 0; row < w.dialogs().bestWordsWindow().turnList->count(); ++row) {
                const QListWidgetItem* line = w.dialogs().bestWordsWindow().turnList->item(row);
                lines << line->text();
                gold << line->data(Qt::ForegroundRole).isValid();
            }
            dialog->accept();
        });
        w.menu().bestWordsItem->trigger();
        settleDialogs();
        // КОТ was the longest word; after it neither player had one, and both passed.
        const QString pass = QString::fromUtf8("\tпропуск\t0\tнет\t");
        QCOMPARE(lines,
                 QStringList({QString::fromUtf8("Вы\tКОТ\t3\tКОТ\tлучшее!"),
                              QString::fromUtf8("Компьютер") + pass, QString::fromUtf8("Вы") + pass,
                              QString::fromUtf8("Компьютер") + pass}));
        QCOMPARE(gold, (QList<bool>{true, false, false, false}));
        // Another library, no list: its best words would be another language's.
        w.menu().englishItem->trigger();
        QVERIFY(!w.menu().bestWordsItem->isEnabled());
    }

    // The game ended while minimised: its windows bring the game back with them.
    // F5 after the computer's move, and Meaning in the best words: the word's short definition
    // from the definitions file when it has one, and "Look it up" opens its Wiktionary page.
    void meaningOfAWord_data() {
        QTest::addColumn<bool>("fromBestWords");
        QTest::addColumn<QByteArray>("meanings"); // empty: no file
        QTest::addColumn<QString>("shown");
        const QByteArray file = "; glosses\r\nHOUSE\ta dwelling\r\nTO\ta word of direction\r\n";
        QTest::newRow("F5: the definition") << false << file << "a word of direction";
        QTest::newRow("F5: no definitions file")
            << false << QByteArray() << "There is no definition of TO here.";
        QTest::newRow("best words: the definition") << true << file << "a word of direction";
    }
    void meaningOfAWord() {
        QFETCH(bool, fromBestWords);
        QFETCH(QByteArray, meanings);
        QFETCH(QString, shown);
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings(),
                         [&](const TestGameFolder& folder) {
                             if (!meanings.isEmpty())
                                 folder.write("DATA/Meanings.ENG", meanings);
                         });
        MainWindow& w = game.window();
        // The human passes; the computer plays TO through the O of HOUSE.
        game.click(w.skipButton());
        QCOMPARE(game.column(2), QStringList{"TO"});
        QStringList texts;
        const auto lookUp = [&](MeaningWindow& meaning) {
            QVERIFY(meaning.isVisible());
            texts = meaning.meaningText->lines();
            clickButton(meaning.lookUpButton);
            meaning.accept();
        };
        if (fromBestWords) {
            finishGame(game);
            whenDialogShows([&](QDialog* dialog) {
                BestWordsWindow& best = w.dialogs().bestWordsWindow();
                best.turnList->setCurrentRow(1); // the computer's TO
                clickButton(best.meaningButton);
                lookUp(best.meaningWindow());
                dialog->accept();
            });
            w.menu().bestWordsItem->trigger();
            settleDialogs();
        } else {
            w.findChild<QAction*>("MeaningKey")->trigger();
            lookUp(w.dialogs().meaningWindow());
        }
        QCOMPARE(texts, QStringList{shown});
        QCOMPARE(game.openedAddresses, QStringList{"https://en.wiktionary.org/wiki/to"});
    }

    void dialogOverAMinimisedGameRestoresIt() {
        GameFixture game(kRussianWords, kEnglishWords);
        game.window().show();
        game.window().showMinimized();
        QVERIFY(game.window().isMinimized());
        bool minimisedUnder = true;
        whenDialogShows([&](QDialog* dialog) {
            minimisedUnder = game.window().isMinimized();
            dialog->accept();
        });
        game.window().menu().recordsItem->trigger();
        settleDialogs();
        QVERIFY(!minimisedUnder);
    }

    void helpTextChangesWithALanguageSwitchWhileClosed() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        QStringList shown;
        auto showHelp = [&] {
            whenDialogShows([&](QDialog*) {
                shown = game.window().dialogs().howToPlayWindow().helpText->lines();
                clickButton(game.window().dialogs().howToPlayWindow().okButton);
            });
            game.window().menu().howToPlayItem->trigger();
            settleDialogs();
        };
        showHelp();
        QCOMPARE(shown, game.window().dialogs().howToPlayWindow().englishText);
        game.window().menu().russianItem->trigger();
        QCOMPARE(int(game.services().words().language), 1);
        showHelp();
        QCOMPARE(shown, game.window().dialogs().howToPlayWindow().russianText);
        // The Russian text: twelve paragraphs and one on the keys, separated by empty lines,
        // the buttons in capitals.
        const QString text = shown.join('\n');
        QCOMPARE(shown.count(QString()), 12);
        for (const char* word : {"ПРАВОЙ", "ПРОПУСК", "ПОДСКАЗК"})
            QVERIFY2(text.contains(QString::fromUtf8(word)), word);
    }

    void memoShowsItsWallpaperBehindTheText() {
        CoolMemo memo;
        memo.resize(200, 100);
        QPixmap wallpaper(8, 8);
        wallpaper.fill(QColor(200, 0, 0));
        memo.setWallpaper(wallpaper);
        memo.setLines({"Word", "", "More words"});
        QCOMPARE(memo.lines(), QStringList({"Word", "", "More words"}));
        const QImage shot = memo.grab().toImage();
        // Beside the short first line and on the empty line: the wallpaper, not a white box.
        QCOMPARE(shot.pixelColor(150, 10), QColor(200, 0, 0));
        QCOMPARE(shot.pixelColor(100, 30), QColor(200, 0, 0));
        bool text = false;
        for (int x = 2; x < 60 && !text; ++x)
            for (int y = 2; y < 25 && !text; ++y)
                text = shot.pixelColor(x, y).green() < 100 && shot.pixelColor(x, y).red() < 100;
        QVERIFY(text);
    }

    // --- About scene

    void activationStartsAtTheTitleLine() {
        for (quint32 seed : {1u, 2u, 3u, 99u, 12345u}) {
            QRandomGenerator random(seed);
            AboutScene scene;
            scene.t = 700;
            scene.line = 4;
            scene.activate(random);
            QCOMPARE(scene.t, 1);
            QCOMPARE(scene.y, 29);
            QCOMPARE(scene.dy, 0);
            QVERIFY2(scene.x >= 40 && scene.x <= 259, qPrintable(QString::number(scene.x)));
            QVERIFY2(scene.dx >= 2 && scene.dx <= 10, qPrintable(QString::number(scene.dx)));
            const AboutFrame first = scene.step(6);
            QCOMPARE(first.line, 1);
            QVERIFY(!first.lineChanged);
            QCOMPARE(scene.t, 2);
        }
    }

    void lineChangesWhenTheTextIsDarkest_data() {
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("shownLine");
        QTest::addColumn<QColor>("color");
        QTest::newRow("one frame before the change") << 511 << 1 << 6 << 1 << QColor(0, 0, 1);
        QTest::newRow("t = 512 changes the line") << 512 << 1 << 6 << 2 << QColor(0, 0, 1);
        QTest::newRow("English wraps to the empty line") << 1024 << 5 << 6 << 0 << QColor(0, 0, 1);
        QTest::newRow("Russian wraps after its fifth line")
            << 3072 << 4 << 5 << 0 << QColor(0, 0, 1);
        QTest::newRow("brightest halfway") << 768 << 2 << 6 << 2 << QColor(126, 126, 253);
        QTest::newRow("a quarter of the way") << 640 << 3 << 6 << 3 << QColor(63, 63, 127);
    }
    void lineChangesWhenTheTextIsDarkest() {
        QFETCH(int, t);
        QFETCH(int, line);
        QFETCH(int, lineCount);
        QFETCH(int, shownLine);
        QFETCH(QColor, color);
        AboutScene scene;
        scene.t = t;
        scene.line = line;
        scene.x = 100;
        scene.y = 100;
        const AboutFrame frame = scene.step(lineCount);
        QCOMPARE(frame.line, shownLine);
        QCOMPARE(scene.line, shownLine);
        QCOMPARE(frame.lineChanged, t % 512 == 0);
        QCOMPARE(frame.textColor, color);
    }

    void logoCirclesTheCentre_data() {
        QTest::addColumn<int>("t");
        QTest::addColumn<QPoint>("centre");
        QTest::addColumn<int>("opacity");
        QTest::addColumn<int>("flippedOpacity");
        QTest::newRow("first frame, near the bottom") << 1 << QPoint(152, 250) << 253 << 1;
        QTest::newRow("a quarter turn, at the right") << 64 << QPoint(250, 150) << 127 << 127;
        QTest::newRow("half a turn, at the top") << 128 << QPoint(150, 50) << 1 << 253;
        QTest::newRow("a full turn, the bottom again") << 256 << QPoint(150, 250) << 253 << 1;
    }
    void logoCirclesTheCentre() {
        QFETCH(int, t);
        QFETCH(QPoint, centre);
        QFETCH(int, opacity);
        QFETCH(int, flippedOpacity);
        AboutScene scene;
        scene.t = t;
        scene.x = 100;
        const AboutFrame frame = scene.step(6);
        QCOMPARE(frame.logo, centre);
        QCOMPARE(frame.logoAngle, t);
        QCOMPARE(frame.logoOpacity, opacity);
        QCOMPARE(frame.flippedLogoOpacity, flippedOpacity);
        QCOMPARE(frame.bannerPhase, 8 * t);
    }

    void characterBounces_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("dy");
        QTest::addColumn<QList<int>>("xs");
        QTest::addColumn<QList<int>>("ys");
        QTest::addColumn<int>("wallBangs");
        QTest::addColumn<int>("floorBangs");
        QTest::newRow("right wall passed by one step, then back")
            << 259 << 10 << 29 << 0 << QList<int>{269, 279, 269, 259} << QList<int>{30, 32, 35, 39}
            << 1 << 0;
        QTest::newRow("left wall at exactly 30")
            << 36 << -3 << 29 << 0 << QList<int>{33, 30, 33, 36} << QList<int>{30, 32, 35, 39} << 1
            << 0;
        QTest::newRow("floor turns the fall without gravity")
            << 100 << 2 << 262 << 8 << QList<int>{102, 104, 106, 108}
            << QList<int>{271, 262, 254, 247} << 0 << 1;
    }
    void characterBounces() {
        QFETCH(int, x);
        QFETCH(int, dx);
        QFETCH(int, y);
        QFETCH(int, dy);
        QFETCH(QList<int>, xs);
        QFETCH(QList<int>, ys);
        QFETCH(int, wallBangs);
        QFETCH(int, floorBangs);
        AboutScene scene;
        scene.t = 1;
        scene.line = 1;
        scene.x = x;
        scene.dx = dx;
        scene.y = y;
        scene.dy = dy;
        const Run run = stepCharacter(scene, int(xs.size()));
        QCOMPARE(run.xs, xs);
        QCOMPARE(run.ys, ys);
        QCOMPARE(run.wallBangs, wallBangs);
        QCOMPARE(run.floorBangs, floorBangs);
    }

    void characterTurnsWithItsHeight_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("angle");
        // The angle is worked out after the move: y and dy below are the values before it.
        QTest::newRow("at the top, upside down") << 29 << 5 << 0 << 128;
        QTest::newRow("falling right turns one way") << 149 << 5 << 0 << 192;
        QTest::newRow("falling left turns the other way") << 149 << -5 << 0 << 64;
        QTest::newRow("rising right, division truncates toward zero") << 200 << 5 << -20 << 48;
    }
    void characterTurnsWithItsHeight() {
        QFETCH(int, y);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(int, angle);
        AboutScene scene;
        scene.t = 1;
        scene.x = 100;
        scene.dx = dx;
        scene.y = y;
        scene.dy = dy;
        QCOMPARE(scene.step(6).characterAngle, angle);
    }

    void aboutWindowDrawsFramesAndBangs() {
        GameFixture game(kRussianWords, kEnglishWords, GameFixture::englishSettings());
        QString caption;
        int lineShown = -1;
        bool timerWhileShown = false;
        QImage frame;
        whenDialogShows([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            lineShown = game.window().dialogs().aboutWindow().scene.line;
            timerWhileShown = game.window().dialogs().aboutWindow().frameTimer->isActive();
            game.window().dialogs().aboutWindow().scene.t = 256; // the text at its brightest
            game.window().dialogs().aboutWindow().scene.x = 279;
            game.window().dialogs().aboutWindow().scene.dx = 10;
            game.window().dialogs().aboutWindow().scene.y = 200;
            game.window().dialogs().aboutWindow().scene.dy = 0;
            game.window().dialogs().aboutWindow().drawFrame();
            frame = game.window().dialogs().aboutWindow().surface().frontSurface();
            clickButton(game.window().dialogs().aboutWindow().okButton);
        });
        game.sounds.clear();
        game.window().menu().aboutItem->trigger();
        settleDialogs();
        QCOMPARE(caption, QString("About"));
        QCOMPARE(lineShown, 1);
        QVERIFY(game.sounds.contains(7));
        QVERIFY(timerWhileShown);
        QVERIFY(!game.window().dialogs().aboutWindow().frameTimer->isActive());
        // The character was drawn around (269, 201), below the banner and away from the logo.
        bool drawn = false;
        for (int y = 196; y < 206 && !drawn; ++y)
            for (int x = 264; x < 274 && !drawn; ++x)
                drawn = frame.pixelColor(x, y) != QColor(Qt::black);
        QVERIFY(drawn);
        QCOMPARE(frame.pixelColor(5, 200), QColor(Qt::black));
        // The title is drawn around the centre.
        bool text = false;
        for (int x = 60; x < 240 && !text; ++x)
            text = frame.pixelColor(x, 150) != QColor(Qt::black);
        QVERIFY(text);
    }

    // --- Drawing surface

    void blackBecomesTransparent() {
        QImage picture(2, 1, QImage::Format_RGB888);
        picture.setPixelColor(0, 0, Qt::black);
        picture.setPixelColor(1, 0, QColor(1, 0, 0));
        const QImage result = pictureWithBlackTransparent(picture);
        QCOMPARE(qAlpha(result.pixel(0, 0)), 0);
        QCOMPARE(result.pixelColor(1, 0), QColor(1, 0, 0));
    }

    void waveShiftsEachRow() {
        DrawingSurface surface(12, 4);
        // A 4 × 4 red square at x 4..7; rows shifted by round(2 · sin256(64 + 64 r)):
        // 2, 0, -2, 0.
        surface.waveDraw(filled(2, 2, Qt::red), QRect(4, 0, 4, 4), 2, 4, 64);
        const QList<QPair<int, int>> rows = {{6, 9}, {4, 7}, {2, 5}, {4, 7}};
        for (int r = 0; r < 4; ++r) {
            const auto [first, last] = rows[r];
            QCOMPARE(pixel(surface, first - 1, r), QColor(Qt::black));
            QCOMPARE(pixel(surface, first, r), QColor(Qt::red));
            QCOMPARE(pixel(surface, last, r), QColor(Qt::red));
            QCOMPARE(pixel(surface, last + 1, r), QColor(Qt::black));
        }
    }

    // On a dense screen the surface holds two pixels per unit and a 2× picture keeps its own
    // pixels: columns one pixel wide stay one pixel wide.
    void denseSurfaceKeepsThePictureSharp() {
        DrawingSurface surface(8, 8, 2);
        QCOMPARE(surface.width(), 8);
        QCOMPARE(surface.backSurface().size(), QSize(16, 16));
        QImage picture = filled(8, 8, Qt::red);
        for (int x = 1; x < 8; x += 2)
            for (int y = 0; y < 8; ++y)
                picture.setPixelColor(x, y, Qt::blue);
        picture.setDevicePixelRatio(2);
        surface.rotateDraw(picture, QPoint(4, 4), QSize(4, 4), 0);
        for (int x = 4; x < 12; ++x)
            QCOMPARE(surface.backSurface().pixelColor(x, 8), QColor(x % 2 ? Qt::blue : Qt::red));
        QCOMPARE(surface.backSurface().pixelColor(3, 8), QColor(Qt::black));
    }

    void rotationTurnsAboutTheCentre_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<QPoint>("redAt");
        QTest::addColumn<QPoint>("blueAt");
        QTest::addColumn<QPoint>("blackAt");
        // A picture red on the left half, blue on the right, scaled to 8 × 4 around (10, 10).
        QTest::newRow("no turn") << 0 << QPoint(7, 10) << QPoint(12, 10) << QPoint(10, 5);
        QTest::newRow("half a turn swaps the halves")
            << 128 << QPoint(12, 10) << QPoint(7, 10) << QPoint(10, 5);
        QTest::newRow("a quarter turn clockwise stands it up")
            << 64 << QPoint(10, 7) << QPoint(10, 12) << QPoint(5, 10);
        QTest::newRow("a whole turn and a quarter is the same")
            << 320 << QPoint(10, 7) << QPoint(10, 12) << QPoint(5, 10);
    }
    void rotationTurnsAboutTheCentre() {
        QFETCH(int, angle);
        QFETCH(QPoint, redAt);
        QFETCH(QPoint, blueAt);
        QFETCH(QPoint, blackAt);
        QImage picture = filled(2, 1, Qt::red);
        picture.setPixelColor(1, 0, Qt::blue);
        DrawingSurface surface(20, 20);
        surface.rotateDraw(picture, QPoint(10, 10), QSize(8, 4), angle);
        QCOMPARE(pixel(surface, redAt.x(), redAt.y()), QColor(Qt::red));
        QCOMPARE(pixel(surface, blueAt.x(), blueAt.y()), QColor(Qt::blue));
        QCOMPARE(pixel(surface, blackAt.x(), blackAt.y()), QColor(Qt::black));
    }

    void blendingByOpacity_data() {
        QTest::addColumn<int>("opacity");
        QTest::addColumn<int>("minRed");
        QTest::addColumn<int>("maxRed");
        QTest::newRow("0 draws nothing") << 0 << 0 << 0;
        QTest::newRow("below 0 draws nothing") << -40 << 0 << 0;
        QTest::newRow("255 is opaque") << 255 << 255 << 255;
        QTest::newRow("above 255 is opaque") << 300 << 255 << 255;
        QTest::newRow("about half") << 128 << 120 << 136;
        QTest::newRow("1 is nearly nothing") << 1 << 0 << 2;
    }
    void blendingByOpacity() {
        QFETCH(int, opacity);
        QFETCH(int, minRed);
        QFETCH(int, maxRed);
        DrawingSurface surface(10, 10);
        surface.rotateDrawBlended(filled(4, 4, Qt::red), QPoint(5, 5), QSize(4, 4), 0, opacity);
        const QColor centre = pixel(surface, 5, 5);
        QVERIFY2(centre.red() >= minRed && centre.red() <= maxRed,
                 qPrintable(QString::number(centre.red())));
        QCOMPARE(centre.green(), 0);
    }

    void transparentBlackKeepsTheScene() {
        DrawingSurface surface(10, 10);
        surface.fill(Qt::white);
        QImage picture = filled(4, 4, Qt::black);
        picture.setPixelColor(0, 0, Qt::green);
        surface.rotateDraw(pictureWithBlackTransparent(picture), QPoint(5, 5), QSize(4, 4), 0);
        QCOMPARE(pixel(surface, 3, 3), QColor(Qt::green));
        QCOMPARE(pixel(surface, 5, 5), QColor(Qt::white));
        // Until the flip the front page still shows the old frame.
        QCOMPARE(surface.frontSurface().pixelColor(5, 5), QColor(Qt::black));
        surface.flip();
        QCOMPARE(surface.frontSurface().pixelColor(3, 3), QColor(Qt::green));
    }

    // --- Desktop shortcut

    void desktopEntryQuotesTheProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("execLine");
        QTest::newRow("plain path") << "/opt/vorda/vorda2000"
                                    << "Exec=\"/opt/vorda/vorda2000\"";
        QTest::newRow("blank in the path") << "/home/ann/my games/vorda2000"
                                           << "Exec=\"/home/ann/my games/vorda2000\"";
        QTest::newRow("dollar, quote and percent") << "/g/$x\"y%z"
                                                   << "Exec=\"/g/\\\\$x\\\\\"y%%z\"";
        QTest::newRow("backslash doubled twice") << "/g/a\\b"
                                                 << "Exec=\"/g/a\\\\\\\\b\"";
    }
    void desktopEntryQuotesTheProgram() {
        QFETCH(QString, program);
        QFETCH(QString, execLine);
        const QStringList lines =
            QString::fromUtf8(desktopEntryText({"Vorda 2000", program, "/opt/vorda/", ""}))
                .split('\n');
        QVERIFY2(lines.contains(execLine), qPrintable(lines.join(" | ")));
        QVERIFY(!lines.join('\n').contains("Icon="));
    }

    void shortcutStartsTheProgramInItsFolder() {
        GameFixture game(kRussianWords, kEnglishWords);
        QTemporaryDir home;
        const QString desktop = home.filePath("Desktop/sub");
        setDesktopFolder(desktop);
        game.window().menu().createShortcutItem->trigger();
        const QString entryPath = desktop + "/Vorda 2000.desktop";
        QFile entry(entryPath);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n');
        entry.close();
        QCOMPARE(lines.first(), QString("[Desktop Entry]"));
        QVERIFY(lines.contains("Type=Application"));
        QVERIFY(lines.contains("Name=Vorda 2000"));
        QVERIFY(lines.contains("Exec=\"" + QCoreApplication::applicationFilePath() + "\""));
        QVERIFY(lines.contains("Path=" + gameFolder()));
        const QString iconPath = gameFolder() + "Vorda2000.png";
        QVERIFY(lines.contains("Icon=" + iconPath));
        const QImage icon(iconPath);
        QCOMPARE(icon.size(), QSize(64, 64));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QVERIFY(QFileInfo(entryPath).permissions() & QFile::ExeUser);
        // The player is told where it was made (the message box, recorded here).
        QCOMPARE(game.errors().texts, QStringList{QString::fromUtf8("Ярлык создан: ") +
                                                  QDir::toNativeSeparators(entryPath)});
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(widget == &game.window() || !widget->isVisible(),
                     qPrintable(widget->metaObject()->className()));

        // A second call replaces the first: one entry with the same text.
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nName=Old\n");
        entry.close();
        QFile::setPermissions(entryPath, QFile::ReadOwner | QFile::WriteOwner);
        game.window().menu().createShortcutItem->trigger();
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(entry.readAll()).split('\n'), lines);
        QVERIFY(QFileInfo(entryPath).permissions() & QFile::ExeUser);
        QCOMPARE(QDir(desktop).entryList(QDir::Files), QStringList{"Vorda 2000.desktop"});
        setDesktopFolder(QString());
    }

    void installedShortcutNamesTheInstalledIcon() {
        GameFixture game(kRussianWords, kEnglishWords);
        QTemporaryDir prefix;
        const QString icon =
            prefix.filePath("share/icons/hicolor/256x256/apps/org.example.vorda2000.png");
        QVERIFY(QDir().mkpath(QFileInfo(icon).absolutePath()));
        QVERIFY(QImage(8, 8, QImage::Format_ARGB32).save(icon));
        QVERIFY(QDir().mkpath(prefix.filePath("share/vorda2000")));
        setInstalledFilesFolder(prefix.filePath("share/vorda2000"));
        QTemporaryDir desktop;
        setDesktopFolder(desktop.path());
        game.window().menu().createShortcutItem->trigger();
        setDesktopFolder(QString());
        setInstalledFilesFolder(QString());
        QFile entry(desktop.filePath("Vorda 2000.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n');
        QVERIFY2(lines.contains("Icon=" + icon), qPrintable(lines.join(" | ")));
        QVERIFY(lines.contains("Path=" + gameFolder()));
        // Nothing is written into the game folder for the installed program.
        QVERIFY(!QFileInfo::exists(gameFolder() + "Vorda2000.png"));
    }

    void shortcutFailureIsReported() {
        GameFixture game(kRussianWords, kEnglishWords);
        QTemporaryDir home;
        // A file stands where the desktop folder should be.
        const QString blocked = home.filePath("Desktop");
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        setDesktopFolder(blocked);
        game.window().menu().createShortcutItem->trigger();
        setDesktopFolder(QString());
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY2(game.errors().texts[0].contains(QDir::toNativeSeparators(blocked)),
                 qPrintable(game.errors().texts[0]));
        QCOMPARE(QFileInfo(blocked).size(), 0);
        QVERIFY(QFileInfo(blocked).isFile());
    }
};

VORDA_TEST_MAIN(TestExtras)
#include "tst_extras.moc"
