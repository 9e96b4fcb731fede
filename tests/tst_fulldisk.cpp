// Writes on a full disk: every file the game rewrites or adds to is left whole, and the player
// is told which file could not be written and why.
#include "core/WordLibrary.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"
#include "records/RecordsTable.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/mount.h>
#include <unistd.h>

namespace {

// A file system of a few pages that a test fills up: a tmpfs mounted on a temporary folder.
// Mounting needs root; elsewhere the tests are skipped.
class TinyDisk {
public:
    TinyDisk() {
        if (geteuid() != 0)
            return;
        const QByteArray where = QFile::encodeName(dir_.path());
        mounted_ = ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~TinyDisk() {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    QString path() const { return dir_.path() + QLatin1Char('/'); }

    // Takes every free byte: a filler file grows until the disk refuses more.
    void fill() const {
        QFile filler(path() + QStringLiteral("filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            qFatal("cannot make the filler file");
        const QByteArray page(4096, 'x');
        while (filler.write(page) == page.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray freshRecords() {
    return QByteArray("-\r\n-666\r\n").repeated(10).append("\r\n").repeated(12);
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT
private slots:
    void writeLeavesTheFileWhole_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("message");
        QTest::newRow("settings") << "Vorda2000.ini" << QByteArray("[Vorda]\r\nStrong=4\r\n")
                                  << "Unable to write to ";
        QTest::newRow("records") << "DATA/Winners" << freshRecords() << "No space left on device";
        // A line that only partly fits must not leave its first letters behind.
        QTest::newRow("added word, part of it fits")
            << "DATA/Lib.ENG" << QByteArray("CAT\r\n").repeated(818) << "No space left on device";
        QTest::newRow("added word, nothing fits")
            << "DATA/Lib.ENG" << QByteArray("AB\r\n").repeated(1024) << "No space left on device";
    }
    void writeLeavesTheFileWhole() {
        QFETCH(QString, file);
        QFETCH(QByteArray, before);
        QFETCH(QString, message);
        TinyDisk disk;
        if (!disk.mounted())
            QSKIP("a small file system can be mounted only by root");
        setGameFolder(disk.path());
        QVERIFY(QDir(disk.path()).mkpath("DATA"));
        const QString path = disk.path() + file;
        writeFile(path, before);
        WordLibrary words;
        words.language = 2;
        RecordsTable records;
        if (file == "DATA/Winners") {
            readWinners(records);
            // A new result, so there is something to write.
            records.lists[1][1][1] = RecordEntry{"Ann", 12};
        }
        if (file == "DATA/Lib.ENG")
            loadWords(words);
        disk.fill();

        QString error;
        try {
            if (file == "Vorda2000.ini")
                writeProfileString(path, "Vorda", "Strong", "5");
            else if (file == "DATA/Winners")
                writeWinners(records);
            else
                appendWordToLibrary(words, "ABCDEFGHIJ");
        } catch (const VordaError& raised) {
            error = raised.text();
        }
        setGameFolder(QString());
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QCOMPARE(readFile(path), before);
        // No temporary file stays beside it.
        QStringList left =
            QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        left.removeAll("filler");
        // The library's cache, kept when it was read before the disk filled.
        left.removeAll(QFileInfo(path).fileName() + ".cache");
        QCOMPARE(left, QStringList{QFileInfo(path).fileName()});
    }
};

VORDA_TEST_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
