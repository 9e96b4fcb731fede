// Where the game keeps its files: beside the program when they are there, else in the
// player's own folder, filled from the installed files without overwriting the player's and
// without ever writing the installed tree.
#include "platform/ProgramFolder.h"

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

        const QStringList none;
        QStringList installedSorted = kInstalled;
        installedSorted.sort();
        QTest::newRow("beside the program, an installed copy too")
            << true << true << none << none << int(InProgramFolder) << none << none;
        QTest::newRow("no installed copy")
            << false << false << none << none << int(InProgramFolder) << none << none;
        QTest::newRow("installed, first start")
            << false << true << none << none << int(InUserFolder) << none << installedSorted;
        QTest::newRow("installed, the player's files are kept")
            << false << true << none
            << QStringList{"Vorda2000.ini=my settings", "DATA/Winners=my records"}
            << int(InUserFolder) << none
            << QStringList{"DATA/Winners=my records", "Textures/sounds/click1.wav=installed sound",
                           "Vorda2000.ini=my settings"};
        QTest::newRow("installed, the folder cannot be made")
            << false << true << QStringList{"home/.local"} << none << int(InInstalledFolder)
            << QStringList{"home/.local/share/vorda2000/"} << none;
        QTest::newRow("installed, one file cannot be copied")
            << false << true << none << QStringList{"DATA=a file where a folder belongs"}
            << int(InUserFolder) << QStringList{"DATA/Winners", "home/.local/share/vorda2000/"}
            << QStringList{"DATA=a file where a folder belongs",
                           "Textures/sounds/click1.wav=installed sound",
                           "Vorda2000.ini=installed settings"};
    }
    void choosesAndFillsTheFolder() {
        QFETCH(bool, besideProgram);
        QFETCH(bool, installedCopy);
        QFETCH(QStringList, blockers);
        QFETCH(QStringList, playerFiles);
        QFETCH(int, expected);
        QFETCH(QStringList, problemMentions);
        QFETCH(QStringList, playerFilesAfter);

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

        const GameFolderChoice choice = ChooseGameFolder(program, dataHome);

        const QString folders[] = {program, user, installed};
        QCOMPARE(choice.folder, folders[expected]);
        QCOMPARE(choice.installedFolder, expected == InProgramFolder ? QString() : installed);
        QCOMPARE(choice.problem.isEmpty(), problemMentions.isEmpty());
        for (const QString& mention : problemMentions) {
            const QString full = mention.endsWith('/') ? root + mention : mention;
            QVERIFY2(choice.problem.contains(full), qPrintable(choice.problem));
        }
        if (blockers.isEmpty())
            QCOMPARE(readFiles(user), playerFilesAfter);
        QCOMPARE(readFiles(installed), installedBefore);
        if (besideProgram)
            QCOMPARE(readFiles(program), QStringList{"Vorda2000.ini=portable settings"});
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

        const GameFolderChoice choice = ChooseGameFolder(program, dataHome);

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
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("an absolute XDG_DATA_HOME")
            << QByteArray("/data/me") << QByteArray("/data/me");
        QTest::newRow("a relative XDG_DATA_HOME is ignored")
            << QByteArray("data/me") << QByteArray("/home/me/.local/share");
        QTest::newRow("no XDG_DATA_HOME") << QByteArray() << QByteArray("/home/me/.local/share");
    }
    void userDataHome() {
        QFETCH(QByteArray, xdgDataHome);
        QTEST(UserDataHome(xdgDataHome, "/home/me"), "expected");
    }
};

QTEST_GUILESS_MAIN(GameFolderTest)
#include "tst_gamefolder.moc"
