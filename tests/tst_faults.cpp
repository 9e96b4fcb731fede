// Writes cut short: a child process that rewrites the settings, the records and the saved game
// in a loop is killed at random moments. Every file is always its old or its new version, whole,
// the next start of the game removes the temporary files the killed writes left behind, and it
// resumes the saved game it finds. Where the player may write the files but not their folders,
// no write happens at all: each file stays its old version.
#include "core/SavedGame.h"
#include "tests/support/GameFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

namespace {

const QStringList kRussianWords = {QString::fromUtf8("КОШКА"), QString::fromUtf8("ДОМ"),
                                   QString::fromUtf8("ДО"), QString::fromUtf8("ОМ")};
const QStringList kEnglishWords = {"HOUSE", "TO"};
const QStringList kFiles = {"Vorda2000.ini", "DATA/Winners", "DATA/SavedGame"};
constexpr int kKills = 120;
constexpr int kLeastKills = 100;
constexpr qint64 kTimeLimitMs = 120000;

QString writerPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fault_writer");
}

// Files beside ours that only a write in progress makes: "<name>.XXXXXX". Six small letters
// could be a player's own copy ("Winners.backup"), which the start leaves alone.
QStringList temporaryFiles(const QString& folder) {
    static const QRegularExpression playersWord(QStringLiteral("\\.[a-z]{6}$"));
    QStringList found;
    for (const QString& file : kFiles) {
        const QFileInfo info(folder + file);
        for (const QString& name :
             info.dir().entryList({info.fileName() + QStringLiteral(".*")}, QDir::Files))
            if (!playersWord.match(name).hasMatch())
                found << name;
    }
    return found;
}

struct KillReport {
    QString failure; // why the loop could not run, if it could not
    int kills = 0;
    int tornFiles = 0; // files found neither old nor new after a kill
    QString firstTorn;
    int temporaryLeft = 0;
    QByteArray savedGame; // the saved game as the last kill left it
};

// Lets everyone write the files but nobody change their folders (`locked`), or undoes that.
void lockFolders(const QString& folder, bool locked) {
    const auto files = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                       QFile::ReadOther | QFile::WriteOther;
    const auto folders = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                         QFile::ReadOther | QFile::ExeOther |
                         (locked ? QFile::Permissions() : QFile::WriteOwner);
    for (const QString& file : kFiles)
        QFile::setPermissions(folder + file, files);
    QFile::setPermissions(folder + "DATA", folders);
    QFile::setPermissions(folder, folders);
}

// `mode` is the writer's: "loop", or "shared" for files in folders the player may not change.
KillReport killWritersAtRandom(const QString& folder, const QString& mode) {
    KillReport report;
    std::array<std::array<QByteArray, 2>, 3> versions; // [file][version]
    for (int version : {1, 0}) {
        QProcess once;
        once.start(writerPath(), {folder, QString::number(version)});
        if (!once.waitForFinished(30000) || once.exitCode() != 0) {
            report.failure = "the writer did not write version " + QString::number(version);
            return report;
        }
        for (int file = 0; file < int(kFiles.size()); ++file) {
            QFile written(folder + kFiles[file]);
            written.open(QIODevice::ReadOnly);
            versions[size_t(file)][size_t(version)] = written.readAll();
        }
    }
    QElapsedTimer clock;
    clock.start();
    while (report.kills < kKills && clock.elapsed() < kTimeLimitMs) {
        QProcess writer;
        if (mode == "shared")
            lockFolders(folder, true);
        writer.start(writerPath(), {folder, mode});
        if (!writer.waitForReadyRead(30000)) {
            report.failure = "the writer did not start: " + writer.errorString();
            return report;
        }
        // A moment anywhere in the next two rounds of writes.
        const QList<QByteArray> ready = writer.readLine().trimmed().split(' ');
        const qint64 roundUs = ready.value(1).toLongLong();
        QThread::usleep(
            QRandomGenerator::global()->bounded(quint64(std::max<qint64>(2 * roundUs, 1))));
        writer.kill();
        writer.waitForFinished(30000);
        lockFolders(folder, false);
        ++report.kills;
        for (int file = 0; file < int(kFiles.size()); ++file) {
            QFile written(folder + kFiles[file]);
            written.open(QIODevice::ReadOnly);
            const QByteArray bytes = written.readAll();
            if (kFiles[file] == "DATA/SavedGame")
                report.savedGame = bytes;
            // Where no file can be replaced whole, none is written.
            const bool isNew = mode != "shared" && bytes == versions[size_t(file)][1];
            if (bytes != versions[size_t(file)][0] && !isNew) {
                ++report.tornFiles;
                if (report.firstTorn.isEmpty())
                    report.firstTorn = kFiles[file] + ": " + QString::fromLatin1(bytes.left(200));
            }
        }
    }
    report.temporaryLeft = int(temporaryFiles(folder).size());
    return report;
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void killedWritesLeaveOldOrNew_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("a folder the game may change") << QStringLiteral("loop");
        QTest::newRow("writable files in folders the player may not change")
            << QStringLiteral("shared");
    }
    void killedWritesLeaveOldOrNew() {
        QFETCH(QString, mode);
        QVERIFY2(QFileInfo(writerPath()).isExecutable(), "build fault_writer with the tests");
        KillReport report;
        GameFixture game(kRussianWords, kEnglishWords, QByteArray(),
                         [&report, mode](const TestGameFolder& folder) {
                             report = killWritersAtRandom(folder.path(), mode);
                         });
        QVERIFY2(report.failure.isEmpty(), qPrintable(report.failure));
        qInfo("%d kills, %d torn files, %d temporary files left by the kills", report.kills,
              report.tornFiles, report.temporaryLeft);
        QVERIFY2(report.kills >= kLeastKills, "too slow to kill the writer often enough");
        QVERIFY2(report.tornFiles == 0, qPrintable(report.firstTorn));
        // The game has started since: nothing of the killed writes is left, and the saved
        // game the last kill left is the game on the board.
        QCOMPARE(temporaryFiles(game.folder().path()), QStringList());
        QCOMPARE(game.errors().texts, QStringList());
        QString error;
        const std::optional<SavedGame> saved = parseSavedGame(report.savedGame, &error);
        QVERIFY2(saved, qPrintable(error));
        QCOMPARE(game.model().state().history, saved->state.history);
    }
};

VORDA_TEST_MAIN(TestFaults)
#include "tst_faults.moc"
