// Where the game keeps its files: beside the program when they are there, else in the
// player's own folder, filled from the installed files without overwriting the player's and
// without ever writing the installed tree; brought up to date after an upgrade without losing
// the player's settings and words.
#include "platform/FileWriting.h"
#include "platform/PlayerFolderUpdate.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include <sys/stat.h>

namespace {
enum Expected { InProgramFolder, InUserFolder, InInstalledFolder };

// The installed files of every row, "relative path=contents".
const QStringList kInstalled = {"Vorda2000.ini=installed settings",
                                "DATA/Winners=installed records",
                                "Textures/sounds/click1.wav=installed sound"};

void writeFiles(const QString& folder, const QStringList& files) {
    for (const QString& file : files) {
        const QString path = folder + file.section('=', 0, 0);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.section('=', 1).toUtf8()) < 0)
            qFatal("cannot write %s", qPrintable(path));
    }
}

// Every file below a folder as "relative path=contents", sorted.
QStringList readFiles(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        files << QDir(folder).relativeFilePath(path) + '=' + QString::fromUtf8(in.readAll());
    }
    files.sort();
    return files;
}

QByteArray readBytes(const QString& path) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return in.readAll();
}

// Writes bytes as a package would install them, dated `secondsAgo` before now.
void writeInstalled(const QString& path, const QByteArray& bytes, int secondsAgo) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    out.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                    QFileDevice::FileModificationTime);
}

void appendTo(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    if (!out.open(QIODevice::Append) || out.write(bytes) != bytes.size())
        qFatal("cannot append to %s", qPrintable(path));
}
} // namespace

class GameFolderTest : public QObject {
    Q_OBJECT
private slots:
    void choosesAndFillsTheFolder_data() {
        QTest::addColumn<bool>("besideProgram");      // the settings file sits beside the program
        QTest::addColumn<bool>("installedCopy");      // ../share/vorda2000/ exists
        QTest::addColumn<QStringList>("blockers");    // plain files in the way, below the root
        QTest::addColumn<QStringList>("playerFiles"); // in the player's folder before the start
        QTest::addColumn<int>("expected");
        QTest::addColumn<QStringList>("problemMentions"); // empty: no problem reported
        QTest::addColumn<QStringList>("playerFilesAfter");
        QTest::addColumn<bool>("newPlayer"); // the settings file was copied at this start

        const QStringList none;
        QStringList installedSorted = kInstalled;
        installedSorted.sort();
        QTest::newRow("beside the program, an installed copy too")
            << true << true << none << none << int(InProgramFolder) << none << none << false;
        QTest::newRow("no installed copy")
            << false << false << none << none << int(InProgramFolder) << none << none << false;
        QTest::newRow("installed, first start")
            << false << true << none << none << int(InUserFolder) << none << installedSorted
            << true;
        QTest::newRow("installed, the player's files are kept")
            << false << true << none
            << QStringList{"Vorda2000.ini=my settings", "DATA/Winners=my records"}
            << int(InUserFolder) << none
            << QStringList{"DATA/Winners=my records", "Textures/sounds/click1.wav=installed sound",
                           "Vorda2000.ini=my settings"}
            << false;
        QStringList afterKilledFill = installedSorted;
        afterKilledFill.insert(1, "Textures/sounds/click1.wav.backup=mine");
        QTest::newRow("installed, a killed first fill's temporary files removed")
            << false << true << none
            << QStringList{"Textures/sounds/click1.wav.vorda-tmp-Ab12Cd=half a sound",
                           ".installed-files.vorda-tmp-Q1w2E3=half a note",
                           "Textures/sounds/click1.wav.backup=mine"}
            << int(InUserFolder) << none << afterKilledFill << true;
        QTest::newRow("installed, the folder cannot be made")
            << false << true << QStringList{"home/.local"} << none << int(InInstalledFolder)
            << QStringList{"home/.local/share/vorda2000/"} << none << false;
        QTest::newRow("installed, one file cannot be copied")
            << false << true << none << QStringList{"DATA=a file where a folder belongs"}
            << int(InUserFolder) << QStringList{"DATA/Winners", "home/.local/share/vorda2000/"}
            << QStringList{"DATA=a file where a folder belongs",
                           "Textures/sounds/click1.wav=installed sound",
                           "Vorda2000.ini=installed settings"}
            << true;
    }
    void choosesAndFillsTheFolder() {
        QFETCH(bool, besideProgram);
        QFETCH(bool, installedCopy);
        QFETCH(QStringList, blockers);
        QFETCH(QStringList, playerFiles);
        QFETCH(int, expected);
        QFETCH(QStringList, problemMentions);
        QFETCH(QStringList, playerFilesAfter);
        QFETCH(bool, newPlayer);

        QTemporaryDir dir;
        const QString root = dir.path() + '/';
        const QString program = root + "games/";
        const QString installed = root + "share/vorda2000/";
        const QString dataHome = root + "home/.local/share";
        const QString user = dataHome + "/vorda2000/";
        QDir().mkpath(program);
        if (besideProgram)
            writeFiles(program, {"Vorda2000.ini=portable settings"});
        if (installedCopy)
            writeFiles(installed, kInstalled);
        for (const QString& blocker : blockers)
            writeFiles(root, {blocker + "=in the way"});
        writeFiles(user, playerFiles);
        const QStringList installedBefore = readFiles(installed);

        const GameFolderChoice choice = decideGameFolder(program, dataHome);

        const QString folders[] = {program, user, installed};
        QCOMPARE(choice.folder, folders[expected]);
        QCOMPARE(choice.installedFolder, expected == InProgramFolder ? QString() : installed);
        QCOMPARE(choice.problem.isEmpty(), problemMentions.isEmpty());
        QCOMPARE(choice.newPlayer, newPlayer);
        for (const QString& mention : problemMentions) {
            const QString full = mention.endsWith('/') ? root + mention : mention;
            QVERIFY2(choice.problem.contains(full), qPrintable(choice.problem));
        }
        if (blockers.isEmpty())
            QCOMPARE(readFiles(user), playerFilesAfter);
        QDirIterator hidden(user, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (hidden.hasNext())
            QVERIFY2(!hidden.next().contains(".vorda-tmp-"), qPrintable(hidden.filePath()));
        // Reading the installed files, the game writes nothing there, not even as root.
        QCOMPARE(choice.readOnly, expected == InInstalledFolder);
        refuseWritesBelow(choice.readOnly ? choice.folder : QString());
        QString reason;
        QCOMPARE(replaceFileContents(choice.folder + "probe", "written", &reason),
                 !choice.readOnly);
        QVERIFY(QFile::remove(choice.folder + "probe") != choice.readOnly);
        if (choice.readOnly) {
            QVERIFY(!appendToFile(choice.folder + "Vorda2000.ini", "added", &reason));
            QCOMPARE(reason, refusedFolderReason());
            QVERIFY(replaceFileContents(root + "elsewhere", "written", &reason));
        }
        refuseWritesBelow(QString());
        QCOMPARE(readFiles(installed), installedBefore);
        if (besideProgram)
            QCOMPARE(readFiles(program), QStringList{"Vorda2000.ini=portable settings"});
    }

    void mergesSettingsTexts_data() {
        QTest::addColumn<QByteArray>("player");
        QTest::addColumn<QByteArray>("installed");
        QTest::addColumn<bool>("replaceTexts");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray installed = "; shipped\r\n[Vorda]\r\nLanguageNumber=1\r\n"
                                     "[Images]\r\nImage0=\r\n"
                                     "[Russian]\r\nTitle=R2\r\n[English]\r\nTitle=E2\r\n";
        QTest::newRow("an upgrade renews the texts and keeps the player's keys")
            << QByteArray("; mine\r\n[Vorda]\r\nLanguageNumber=2\r\n[Images]\r\nImage0=a.bmp"
                          "\r\n[Russian]\r\nTitle=R1\r\n[English]\r\nTitle=E1\r\n")
            << installed << true
            << QByteArray("; mine\r\n[Vorda]\r\nLanguageNumber=2\r\n[Images]\r\nImage0=a.bmp"
                          "\r\n[Russian]\r\nTitle=R2\r\n[English]\r\nTitle=E2\r\n");
        QTest::newRow("without an upgrade the file stays byte for byte")
            << QByteArray("[Vorda]\nSound=0\n[Russian]\r\nTitle=R1\r\n[English]\rTitle=E1")
            << installed << false
            << QByteArray("[Vorda]\nSound=0\n[Russian]\r\nTitle=R1\r\n[English]\rTitle=E1");
        QTest::newRow("a file without texts gets them, its keys kept")
            << QByteArray("[Vorda]\r\nLanguageNumber=2\r\n[Images]\r\nImage0=a.bmp") << installed
            << false
            << QByteArray("[Vorda]\r\nLanguageNumber=2\r\n[Images]\r\nImage0=a.bmp\r\n"
                          "[Russian]\r\nTitle=R2\r\n[English]\r\nTitle=E2\r\n");
        QTest::newRow("one lost language comes back, the other stays")
            << QByteArray("[English]\r\nTitle=E1\r\n") << installed << false
            << QByteArray("[English]\r\nTitle=E1\r\n[Russian]\r\nTitle=R2\r\n");
        QTest::newRow("section names match without regard to case")
            << QByteArray(" [english ]\r\nTitle=E1\r\n[RUSSIAN]\r\nTitle=R1\r\n") << installed
            << true << QByteArray("[English]\r\nTitle=E2\r\n[Russian]\r\nTitle=R2\r\n");
        QTest::newRow("a section of the player's own stays")
            << QByteArray("[Mine]\r\nKey=1\r\n[English]\r\nTitle=E1\r\n[Russian]\r\nTitle=R1\r\n")
            << installed << true
            << QByteArray("[Mine]\r\nKey=1\r\n[English]\r\nTitle=E2\r\n[Russian]\r\nTitle=R2\r\n");
        QTest::newRow("only the first of two like sections is renewed")
            << QByteArray("[English]\r\nTitle=E1\r\n[English]\r\nTitle=E0\r\n") << installed << true
            << QByteArray("[English]\r\nTitle=E2\r\n[English]\r\nTitle=E0\r\n"
                          "[Russian]\r\nTitle=R2\r\n");
    }
    void mergesSettingsTexts() {
        QFETCH(QByteArray, player);
        QFETCH(QByteArray, installed);
        QFETCH(bool, replaceTexts);
        QFETCH(QByteArray, expected);
        QCOMPARE(mergeSettingsTexts(player, installed, replaceTexts), expected);
    }

    void mergesLibraryWords_data() {
        QTest::addColumn<QByteArray>("player");
        QTest::addColumn<QByteArray>("installed");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("new words come, added words stay")
            << QByteArray("; old\r\nCAT\r\nDOG\r\nYAK\r\n")
            << QByteArray("; new\r\nCAT\r\nDOG\r\nEMU\r\n")
            << QByteArray("; new\r\nCAT\r\nDOG\r\nEMU\r\nYAK\r\n");
        QTest::newRow("a word in other letter case is not doubled")
            << QByteArray("cat\r\nYak\r\n") << QByteArray("CAT\r\n")
            << QByteArray("CAT\r\nYak\r\n");
        QTest::newRow("Cyrillic case folds too")
            << QByteArray("\xea\xee\xf2\r\n") << QByteArray("\xca\xce\xd2\r\n")
            << QByteArray("\xca\xce\xd2\r\n");
        QTest::newRow("the player's comments and non-words are not carried")
            << QByteArray("; my note\r\nA\r\n\r\nABCDEFGHIJKLMNOPQRSTU\r\n")
            << QByteArray("CAT\r\n") << QByteArray("CAT\r\n");
        QTest::newRow("reading stops at Ctrl-Z in both files")
            << QByteArray("YAK\r\n\x1aZZZ\r\n") << QByteArray("CAT\r\n\x1aJUNK\r\n")
            << QByteArray("CAT\r\nYAK\r\n");
        QTest::newRow("an unended last line is ended before the added words")
            << QByteArray("YAK") << QByteArray("CAT") << QByteArray("CAT\r\nYAK\r\n");
        QTest::newRow("a lone LF belongs to the word, as the game reads it")
            << QByteArray("YAK\nOX\r\n") << QByteArray("CAT\r\n")
            << QByteArray("CAT\r\nYAK\nOX\r\n");
    }
    void mergesLibraryWords() {
        QFETCH(QByteArray, player);
        QFETCH(QByteArray, installed);
        QFETCH(QByteArray, expected);
        QCOMPARE(mergeLibraryWords(player, installed), expected);
    }

    // An installed game, a player who plays, an upgrade of the installed files, and the starts
    // in between.
    void updatesThePlayerFolderAcrossAnUpgrade() {
        QTemporaryDir dir;
        const QString root = dir.path() + '/';
        const QString program = root + "games/";
        const QString installed = root + "share/vorda2000/";
        const QString dataHome = root + "home";
        const QString user = dataHome + "/vorda2000/";
        QDir().mkpath(program);
        const QByteArray settings1 = "[Vorda]\r\nLanguageNumber=1\r\n[Images]\r\nImage0=\r\n"
                                     "[English]\r\nTitle=Old title\r\n";
        writeInstalled(installed + "Vorda2000.ini", settings1, 3600);
        writeInstalled(installed + "DATA/Lib.ENG", "; v1\r\nCAT\r\nDOG\r\n", 3600);
        writeInstalled(installed + "DATA/Ranks.ENG", "CAT 1\r\n", 3600);
        writeInstalled(installed + "DATA/Winners", "records", 3600);
        writeInstalled(installed + "Textures/Slate.bmp", "slate 1", 3600);

        const auto start = [&] {
            const GameFolderChoice choice = decideGameFolder(program, dataHome);
            QCOMPARE(choice.folder, user);
            QCOMPARE(updatePlayerFolder(installed, user), QString());
        };
        start();
        QCOMPARE(readBytes(user + "Vorda2000.ini"), settings1);

        // The player plays: settings, an added word, records, a changed texture, and a text
        // mended by hand.
        writeProfileStrings(user + "Vorda2000.ini",
                            {{"Vorda", "LanguageNumber", "2"}, {"Images", "Image0", "a.bmp"}});
        appendTo(user + "DATA/Lib.ENG", "YAK\r\n");
        writeFiles(user, {"DATA/Winners=my records", "Textures/Slate.bmp=my slate"});
        writeProfileString(user + "Vorda2000.ini", "English", "Title", "My title");
        start();
        QCOMPARE(readProfileString(user + "Vorda2000.ini", "English", "Title", ""),
                 std::string("My title"));

        // The upgrade: a mended text, a new word, a new texture, new ranks.
        writeInstalled(installed + "Vorda2000.ini",
                       "[Vorda]\r\nLanguageNumber=1\r\n[Images]\r\nImage0=\r\n"
                       "[English]\r\nTitle=New title\r\n",
                       60);
        writeInstalled(installed + "DATA/Lib.ENG", "; v2\r\nCAT\r\nDOG\r\nEMU\r\n", 60);
        writeInstalled(installed + "Textures/Slate.bmp", "slate 2", 60);
        writeInstalled(installed + "DATA/Ranks.ENG", "CAT 1\r\nDOG 2\r\n", 60);
        start();
        // The ranks are the game's: the new ones replace the old.
        QCOMPARE(readBytes(user + "DATA/Ranks.ENG"), QByteArray("CAT 1\r\nDOG 2\r\n"));
        const QString ini = user + "Vorda2000.ini";
        QCOMPARE(readProfileString(ini, "English", "Title", ""), std::string("New title"));
        QCOMPARE(readProfileString(ini, "Vorda", "LanguageNumber", ""), std::string("2"));
        QCOMPARE(readProfileString(ini, "Images", "Image0", ""), std::string("a.bmp"));
        QCOMPARE(readBytes(user + "DATA/Lib.ENG"),
                 QByteArray("; v2\r\nCAT\r\nDOG\r\nEMU\r\nYAK\r\n"));
        QCOMPARE(readBytes(user + "DATA/Winners"), QByteArray("my records"));
        QCOMPARE(readBytes(user + "Textures/Slate.bmp"), QByteArray("my slate"));

        // The upgrade is taken once: a text the player mends afterwards stays.
        writeProfileString(ini, "English", "Title", "Mine again");
        start();
        QCOMPARE(readProfileString(ini, "English", "Title", ""), std::string("Mine again"));
    }

    void newPlayerStartsInTheLocaleLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("shipped");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray russian = "[Vorda]\r\nLanguageNumber=1\r\nStrong=4\r\n";
        const QByteArray english = "[Vorda]\r\nLanguageNumber=2\r\nStrong=4\r\n";
        QTest::newRow("Russian locale") << "ru_RU.UTF-8" << english << russian;
        QTest::newRow("Russian without a territory") << "ru" << english << russian;
        QTest::newRow("English locale") << "en_GB.UTF-8" << russian << english;
        QTest::newRow("a locale that merely contains ru") << "fr_RU" << russian << english;
        QTest::newRow("the C locale") << "C" << russian << english;
        QTest::newRow("no locale at all") << "" << russian << english;
        QTest::newRow("already right: the file stays") << "ru_UA" << russian << russian;
    }
    void newPlayerStartsInTheLocaleLanguage() {
        QFETCH(QString, locale);
        QFETCH(QByteArray, shipped);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("Vorda2000.ini");
        writeInstalled(path, shipped, 0);
        QCOMPARE(setNewPlayerLanguage(path, locale), QString());
        QCOMPARE(readBytes(path), expected);
    }

    // A folder named in another encoding than UTF-8 (Windows-1251 here) is still found by its
    // bytes: every path the game forms from the choice leads into it.
    void folderNamedInAnotherEncoding_data() {
        QTest::addColumn<bool>("portable");
        QTest::addColumn<QString>("expected"); // the settings file the game then reads
        QTest::newRow("a portable copy in a Windows-1251 folder") << true << "portable settings";
        QTest::newRow("installed, a home folder named in Windows-1251")
            << false << "installed settings";
    }
    void folderNamedInAnotherEncoding() {
        QFETCH(bool, portable);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        const QByteArray named = "\xc8\xe3\xf0\xe0"; // a word in Windows-1251, not UTF-8
        const QByteArray program = portable ? root + "/" + named : root + "/games";
        const QByteArray dataHome =
            portable ? root + "/home/.local/share" : root + "/" + named + "/.local/share";
        QCOMPARE(::mkdir(program.constData(), 0755), 0);
        if (portable) {
            FILE* settings = std::fopen((program + "/Vorda2000.ini").constData(), "wb");
            QVERIFY(settings);
            std::fputs("portable settings", settings);
            std::fclose(settings);
        } else {
            writeFiles(dir.path() + "/share/vorda2000/", kInstalled);
        }

        const GameFolderChoice choice = decideGameFolder(program, dataHome);

        QCOMPARE(choice.problem, QString());
        QFile settings(choice.folder + "Vorda2000.ini");
        QVERIFY2(settings.open(QIODevice::ReadOnly), qPrintable(choice.folder));
        QCOMPARE(QString::fromUtf8(settings.readAll()), expected);
        struct stat info;
        QCOMPARE(::stat((dataHome + "/vorda2000/Vorda2000.ini").constData(), &info) == 0,
                 !portable);
    }

    void userDataHome_data() {
        QTest::addColumn<QByteArray>("xdgDataHome");
        QTest::addColumn<QByteArray>("home"); // "HOME" stands for a folder that exists
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("an absolute XDG_DATA_HOME")
            << QByteArray("/data/me") << QByteArray("HOME") << QByteArray("/data/me");
        QTest::newRow("a relative XDG_DATA_HOME is ignored")
            << QByteArray("data/me") << QByteArray("HOME") << QByteArray("HOME/.local/share");
        QTest::newRow("no XDG_DATA_HOME")
            << QByteArray() << QByteArray("HOME") << QByteArray("HOME/.local/share");
        QTest::newRow("a HOME that does not exist is never made")
            << QByteArray() << QByteArray("HOME/missing") << QByteArray();
        QTest::newRow("no HOME, a relative XDG_DATA_HOME")
            << QByteArray("data/me") << QByteArray() << QByteArray();
    }
    void userDataHome() {
        QFETCH(QByteArray, xdgDataHome);
        QFETCH(QByteArray, home);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QByteArray existing = QFile::encodeName(dir.path());
        home.replace("HOME", existing);
        expected.replace("HOME", existing);
        QCOMPARE(dataHomeFolder(xdgDataHome, home), expected);
    }

    // Without a folder for the player's files the game says why, naming no made-up folder.
    void noFolderForThePlayer() {
        QTemporaryDir dir;
        const QString root = dir.path() + '/';
        QDir().mkpath(root + "games");
        writeFiles(root + "share/vorda2000/", kInstalled);
        const GameFolderChoice choice = decideGameFolder(root + "games/", QString());
        QVERIFY(choice.readOnly);
        QCOMPARE(choice.folder, root + "share/vorda2000/");
        QVERIFY2(choice.problem.contains("HOME") && !choice.problem.contains(" /vorda2000/"),
                 qPrintable(choice.problem));
    }
};

QTEST_GUILESS_MAIN(GameFolderTest)
#include "tst_gamefolder.moc"
