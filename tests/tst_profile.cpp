#include "platform/Cp1251.h"
#include "platform/ProfileFile.h"
#include "platform/VordaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

const QByteArray kDefault = "default!";

QByteArray cp1251(const char16_t* text) {
    return QByteArray::fromStdString(unicodeToCp1251(QStringView(text)));
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// True when this process may write where permission bits forbid it (as root), so that a
// read-only file or folder cannot make a write fail.
bool permissionBitsIgnored(const QString& folder) {
    const QString probe = folder + QStringLiteral("/probe");
    writeBytes(probe, "x");
    QFile::setPermissions(probe, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile file(probe);
    const bool ignored = file.open(QIODevice::WriteOnly | QIODevice::Append);
    file.close();
    QFile::setPermissions(probe, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(probe);
    return ignored;
}

} // namespace

class ProfileFileTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(folder_.isValid());
        path_ = folder_.filePath(QStringLiteral("Vorda2000.ini"));
        QFile::remove(path_);
    }

    void read_data();
    void read();
    void readMissingFile();
    void defaultLosesTrailingBlanks_data();
    void defaultLosesTrailingBlanks();
    void readsTheFileEachTime();
    void write_data();
    void write();
    void writesBuildANewFile();
    void writeRefusesBrokenNames_data();
    void writeRefusesBrokenNames();
    void failedWriteKeepsTheFile_data();
    void failedWriteKeepsTheFile();
    void writesWhereThePlayerCanWrite_data();
    void writesWhereThePlayerCanWrite();
    void accompanyingFileHasEveryText_data();
    void accompanyingFileHasEveryText();

private:
    QTemporaryDir folder_;
    QString path_;
};

void ProfileFileTest::read_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray game = "[Vorda]\r\nLanguageNumber=2\r\nStrong=4\r\n";
    const QByteArray longValue(3000, 'x');

    QTest::newRow("key found") << game << QByteArray("Vorda") << QByteArray("Strong")
                               << QByteArray("4");
    QTest::newRow("key in other case")
        << game << QByteArray("Vorda") << QByteArray("sTRONG") << QByteArray("4");
    QTest::newRow("section in other case")
        << game << QByteArray("VORDA") << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("blanks around key and value")
        << QByteArray("[Vorda]\r\n \t Strong\t =  \t5 \t\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("5");
    QTest::newRow("blanks inside the value kept")
        << QByteArray("[Vorda]\r\nTitle= a \t b \r\n") << QByteArray("Vorda") << QByteArray("Title")
        << QByteArray("a \t b");
    QTest::newRow("equals sign in the value kept")
        << QByteArray("[Vorda]\r\nTitle=a=b\r\n") << QByteArray("Vorda") << QByteArray("Title")
        << QByteArray("a=b");
    QTest::newRow("double quotes removed")
        << QByteArray("[Vorda]\r\nTitle=\"Vorda 2000\"\r\n") << QByteArray("Vorda")
        << QByteArray("Title") << QByteArray("Vorda 2000");
    QTest::newRow("single quotes removed")
        << QByteArray("[Vorda]\r\nTitle='Vorda 2000'\r\n") << QByteArray("Vorda")
        << QByteArray("Title") << QByteArray("Vorda 2000");
    QTest::newRow("only one pair of quotes removed")
        << QByteArray("[Vorda]\r\nTitle=\"\"x\"\"\r\n") << QByteArray("Vorda")
        << QByteArray("Title") << QByteArray("\"x\"");
    QTest::newRow("blanks inside quotes kept")
        << QByteArray("[Vorda]\r\nTitle=  ' x '  \r\n") << QByteArray("Vorda")
        << QByteArray("Title") << QByteArray(" x ");
    QTest::newRow("unlike quotes kept")
        << QByteArray("[Vorda]\r\nTitle=\"x'\r\n") << QByteArray("Vorda") << QByteArray("Title")
        << QByteArray("\"x'");
    QTest::newRow("lone quote kept") << QByteArray("[Vorda]\r\nTitle=\"\r\n") << QByteArray("Vorda")
                                     << QByteArray("Title") << QByteArray("\"");
    QTest::newRow("comment line ignored")
        << QByteArray("[Vorda]\r\n;Strong=9\r\n  ; Strong=8\r\nStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("commented key alone gives default")
        << QByteArray("[Vorda]\r\n;Strong=9\r\n") << QByteArray("Vorda") << QByteArray("Strong")
        << kDefault;
    QTest::newRow("line without equals sign ignored")
        << QByteArray("[Vorda]\r\nStrong\r\nrubbish\r\nStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("value cut at 2047")
        << QByteArray("[Vorda]\r\nTitle=" + longValue + "\r\n") << QByteArray("Vorda")
        << QByteArray("Title") << QByteArray(2047, 'x');
    QTest::newRow("value of 2047 kept whole")
        << QByteArray("[Vorda]\r\nTitle=" + QByteArray(2047, 'y') + "\r\n") << QByteArray("Vorda")
        << QByteArray("Title") << QByteArray(2047, 'y');
    QTest::newRow("quotes removed before the cut")
        << QByteArray("[Vorda]\r\nTitle=\"" + QByteArray(2047, 'z') + "\"\r\n")
        << QByteArray("Vorda") << QByteArray("Title") << QByteArray(2047, 'z');
    QTest::newRow("present empty value is empty")
        << QByteArray("[Vorda]\r\nTitle=\r\n") << QByteArray("Vorda") << QByteArray("Title")
        << QByteArray("");
    QTest::newRow("value of blanks only is empty")
        << QByteArray("[Vorda]\r\nTitle= \t \r\n") << QByteArray("Vorda") << QByteArray("Title")
        << QByteArray("");
    QTest::newRow("value of empty quotes is empty")
        << QByteArray("[Vorda]\r\nTitle=\"\"\r\n") << QByteArray("Vorda") << QByteArray("Title")
        << QByteArray("");
    QTest::newRow("missing key gives default")
        << game << QByteArray("Vorda") << QByteArray("Sound") << kDefault;
    QTest::newRow("missing section gives default")
        << game << QByteArray("Images") << QByteArray("Strong") << kDefault;
    QTest::newRow("empty file gives default")
        << QByteArray("") << QByteArray("Vorda") << QByteArray("Strong") << kDefault;
    QTest::newRow("key of another section not found")
        << QByteArray("[Vorda]\r\nSound=1\r\n[Images]\r\nStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << kDefault;
    QTest::newRow("key before any section not found")
        << QByteArray("Strong=4\r\n[Vorda]\r\nSound=1\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << kDefault;
    QTest::newRow("section runs to the next header")
        << QByteArray("[Images]\r\nImage0=a\r\n[Vorda]\r\nImage0=b\r\n") << QByteArray("Vorda")
        << QByteArray("Image0") << QByteArray("b");
    QTest::newRow("first of two keys counts")
        << QByteArray("[Vorda]\r\nStrong=4\r\nSTRONG=5\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("section header with blanks")
        << QByteArray("  [ Vorda ]\t\r\nStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("text after the closing bracket ignored")
        << QByteArray("[Vorda] ; settings\r\nStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("bracket without its pair opens no section")
        << QByteArray("[Vorda\r\nStrong=4\r\n") << QByteArray("Vorda") << QByteArray("Strong")
        << kDefault;
    QTest::newRow("Cyrillic section name in other case")
        << cp1251(u"[\u0420\u0423\u0421\u0421\u041a\u0418\u0419]\r\nTitle=x\r\n")
        << cp1251(u"\u0440\u0443\u0441\u0441\u043a\u0438\u0439") << QByteArray("Title")
        << QByteArray("x");
    QTest::newRow("Cyrillic key with yo in other case")
        << cp1251(u"[Vorda]\r\n\u0401\u0416=\u0451\u0436\r\n") << QByteArray("Vorda")
        << cp1251(u"\u0451\u0436") << cp1251(u"\u0451\u0436");
    QTest::newRow("Cyrillic value kept byte for byte")
        << cp1251(u"[Russian]\r\nTitle=\u0412\u043e\u0440\u0434\u0430 2000\r\n")
        << QByteArray("Russian") << QByteArray("Title")
        << cp1251(u"\u0412\u043e\u0440\u0434\u0430 2000");
    QTest::newRow("lone LF line ends")
        << QByteArray("[Images]\nA=1\n[Vorda]\nStrong=4\nB=2\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("lone CR line ends")
        << QByteArray("[Images]\rA=1\r[Vorda]\rStrong=4\rB=2\r") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("mixed line ends")
        << QByteArray("[Images]\r\nA=1\r[Vorda]\nStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("last line without line end")
        << QByteArray("[Vorda]\r\nStrong=4") << QByteArray("Vorda") << QByteArray("Strong")
        << QByteArray("4");
    QTest::newRow("Ctrl-Z at the line end counts as a blank")
        << QByteArray("[Vorda]\r\nStrong=4 \x1a\r\n") << QByteArray("Vorda") << QByteArray("Strong")
        << QByteArray("4");
    QTest::newRow("a section header repeated later counts for nothing")
        << QByteArray("[Vorda]\r\nStrong=4\r\n[Images]\r\nA=1\r\n[VORDA]\r\nSound=0\r\n")
        << QByteArray("Vorda") << QByteArray("Sound") << kDefault;
    QTest::newRow("byte-order mark before the first section")
        << QByteArray("\xEF\xBB\xBF[Vorda]\r\nStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("4");
    QTest::newRow("byte-order mark inside the file belongs to its line")
        << QByteArray("[Vorda]\r\n\xEF\xBB\xBFStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << kDefault;
    QTest::newRow("Ctrl-Z inside the value kept")
        << QByteArray("[Vorda]\r\nTitle=a\x1a b\r\n") << QByteArray("Vorda") << QByteArray("Title")
        << QByteArray("a\x1a b");
}

void ProfileFileTest::read() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, expected);
    QVERIFY(writeBytes(path_, file));

    const std::string value = readProfileString(path_, View(section), View(key), View(kDefault));
    QCOMPARE(QByteArray::fromStdString(value), expected);
}

void ProfileFileTest::readMissingFile() {
    QCOMPARE(readProfileString(path_, "Vorda", "Strong", "16"), std::string("16"));
    QCOMPARE(readProfileString(folder_.path(), "Vorda", "Strong", "16"), std::string("16"));
    QCOMPARE(readProfileString(folder_.filePath(QStringLiteral("none/Vorda2000.ini")), "Vorda",
                               "Strong", ""),
             std::string());
}

void ProfileFileTest::defaultLosesTrailingBlanks_data() {
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("defaultValue");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("missing file") << false << QByteArray("16  ") << QByteArray("16");
    QTest::newRow("missing key") << true << QByteArray("16 \t") << QByteArray("16");
    QTest::newRow("leading and inner blanks kept")
        << true << QByteArray(" a b ") << QByteArray(" a b");
    QTest::newRow("blanks only") << true << QByteArray("   ") << QByteArray("");
}

void ProfileFileTest::defaultLosesTrailingBlanks() {
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, defaultValue);
    QFETCH(QByteArray, expected);
    if (fileExists)
        QVERIFY(writeBytes(path_, "[Vorda]\r\nSound=1\r\n"));
    const std::string value = readProfileString(path_, "Vorda", "Strong", View(defaultValue));
    QCOMPARE(QByteArray::fromStdString(value), expected);
}

void ProfileFileTest::readsTheFileEachTime() {
    QVERIFY(writeBytes(path_, "[Vorda]\r\nStrong=4\r\n"));
    QCOMPARE(readProfileString(path_, "Vorda", "Strong", "16"), std::string("4"));
    QVERIFY(writeBytes(path_, "[Vorda]\r\nStrong=6\r\n"));
    QCOMPARE(readProfileString(path_, "Vorda", "Strong", "16"), std::string("6"));
    QVERIFY(QFile::remove(path_));
    QCOMPARE(readProfileString(path_, "Vorda", "Strong", "16"), std::string("16"));
}

void ProfileFileTest::write_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray head = "; Vorda 2000 settings\r\n\r\n[Vorda]\r\nLanguageNumber=1\r\n";
    const QByteArray tail = "Sound=1\r\n\r\n[Russian]\r\n; captions\r\nStrong=\"x\"\r\n";

    QTest::newRow("value replaced in place")
        << true << QByteArray(head + "Strong=4\r\n" + tail) << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("6") << QByteArray(head + "Strong=6\r\n" + tail);
    QTest::newRow("key in other case keeps the file's spelling")
        << true << QByteArray(head + " STRONG = '4' \r\n" + tail) << QByteArray("vorda")
        << QByteArray("Strong") << QByteArray("6") << QByteArray(head + "STRONG=6\r\n" + tail);
    QTest::newRow("replaced line keeps its own line end")
        << true << QByteArray("[Vorda]\nStrong=4\rSound=1\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("6") << QByteArray("[Vorda]\nStrong=6\rSound=1\n");
    QTest::newRow("last line replaced without line end")
        << true << QByteArray("[Vorda]\r\nStrong=4") << QByteArray("Vorda") << QByteArray("Strong")
        << QByteArray("6") << QByteArray("[Vorda]\r\nStrong=6");
    QTest::newRow("only the first of two keys replaced")
        << true << QByteArray("[Vorda]\r\nStrong=4\r\nStrong=5\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("6")
        << QByteArray("[Vorda]\r\nStrong=6\r\nStrong=5\r\n");
    QTest::newRow("empty value written")
        << true << QByteArray("[Images]\r\nImage0=wood.bmp\r\n") << QByteArray("Images")
        << QByteArray("Image0") << QByteArray("") << QByteArray("[Images]\r\nImage0=\r\n");
    QTest::newRow("key added after the section's last non-blank line")
        << true << QByteArray(head + tail) << QByteArray("Vorda") << QByteArray("Strong")
        << QByteArray("6")
        << QByteArray(head + "Sound=1\r\nStrong=6\r\n\r\n[Russian]\r\n"
                             "; captions\r\nStrong=\"x\"\r\n");
    QTest::newRow("key in a comment not replaced")
        << true << QByteArray("[Vorda]\r\n;Strong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("6")
        << QByteArray("[Vorda]\r\n;Strong=4\r\nStrong=6\r\n");
    QTest::newRow("key added to the last section before trailing empty lines")
        << true << QByteArray("[Vorda]\r\nSound=1\r\n\r\n \r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("6")
        << QByteArray("[Vorda]\r\nSound=1\r\nStrong=6\r\n\r\n \r\n");
    QTest::newRow("key added after a last line without line end")
        << true << QByteArray("[Vorda]\nSound=1") << QByteArray("Vorda") << QByteArray("Strong")
        << QByteArray("6") << QByteArray("[Vorda]\nSound=1\r\nStrong=6\r\n");
    QTest::newRow("key added under a bare header")
        << true << QByteArray("[Vorda]\r\n[Images]\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("6")
        << QByteArray("[Vorda]\r\nStrong=6\r\n[Images]\r\n");
    QTest::newRow("key of another section left alone")
        << true << QByteArray("[Russian]\r\nStrong=x\r\n\r\n[Vorda]\r\nSound=1\r\n")
        << QByteArray("Vorda") << QByteArray("Strong") << QByteArray("6")
        << QByteArray("[Russian]\r\nStrong=x\r\n\r\n[Vorda]\r\nSound=1\r\nStrong=6\r\n");
    QTest::newRow("section added right after the last line")
        << true << QByteArray(head + tail) << QByteArray("Images") << QByteArray("UseSkins")
        << QByteArray("1") << QByteArray(head + tail + "[Images]\r\nUseSkins=1\r\n");
    QTest::newRow("section added after a file ending in an empty line")
        << true << QByteArray("[Vorda]\nSound=1\n\n") << QByteArray("Images")
        << QByteArray("UseSkins") << QByteArray("1")
        << QByteArray("[Vorda]\nSound=1\n\n[Images]\r\nUseSkins=1\r\n");
    QTest::newRow("section added after a last line without line end")
        << true << QByteArray("[Vorda]\r\nSound=1") << QByteArray("Images")
        << QByteArray("UseSkins") << QByteArray("1")
        << QByteArray("[Vorda]\r\nSound=1\r\n[Images]\r\nUseSkins=1\r\n");
    QTest::newRow("empty file gets the section")
        << true << QByteArray("") << QByteArray("Vorda") << QByteArray("Strong") << QByteArray("6")
        << QByteArray("[Vorda]\r\nStrong=6\r\n");
    QTest::newRow("file created") << false << QByteArray() << QByteArray("Vorda")
                                  << QByteArray("Strong") << QByteArray("6")
                                  << QByteArray("[Vorda]\r\nStrong=6\r\n");
    QTest::newRow("Cyrillic section in other case found")
        << true << cp1251(u"[\u0401\u041b\u041a\u0410]\r\nA=1\r\n")
        << cp1251(u"\u0451\u043b\u043a\u0430") << QByteArray("A") << cp1251(u"\u0434\u0430")
        << cp1251(u"[\u0401\u041b\u041a\u0410]\r\nA=\u0434\u0430\r\n");
    QTest::newRow("byte-order mark kept, its section found")
        << true << QByteArray("\xEF\xBB\xBF[Vorda]\r\nStrong=4\r\n") << QByteArray("Vorda")
        << QByteArray("Strong") << QByteArray("6")
        << QByteArray("\xEF\xBB\xBF[Vorda]\r\nStrong=6\r\n");
    QTest::newRow("byte-order mark on a section's first line: the key is added, and read")
        << true << QByteArray("[Vorda]\r\n\xEF\xBB\xBFLanguageNumber=1\r\n[English]\r\n")
        << QByteArray("Vorda") << QByteArray("LanguageNumber") << QByteArray("2")
        << QByteArray("[Vorda]\r\n\xEF\xBB\xBFLanguageNumber=1\r\nLanguageNumber=2\r\n"
                      "[English]\r\n");
    QTest::newRow("section added before a trailing Ctrl-Z")
        << true << QByteArray("[Vorda]\r\nSound=1\r\n\x1a") << QByteArray("Images")
        << QByteArray("UseSkins") << QByteArray("1")
        << QByteArray("[Vorda]\r\nSound=1\r\n[Images]\r\nUseSkins=1\r\n\x1a");
    QTest::newRow("bytes that are no text kept")
        << true << QByteArrayLiteral("\xff\x00\x98;\r\n[Vorda]\r\nStrong=4\r\n\x01\x7f")
        << QByteArray("Vorda") << QByteArray("Strong") << QByteArray("6")
        << QByteArrayLiteral("\xff\x00\x98;\r\n[Vorda]\r\nStrong=6\r\n\x01\x7f");
}

void ProfileFileTest::write() {
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);
    if (exists)
        QVERIFY(writeBytes(path_, before));

    writeProfileString(path_, View(section), View(key), View(value));
    QCOMPARE(readBytes(path_), after);
    const std::string readBack = readProfileString(path_, View(section), View(key), "?");
    QCOMPARE(QByteArray::fromStdString(readBack), value);
}

void ProfileFileTest::writesBuildANewFile() {
    writeProfileString(path_, "Vorda", "Sound", "1");
    writeProfileString(path_, "Vorda", "LanguageNumber", "2");
    writeProfileString(path_, "Vorda", "Strong", "4");
    writeProfileString(path_, "Images", "Image0", "");
    writeProfileString(path_, "Images", "UseSkins", "1");
    writeProfileString(path_, "Vorda", "Sound", "0");
    QCOMPARE(readBytes(path_), QByteArray("[Vorda]\r\nSound=0\r\nLanguageNumber=2\r\nStrong=4\r\n"
                                          "[Images]\r\nImage0=\r\nUseSkins=1\r\n"));
}

void ProfileFileTest::writeRefusesBrokenNames_data() {
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("line break in the value")
        << QByteArray("Images") << QByteArray("Image0") << QByteArray("a\r\n[Vorda]");
    QTest::newRow("lone CR in the value")
        << QByteArray("Images") << QByteArray("Image0") << QByteArray("a\rb");
    QTest::newRow("line break in the key")
        << QByteArray("Images") << QByteArray("Ima\nge0") << QByteArray("a");
    QTest::newRow("equals sign in the key")
        << QByteArray("Images") << QByteArray("a=b") << QByteArray("a");
    QTest::newRow("key opening a comment")
        << QByteArray("Images") << QByteArray(";Image0") << QByteArray("a");
    QTest::newRow("empty key") << QByteArray("Images") << QByteArray(" ") << QByteArray("a");
    QTest::newRow("closing bracket in the section")
        << QByteArray("Ima]ges") << QByteArray("Image0") << QByteArray("a");
    QTest::newRow("empty section") << QByteArray("") << QByteArray("Image0") << QByteArray("a");
}

void ProfileFileTest::writeRefusesBrokenNames() {
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    const QByteArray before = "[Images]\r\nImage0=wood.bmp\r\n";
    QVERIFY(writeBytes(path_, before));

    try {
        writeProfileString(path_, View(section), View(key), View(value));
        QFAIL("the write was accepted");
    } catch (const VordaError& error) {
        QCOMPARE(error.kind(), VordaError::Kind::InputOutput);
        QCOMPARE(error.text(), QStringLiteral("Unable to write to ") + path_);
    }
    QCOMPARE(readBytes(path_), before);
}

void ProfileFileTest::failedWriteKeepsTheFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("target is a folder") << QStringLiteral("folder");
    QTest::newRow("folder missing") << QStringLiteral("missing");
    QTest::newRow("no room for the temporary file name") << QStringLiteral("long name");
    QTest::newRow("read-only file") << QStringLiteral("read-only file");
    QTest::newRow("read-only file in a read-only folder") << QStringLiteral("read-only folder");
    QTest::newRow("a FIFO") << QStringLiteral("fifo");
    QTest::newRow("a device node") << QStringLiteral("device");
    QTest::newRow("a link to a device node") << QStringLiteral("link");
}

void ProfileFileTest::failedWriteKeepsTheFile() {
    QFETCH(QString, kind);
    const QByteArray before = "; mine\n[Vorda]\r\nStrong=4\r\n";
    QString folder = folder_.filePath(QStringLiteral("case"));
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + QStringLiteral("/Vorda2000.ini");
    bool fileExists = true;

    if (kind == QStringLiteral("folder")) {
        QVERIFY(QDir().mkpath(path));
        fileExists = false;
    } else if (kind == QStringLiteral("missing")) {
        path = folder + QStringLiteral("/none/Vorda2000.ini");
        fileExists = false;
    } else if (kind == QStringLiteral("long name")) {
        // The longest name the file system takes leaves no room for the temporary file's
        // suffix, so the new file cannot be made even where permission bits do not count.
        path = folder + QLatin1Char('/') + QString(255, QLatin1Char('v'));
        QVERIFY(writeBytes(path, before));
    } else if (kind == QStringLiteral("read-only file")) {
        if (permissionBitsIgnored(folder))
            QSKIP("running with privileges that ignore permission bits (root): a read-only file "
                  "cannot make the write fail");
        QVERIFY(writeBytes(path, before));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    } else if (kind == QStringLiteral("read-only folder")) {
        if (permissionBitsIgnored(folder))
            QSKIP("running with privileges that ignore permission bits (root): a read-only folder "
                  "cannot make the write fail");
        QVERIFY(writeBytes(path, before));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else if (kind == QStringLiteral("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        fileExists = false;
    } else {
        // The node lies outside the folder checked for leftovers.
        const QString node = kind == QStringLiteral("device") ? path : folder_.filePath("node");
        if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("device nodes can be made only by root");
        if (kind == QStringLiteral("link"))
            QVERIFY(QFile::link(node, path));
        fileExists = false;
    }
    struct stat node;
    const bool special = kind == "fifo" || kind == "device" || kind == "link";
    if (special)
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &node), 0);
    // A reading that blocks ends the test here.
    ::alarm(60);

    QString message;
    try {
        writeProfileString(path, "Vorda", "Strong", "6");
    } catch (const VordaError& error) {
        QCOMPARE(error.kind(), VordaError::Kind::InputOutput);
        message = error.text();
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    ::alarm(0);
    QCOMPARE(message, QStringLiteral("Unable to write to ") + path);
    if (fileExists)
        QCOMPARE(readBytes(path), before);
    if (special) {
        // Never replaced, and a link stays a link.
        struct stat after;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_ino, node.st_ino);
        QCOMPARE(after.st_mode & S_IFMT, node.st_mode & S_IFMT);
        QCOMPARE(QFileInfo(path).isSymLink(), kind == "link");
        QCOMPARE(ProfileSnapshot(path).read("Vorda", "Strong", "none"), std::string("none"));
    }
    // No temporary file is left behind beside the settings file.
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, fileExists || kind == "link" ? QStringList{QFileInfo(path).fileName()}
                                                : QStringList{});
    QVERIFY(QDir(folder).removeRecursively());
}

void ProfileFileTest::writesWhereThePlayerCanWrite_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("written");
    QTest::newRow("through a link to a file, the link kept") << QStringLiteral("link") << true;
    // Written in place, a kill in the middle would tear it: it is left whole, with a message.
    QTest::newRow("a writable file in a folder the player may not change: not written")
        << QStringLiteral("shared") << false;
}

void ProfileFileTest::writesWhereThePlayerCanWrite() {
    QFETCH(QString, kind);
    QFETCH(bool, written);
    const QByteArray before = "[Vorda]\r\nStrong=4\r\n";
    const QString folder = folder_.filePath(QStringLiteral("case"));
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + QStringLiteral("/Vorda2000.ini");
    QString file = path;
    if (kind == QStringLiteral("link")) {
        QVERIFY(QDir().mkpath(folder + "/real"));
        file = folder + QStringLiteral("/real/mine.ini");
        QVERIFY(QFile::link("real/mine.ini", path));
    }
    QVERIFY(writeBytes(file, before));
    const bool root = ::geteuid() == 0;
    if (kind == QStringLiteral("shared")) {
        // As root, the write is made with the file rights of an ordinary user, who may write
        // the file but not its folder.
        const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                         QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QVERIFY(QFile::setPermissions(file, all));
        const auto readAndSearch = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                   QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(folder, readAndSearch));
        QVERIFY(QFile::setPermissions(folder_.path(), readAndSearch | QFile::WriteOwner));
        if (root)
            ::setfsuid(65534);
    }
    QString message;
    try {
        writeProfileString(path, "Vorda", "Strong", "6");
    } catch (const VordaError& error) {
        message = error.text();
    }
    if (root)
        ::setfsuid(0);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(message, written ? QString() : QStringLiteral("Unable to write to ") + path);
    QCOMPARE(readBytes(file), written ? QByteArray("[Vorda]\r\nStrong=6\r\n") : before);
    QCOMPARE(QFileInfo(path).isSymLink(), kind == QStringLiteral("link"));
    QVERIFY(QDir(folder).removeRecursively());
}

void ProfileFileTest::accompanyingFileHasEveryText_data() {
    QTest::addColumn<QByteArray>("section");
    QTest::newRow("Russian") << QByteArray("Russian");
    QTest::newRow("English") << QByteArray("English");
}

// The settings file that accompanies the game holds every text the interface reads, in both
// languages, and its separators stay separators.
void ProfileFileTest::accompanyingFileHasEveryText() {
    QFETCH(QByteArray, section);
    const QString path = QStringLiteral(VORDA_SOURCE_DIR "/dist/Vorda2000.ini");
    const QByteArray bytes = readBytes(path);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));

    const char* const keys[] = {"Title",
                                "Menu_Game",
                                "Menu_NewGame",
                                "Menu_Records",
                                "Menu_None1",
                                "Menu_Exit",
                                "Menu_Options",
                                "Menu_Chooselanguage",
                                "Menu_Russian",
                                "Menu_English",
                                "Menu_CPU",
                                "Menu_Textures",
                                "Menu_Sound",
                                "Menu_Help",
                                "Menu_Help1",
                                "Menu_About",
                                "Menu_none2",
                                "Menu_Visit",
                                "Menu_Pelmarov1",
                                "Menu_Pelmarov2",
                                "Menu_CreateShortcut",
                                "SkipButton",
                                "AdviceButton",
                                "Wait",
                                "AddWord1",
                                "AddWord2",
                                "Yes",
                                "No",
                                "CPU_Label1",
                                "CPU_Label2",
                                "WinnersButton1",
                                "WinnersButton2",
                                "Sure",
                                "GameOver",
                                "Anonimous",
                                "AddRating1",
                                "AddRating2",
                                "AddRating3",
                                "UseSkins"};
    for (const char* key : keys) {
        const std::string text = readProfileString(path, View(section), key, "");
        QVERIFY2(!text.empty(), key);
    }
    QCOMPARE(readProfileString(path, View(section), "Menu_None1", ""), std::string("-"));
    QCOMPARE(readProfileString(path, View(section), "Menu_none2", ""), std::string("-"));
    QCOMPARE(readProfileString(path, "Vorda", "LanguageNumber", ""), std::string("1"));
    QCOMPARE(readProfileString(path, "Images", "UseSkins", ""), std::string("1"));
}

QTEST_GUILESS_MAIN(ProfileFileTest)
#include "tst_profile.moc"
