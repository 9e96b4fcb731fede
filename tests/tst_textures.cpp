// The texture slots: skins, chosen picture files, JPEG and bitmap decoding, and the textures
// window driven through its controls.
#include "extras/TextureChoice.h"
#include "extras/TexturesWindow.h"
#include "platform/Cp1251.h"
#include "platform/JpegReader.h"
#include "platform/ProfileFile.h"
#include "platform/VordaError.h"
#include "settings/SettingsFile.h"
#include "skin/CoolCheckBox.h"
#include "skin/CoolControls.h"
#include "skin/CoolListBox.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TestPhoto.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QListWidget>
#include <QtEndian>
#include <QtTest>

#include <malloc.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
const QStringList kRussianWords = {QString::fromUtf8("КОШКА")};
const QStringList kEnglishWords = {"HOUSE"};
const char* const kBuiltIn[kTextureSlots] = {"BUTTONS", "POLE1", "POLE2", "LETTER1", "LETTER2",
                                             "WALL1",   "WALL2", "WALL3", "BUTTONS", "BUTTONS"};

// A valid 1 × 1 GIF picture (Qt reads GIF but cannot write it).
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000"
                                            "002c00000000010001000002024401003b");

// A square picture unless a height is given.
QImage solid(const QColor& colour, int width = 24, int height = 0) {
    QImage image(width, height > 0 ? height : width, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A picture with detail everywhere, so that a JPEG of it cut in half loses real data.
QImage pattern(int size = 64) {
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) * 4 % 256));
    return image;
}

QByteArray encoded(const QImage& image, const char* format, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("cannot encode a test picture");
    return bytes;
}

// A small picture whose header claims another size: a JPEG's frame header holds the height and
// the width big-endian; a bitmap's information header the width and height little-endian (a
// negative height meaning rows stored top-down).
QByteArray claiming(const char* format, int width, int height, bool progressive = false) {
    QByteArray bytes = encoded(solid(Qt::red, 8, 8), format, progressive);
    if (QByteArray(format) == "JPEG") {
        const qsizetype frame = bytes.indexOf(progressive ? "\xff\xc2" : "\xff\xc0");
        if (frame < 0)
            qFatal("no frame header in the test JPEG");
        qToBigEndian<quint16>(quint16(height), bytes.data() + frame + 5);
        qToBigEndian<quint16>(quint16(width), bytes.data() + frame + 7);
    } else {
        qToLittleEndian<qint32>(width, bytes.data() + 18);
        qToLittleEndian<qint32>(height, bytes.data() + 22);
    }
    return bytes;
}

// A photo made with libjpeg (see TestPhoto): "WxH" and any of "cmyk", "inverted-cmyk", "ycck",
// "exif6" (any orientation) and "big-endian" (the EXIF segment's byte order).
QByteArray photo(const QString& description) {
    const QStringList words = description.split(' ');
    TestPhoto made;
    made.width = words[0].section('x', 0, 0).toInt();
    made.height = words[0].section('x', 1).toInt();
    for (const QString& word : words.mid(1)) {
        if (word == "cmyk")
            made.colours = TestPhoto::Colours::Cmyk;
        else if (word == "inverted-cmyk")
            made.colours = TestPhoto::Colours::InvertedCmyk;
        else if (word == "ycck")
            made.colours = TestPhoto::Colours::Ycck;
        else if (word.startsWith("exif"))
            made.orientation = word.mid(4).toInt();
        else if (word == "big-endian")
            made.exifBigEndian = true;
        else
            qFatal("unknown photo option %s", qPrintable(word));
    }
    return makeTestPhoto(made);
}

// Writes a test picture below the textures folder. The kind is a colour ("#rrggbb", saved in
// the format its extension names), "size WxH" (a red picture of that size), "claims WxH" or
// "claims WxH progressive" (see claiming), "photo ..." (see photo), "zeros N" (N zero bytes, taking
// no room on the disk), "gif", "truncated" (half a JPEG file) or "text".
void writePicture(const QString& relativePath, const QString& kind) {
    const QString path = ChosenTextures.texturesDir + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    const char* format = path.endsWith(".jpg", Qt::CaseInsensitive) ? "JPEG" : "BMP";
    QByteArray bytes;
    if (kind.startsWith("claims ")) {
        const QString size = kind.section(' ', 1, 1);
        bytes = claiming(format, size.section('x', 0, 0).toInt(), size.section('x', 1).toInt(),
                         kind.endsWith(" progressive"));
    } else if (kind.startsWith("size "))
        bytes = encoded(solid(Qt::red, kind.mid(5).section('x', 0, 0).toInt(),
                              kind.mid(5).section('x', 1).toInt()),
                        format);
    else if (kind.startsWith("photo "))
        bytes = photo(kind.mid(6));
    else if (kind == "gif")
        bytes = kGif;
    else if (kind == "truncated")
        bytes = encoded(pattern(), "JPEG").left(encoded(pattern(), "JPEG").size() / 2);
    else if (kind == "text")
        bytes = "not a picture\r\n";
    else
        bytes = encoded(solid(QColor(kind)), format);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    if (kind.startsWith("zeros ") && !file.resize(kind.mid(6).toLongLong()))
        qFatal("cannot size %s", qPrintable(path));
}

// The growth of the process's memory at its peak since the object was made: the kernel keeps
// the peak of the resident memory, and starts it again from what is resident now when told.
class PeakMemory {
public:
    PeakMemory() {
        malloc_trim(0); // memory freed before is given back, so it cannot hide new memory
        QFile clear("/proc/self/clear_refs");
        if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
            qFatal("cannot reset the peak of the memory");
        clear.close();
        start_ = kilobytes("VmRSS:");
    }
    qint64 growth() const { return (kilobytes("VmHWM:") - start_) * 1024; }

private:
    static qint64 kilobytes(const QByteArray& field) {
        QFile status("/proc/self/status");
        if (!status.open(QIODevice::ReadOnly))
            qFatal("cannot read the process's status");
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith(field))
                return line.mid(field.size()).trimmed().split(' ').first().toLongLong();
        qFatal("no %s in the process's status", field.constData());
    }
    qint64 start_ = 0;
};

bool sameColour(QRgb a, QRgb b, int tolerance) {
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

bool showsBuiltIn(const QPixmap& picture, int slot) {
    return picture.toImage().convertToFormat(QImage::Format_RGB32) ==
           loadResourceBitmap(kBuiltIn[slot]).convertToFormat(QImage::Format_RGB32);
}

// "builtin", "builtin NAME" for another slot's built-in picture, or the colour a slot shows.
QString describeSlot(int slot) {
    if (showsBuiltIn(textureBitmaps[slot], slot))
        return "builtin";
    for (int other = 0; other < kTextureSlots; ++other)
        if (showsBuiltIn(textureBitmaps[slot], other))
            return QString("builtin ") + kBuiltIn[other];
    return textureBitmaps[slot].toImage().pixelColor(5, 5).name();
}

void setChosenFiles(const QStringList& names) {
    for (int slot = 0; slot < kTextureSlots; ++slot)
        ChosenTextures.textureFiles[slot] =
            slot < names.size() ? unicodeToCp1251(names[slot]) : std::string();
}

QStringList chosenFiles() {
    QStringList names;
    for (const std::string& name : ChosenTextures.textureFiles)
        names << cp1251ToUnicode(name);
    return names;
}

void clickButton(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void clickLine(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void clickLine(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable("no line " + text));
    clickLine(list, list->row(found.first()));
}

QStringList lines(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QStringList items(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Opens the textures window through the menu, runs the action in it and closes it with OK.
void inTexturesWindow(GameFixture& game, const std::function<void()>& action) {
    bool ran = false;
    whenDialogShows([&](QDialog*) {
        action();
        ran = true;
        clickButton(game.window().dialogs().imagesWindow().okButton);
    });
    game.window().menu().texturesItem->trigger();
    settleDialogs();
    QVERIFY(ran);
}
} // namespace

class TestTextures : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        // The textures window made a temporary folder the current directory.
        QDir::setCurrent(QDir::tempPath());
    }

    void decodesJpeg_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QSize>("size");
        QTest::newRow("baseline colour")
            << encoded(solid(QColor(200, 40, 90), 33), "JPEG") << QSize(33, 33);
        QTest::newRow("greyscale")
            << encoded(solid(QColor(128, 128, 128), 20).convertToFormat(QImage::Format_Grayscale8),
                       "JPEG")
            << QSize(20, 20);
        QTest::newRow("progressive")
            << encoded(solid(QColor(200, 40, 90), 40), "JPEG", true) << QSize(40, 40);
        QTest::newRow("truncated file") << encoded(pattern(), "JPEG").left(300) << QSize();
        QTest::newRow("empty") << QByteArray() << QSize();
        QTest::newRow("a bitmap's bytes") << encoded(solid(Qt::red), "BMP") << QSize();
        QTest::newRow("header only") << encoded(pattern(), "JPEG").left(20) << QSize();
        // Damage other viewers show the whole picture despite, and damage they cannot.
        const QByteArray whole = encoded(pattern(), "JPEG");
        QByteArray stray = whole;
        stray.insert(stray.indexOf("\xff\xdb"), "\x01\x02\x03");
        QTest::newRow("three stray bytes before a marker") << stray << QSize(64, 64);
        QByteArray version = whole;
        version[version.indexOf("JFIF") + 5] = 2;
        version[version.indexOf("JFIF") + 6] = 1;
        QTest::newRow("JFIF version 2.01") << version << QSize(64, 64);
        QTest::newRow("end marker cut off") << whole.chopped(1) << QSize(64, 64);
        const qsizetype data = whole.indexOf("\xff\xda");
        QTest::newRow("cut off inside the picture data")
            << whole.left(data + (whole.size() - data) / 2) << QSize();
        const QByteArray progressive = encoded(pattern(), "JPEG", true);
        QTest::newRow("progressive, cut off before its last scan")
            << progressive.left(progressive.lastIndexOf("\xff\xda")) << QSize();
    }
    void decodesJpeg() {
        QFETCH(QByteArray, data);
        QFETCH(QSize, size);
        const QImage image = decodeJpeg(data);
        QCOMPARE(image.size(), size.isValid() ? size : QSize(0, 0));
        QCOMPARE(image.isNull(), !size.isValid());
        if (!image.isNull()) {
            const QImage reference = QImage::fromData(data, "JPEG");
            QVERIFY(!reference.isNull());
            QVERIFY(sameColour(image.pixel(size.width() / 2, size.height() / 2),
                               reference.pixel(size.width() / 2, size.height() / 2), 3));
        }
    }

    void loadsTheSlots_data() {
        QTest::addColumn<bool>("useSkins");
        QTest::addColumn<QString>("skinName");
        QTest::addColumn<QStringList>("pictures"); // "path=kind" below the textures folder
        QTest::addColumn<QStringList>("chosen");   // textureFiles before the load
        QTest::addColumn<QStringList>("expected"); // per slot "builtin" or a colour
        QTest::addColumn<QStringList>("chosenAfter");
        QTest::addColumn<int>("errorBoxes");

        const QStringList allBuiltIn(kTextureSlots, "builtin");
        const QStringList noFiles(kTextureSlots, QString());
        auto with = [](QStringList list, int slot, const QString& value) {
            list[slot] = value;
            return list;
        };
        QTest::newRow("first run: digit pictures of the textures folder")
            << true << QString() << QStringList{"3.bmp=#ff0000", "8.jpg=#0000ff", "x.bmp=#00ff00"}
            << noFiles << with(with(allBuiltIn, 3, "#ff0000"), 8, "#0000ff") << noFiles << 0;
        QTest::newRow("skin: jpg wins over bmp")
            << true << "Stone" << QStringList{"Stone/3.bmp=#ff0000", "Stone/3.jpg=#00ff00"}
            << noFiles << with(allBuiltIn, 3, "#00ff00") << noFiles << 0;
        QTest::newRow("skin: extensions in any case")
            << true << "Stone" << QStringList{"Stone/3.JPG=#00ff00", "Stone/4.Bmp=#ff0000"}
            << noFiles << with(with(allBuiltIn, 3, "#00ff00"), 4, "#ff0000") << noFiles << 0;
        QTest::newRow("skin: a slot without a picture keeps the built-in one")
            << true << "Stone" << QStringList{"Stone/0.bmp=#ff0000", "9.bmp=#00ff00"} << noFiles
            << with(allBuiltIn, 0, "#ff0000") << noFiles << 0;
        QTest::newRow("skin: chosen files are neither read nor forgotten")
            << true << "Stone" << QStringList{"Stone/1.bmp=#ff0000"} << with(noFiles, 4, "gone.bmp")
            << with(allBuiltIn, 1, "#ff0000") << with(noFiles, 4, "gone.bmp") << 0;
        QTest::newRow("skin: only a slot's own number names its picture")
            << true << "Stone" << QStringList{"Stone/03.jpg=#ff0000", "Stone/3.bmp.jpg=#ff0000",
                                              "Stone/+5.bmp=#ff0000", "Stone/10.jpg=#ff0000",
                                              "Stone/6.png=#ff0000",  "Stone/7.jpg=#0000ff"}
            << noFiles << with(allBuiltIn, 7, "#0000ff") << noFiles << 0;
        QTest::newRow("skin: undecodable digit picture")
            << true << "Stone" << QStringList{"Stone/2.jpg=truncated"} << noFiles << allBuiltIn
            << noFiles << 1;
        QTest::newRow("files: chosen bitmap and JPEG")
            << false << QString() << QStringList{"wall.bmp=#ff0000", "cell.jpg=#0000ff"}
            << with(with(noFiles, 5, "wall.bmp"), 1, "cell.jpg")
            << with(with(allBuiltIn, 5, "#ff0000"), 1, "#0000ff")
            << with(with(noFiles, 5, "wall.bmp"), 1, "cell.jpg") << 0;
        QTest::newRow("files: a deleted file is forgotten")
            << false << QString() << QStringList{} << with(noFiles, 4, "gone.jpg") << allBuiltIn
            << noFiles << 0;
        QTest::newRow("files: a folder is no file")
            << false << QString() << QStringList{"dir.bmp/0.bmp=#ff0000"}
            << with(noFiles, 4, "dir.bmp") << allBuiltIn << noFiles << 0;
        QTest::newRow("files: names are case-sensitive")
            << false << QString() << QStringList{"wall.bmp=#ff0000"} << with(noFiles, 5, "WALL.bmp")
            << allBuiltIn << noFiles << 0;
        QTest::newRow("files: corrupt jpg for slot 6")
            << false << QString() << QStringList{"bad.jpg=truncated"} << with(noFiles, 6, "bad.jpg")
            << allBuiltIn << with(noFiles, 6, "bad.jpg") << 1;
        QTest::newRow("files: a GIF picture is undecodable")
            << false << QString() << QStringList{"pic.gif=gif"} << with(noFiles, 6, "pic.gif")
            << allBuiltIn << with(noFiles, 6, "pic.gif") << 1;
        QTest::newRow("files: text named .bmp")
            << false << QString() << QStringList{"fake.bmp=text"} << with(noFiles, 0, "fake.bmp")
            << allBuiltIn << with(noFiles, 0, "fake.bmp") << 1;
        QTest::newRow("files: a later slot with the same undecodable file copies the first")
            << false << QString() << QStringList{"fake.bmp=text", "ok.bmp=#00ff00"}
            << with(with(with(noFiles, 0, "fake.bmp"), 3, "fake.bmp"), 4, "ok.bmp")
            << with(with(allBuiltIn, 4, "#00ff00"), 3, "builtin BUTTONS")
            << with(with(with(noFiles, 0, "fake.bmp"), 3, "fake.bmp"), 4, "ok.bmp") << 1;
        QTest::newRow("files: Russian file name")
            << false << QString() << QStringList{QString::fromUtf8("стена.bmp=#ff0000")}
            << with(noFiles, 5, QString::fromUtf8("стена.bmp")) << with(allBuiltIn, 5, "#ff0000")
            << with(noFiles, 5, QString::fromUtf8("стена.bmp")) << 0;
    }
    void loadsTheSlots() {
        QFETCH(bool, useSkins);
        QFETCH(QString, skinName);
        QFETCH(QStringList, pictures);
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, chosenAfter);
        QFETCH(int, errorBoxes);

        GameFixture game(kRussianWords, kEnglishWords);
        for (const QString& picture : pictures)
            writePicture(picture.section('=', 0, 0), picture.section('=', 1));
        ChosenTextures.useSkins = useSkins;
        ChosenTextures.skinName = unicodeToCp1251(skinName);
        setChosenFiles(chosen);
        game.errors().texts.clear();
        loadTextures();

        QStringList shown;
        for (int slot = 0; slot < kTextureSlots; ++slot)
            shown << describeSlot(slot);
        // JPEG colours come back within a step or two of the saved ones.
        for (int slot = 0; slot < kTextureSlots; ++slot)
            if (shown[slot] != expected[slot] && expected[slot].startsWith('#') &&
                sameColour(QColor(shown[slot]).rgb(), QColor(expected[slot]).rgb(), 4))
                shown[slot] = expected[slot];
        QCOMPARE(shown, expected);
        QCOMPARE(chosenFiles(), chosenAfter);
        QCOMPARE(game.errors().texts, QStringList(errorBoxes, "Unknown graphic format"));
        QCOMPARE(game.window().clientArea()->wallpaper().cacheKey() == textureBitmaps[5].cacheKey(),
                 false); // the controls change only at the next applyTextures
        applyTextures();
        QCOMPARE(game.window().clientArea()->wallpaper().toImage(), textureBitmaps[5].toImage());
    }

    void theSampleTexturesDecode_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("Sandstone.jpg") << "Sandstone.jpg" << QSize(64, 64);
        QTest::newRow("Slate.bmp") << "Slate.bmp" << QSize(40, 40);
        QTest::newRow("Meadow/0.jpg") << "Meadow/0.jpg" << QSize(64, 64);
        QTest::newRow("Meadow/5.bmp, 8-bit") << "Meadow/5.bmp" << QSize(64, 64);
        QTest::newRow("Meadow/6.jpg") << "Meadow/6.jpg" << QSize(48, 48);
    }
    void theSampleTexturesDecode() {
        QFETCH(QString, file);
        QImage image;
        QCOMPARE(readPictureFile(VORDA_SOURCE_DIR "/dist/Textures/" + file, image),
                 PictureReadResult::Decoded);
        QTEST(image.size(), "size");
    }

    void aPictureForSeveralSlotsIsDecodedOnce() {
        GameFixture game(kRussianWords, kEnglishWords);
        writePicture("same.jpg", "#00ff00");
        writePicture("other.bmp", "#ff0000");
        ChosenTextures.useSkins = false;
        setChosenFiles({"", "other.bmp", "same.jpg", "", "", "same.jpg", "", "same.jpg"});
        loadTextures();
        // A picture decoded again would be a new pixmap; the later slots share the first one.
        QCOMPARE(textureBitmaps[5].cacheKey(), textureBitmaps[2].cacheKey());
        QCOMPARE(textureBitmaps[7].cacheKey(), textureBitmaps[2].cacheKey());
        QVERIFY(textureBitmaps[1].cacheKey() != textureBitmaps[2].cacheKey());
        QVERIFY(sameColour(textureBitmaps[7].toImage().pixel(3, 3), qRgb(0, 255, 0), 4));
        // So do the slots that wear one built-in picture, and only those.
        QCOMPARE(textureBitmaps[8].cacheKey(), textureBitmaps[0].cacheKey());
        QCOMPARE(textureBitmaps[9].cacheKey(), textureBitmaps[0].cacheKey());
        QVERIFY(textureBitmaps[4].cacheKey() != textureBitmaps[3].cacheKey());
        // The next pass, as every choice in the textures window makes one, decodes only a file
        // that changed since.
        const qint64 same = textureBitmaps[2].cacheKey();
        const qint64 other = textureBitmaps[1].cacheKey();
        loadTextures();
        QCOMPARE(textureBitmaps[2].cacheKey(), same);
        QCOMPARE(textureBitmaps[1].cacheKey(), other);
        writePicture("other.bmp", "size 32x32");
        loadTextures();
        QCOMPARE(textureBitmaps[2].cacheKey(), same);
        QCOMPARE(textureBitmaps[1].size(), QSize(32, 32));
    }

    // A slot whose picture cannot be had shows the built-in picture, with one message. A skin
    // picture that is not a regular file is never opened: a FIFO would block the start, a
    // device give bytes without end.
    void slotFallsBackToTheBuiltInPicture_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("decoded before, then undecodable") << "undecodable"
                                                          << "Unknown graphic format";
        QTest::newRow("a FIFO as a skin picture") << "fifo"
                                                  << "not a regular file";
        QTest::newRow("a link to a device giving zeros") << "zeros"
                                                         << "not a regular file";
    }
    void slotFallsBackToTheBuiltInPicture() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        GameFixture game(kRussianWords, kEnglishWords);
        ChosenTextures.useSkins = true;
        ChosenTextures.skinName = "Stone";
        const QString path = ChosenTextures.texturesDir + "/Stone/0.jpg";
        const QByteArray name = QFile::encodeName(path);
        writePicture("Stone/1.jpg", "#00ff00");
        if (kind == "undecodable") {
            writePicture("Stone/0.jpg", "#ff0000");
            loadTextures();
            QVERIFY(describeSlot(0) != "builtin");
            writePicture("Stone/0.jpg", "text");
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        } else {
            const QString zero = ChosenTextures.texturesDir + "/zero";
            if (::mknod(QFile::encodeName(zero).constData(), S_IFCHR | 0666, makedev(1, 5)) != 0)
                QSKIP("device nodes can be made only by root");
            QVERIFY(QFile::link(zero, path));
        }
        game.errors().texts.clear();
        // A reading that blocks ends the test here.
        ::alarm(60);
        loadTextures();
        ::alarm(0);
        QCOMPARE(describeSlot(0), "builtin");
        QVERIFY(sameColour(textureBitmaps[1].toImage().pixel(3, 3), qRgb(0, 255, 0), 4));
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY2(game.errors().texts[0].contains(message), qPrintable(game.errors().texts[0]));
    }

    // A picture dresses its slot within the limits, whatever its size and colours: a JPEG too
    // large is decoded smaller, a bitmap too large and a JPEG too large even at 1/8 are refused
    // by their header before any memory is taken (the slot keeps its built-in picture, the
    // slots after it are still dressed). Memory never grows by more than the limit.
    void aPictureDressesItsSlotWithinTheLimits_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSize>("shown");         // invalid when refused
        QTest::addColumn<QString>("refused");     // the size the message names
        QTest::addColumn<QStringList>("samples"); // "x,y=#rrggbb"
        const QSize none;
        // A photo's parts (see TestPhoto) and where they show, untouched or turned.
        auto parts = [](QSize size) {
            const int w = size.width(), h = size.height();
            return QStringList{QString("%1,%2=#ff0000").arg(w / 4).arg(h / 4),
                               QString("%1,%2=#0000ff").arg(w * 3 / 4).arg(h / 4),
                               QString("%1,%2=#5fbf5f").arg(w / 2).arg(h * 3 / 4)};
        };
        auto turnedRight = [](QSize size) {
            const int w = size.width(), h = size.height();
            return QStringList{QString("%1,%2=#ff0000").arg(w * 3 / 4).arg(h / 4),
                               QString("%1,%2=#0000ff").arg(w * 3 / 4).arg(h * 3 / 4),
                               QString("%1,%2=#5fbf5f").arg(w / 4).arg(h / 2)};
        };
        auto turnedLeft = [](QSize size) {
            const int w = size.width(), h = size.height();
            return QStringList{QString("%1,%2=#ff0000").arg(w / 4).arg(h * 3 / 4),
                               QString("%1,%2=#0000ff").arg(w / 4).arg(h / 4),
                               QString("%1,%2=#5fbf5f").arg(w * 3 / 4).arg(h / 2)};
        };
        QTest::newRow("camera photo of 6000 x 4000 is halved")
            << "holiday.jpg"
            << "photo 6000x4000" << QSize(3000, 2000) << "" << parts({3000, 2000});
        QTest::newRow("panorama of 12000 x 64 at a quarter")
            << "wide.jpg"
            << "photo 12000x64" << QSize(3000, 16) << "" << parts({3000, 16});
        QTest::newRow("panorama of 30000 x 64 at an eighth")
            << "wide.jpg"
            << "photo 30000x64" << QSize(3750, 8) << "" << parts({3750, 8});
        QTest::newRow("JPEG one pixel too wide is halved")
            << "wide.jpg"
            << "size 4097x16" << QSize(2049, 8) << "" << QStringList{"1024,4=#ff0000"};
        QTest::newRow("JPEG as wide as it may be")
            << "wide.jpg"
            << "size 4096x16" << QSize(4096, 16) << "" << QStringList{};
        QTest::newRow("JPEG of 40000 x 40000, too large at 1/8")
            << "big.jpg"
            << "claims 40000x40000" << none << "40000 x 40000 pixels" << QStringList{};
        // Its coefficients, kept whole at any scale, would take more than the largest picture
        // at full size does.
        QTest::newRow("progressive JPEG of 8000 x 8000")
            << "big.jpg"
            << "claims 8000x8000 progressive" << none << "8000 x 8000 pixels" << QStringList{};
        QTest::newRow("CMYK") << "print.jpg"
                              << "photo 40x24 cmyk" << QSize(40, 24) << "" << parts({40, 24});
        QTest::newRow("inverted CMYK")
            << "print.jpg"
            << "photo 40x24 inverted-cmyk" << QSize(40, 24) << "" << parts({40, 24});
        QTest::newRow("YCCK") << "print.jpg"
                              << "photo 40x24 ycck" << QSize(40, 24) << "" << parts({40, 24});
        QTest::newRow("photo taken upright (EXIF orientation 6) is turned right")
            << "upright.jpg"
            << "photo 40x24 exif6" << QSize(24, 40) << "" << turnedRight({24, 40});
        QTest::newRow("EXIF orientation 8 in big-endian order is turned left")
            << "upright.jpg"
            << "photo 40x24 exif8 big-endian" << QSize(24, 40) << "" << turnedLeft({24, 40});
        QTest::newRow("bitmap of 16000 x 16000")
            << "big.bmp"
            << "claims 16000x16000" << none << "16000 x 16000 pixels" << QStringList{};
        QTest::newRow("bitmap stored top-down, too tall")
            << "tall.bmp"
            << "claims 16x-5000" << none << "16 x 5000 pixels" << QStringList{};
        QTest::newRow("bitmap one pixel too tall")
            << "tall.bmp"
            << "claims 16x4097" << none << "16 x 4097 pixels" << QStringList{};
        QTest::newRow("bitmap as tall as it may be")
            << "tall.bmp"
            << "size 16x4096" << QSize(16, 4096) << "" << QStringList{};
        QTest::newRow("bitmap as wide as it may be")
            << "wide.bmp"
            << "size 4096x16" << QSize(4096, 16) << "" << QStringList{};
        QTest::newRow("file over the byte limit, refused before reading")
            << "huge.jpg"
            << "zeros 80000000" << none << "76 MB" << QStringList{};
    }
    void aPictureDressesItsSlotWithinTheLimits() {
        QFETCH(QString, file);
        QFETCH(QString, kind);
        QFETCH(QSize, shown);
        QFETCH(QString, refused);
        QFETCH(QStringList, samples);
        GameFixture game(kRussianWords, kEnglishWords);
        writePicture(file, kind);
        writePicture("ok.bmp", "#00ff00");
        ChosenTextures.useSkins = false;
        setChosenFiles({"", file, "", "", "", "ok.bmp"});
        game.errors().texts.clear();
        const PeakMemory memory;
        loadTextures();
        const qint64 growth = memory.growth();
        QVERIFY2(growth <= kMaxPictureBytes, qPrintable(QString("%1 bytes").arg(growth)));
        if (shown.isValid()) {
            QCOMPARE(game.errors().texts, QStringList());
            QCOMPARE(textureBitmaps[1].size(), shown);
        } else {
            QCOMPARE(game.errors().texts.size(), 1);
            QVERIFY2(game.errors().texts[0].contains(file + "\" is " + refused),
                     qPrintable(game.errors().texts[0]));
            QVERIFY(showsBuiltIn(textureBitmaps[1], 1));
        }
        const QImage picture = textureBitmaps[1].toImage();
        for (const QString& sample : samples) {
            const QPoint at(sample.section(',', 0, 0).toInt(),
                            sample.section(',', 1).section('=', 0, 0).toInt());
            const QColor colour = picture.pixelColor(at);
            QVERIFY2(sameColour(colour.rgb(), QColor(sample.section('=', 1)).rgb(), 6),
                     qPrintable(sample + " shows " + colour.name()));
        }
        QCOMPARE(describeSlot(5), QString("#00ff00"));
    }

    // A chosen picture that has gone is forgotten at the start, and the player is told which,
    // in the game's language.
    void aGonePictureIsNamed_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Russian") << QByteArray()
                                 << QString::fromUtf8("«gone.jpg» для текстуры «главное окно»");
        QTest::newRow("English") << GameFixture::englishSettings()
                                 << QStringLiteral("\"gone.jpg\" chosen for the main window");
    }
    void aGonePictureIsNamed() {
        QFETCH(QByteArray, settings);
        QFETCH(QString, expected);
        GameFixture game(kRussianWords, kEnglishWords, settings, [](const TestGameFolder& folder) {
            writeProfileStrings(folder.path() + "Vorda2000.ini",
                                {{"Images", "UseSkins", "0"}, {"Images", "Image5", "gone.jpg"}});
        });
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY2(game.errors().texts[0].contains(expected), qPrintable(game.errors().texts[0]));
        QCOMPARE(chosenFiles()[5], QString());
    }

    void aPictureThatCannotBeReadRaises_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("missing") << "missing.jpg";
        // Never opened for reading: a device could never end the reading.
        QTest::newRow("a device with a picture's name") << "device.bmp";
    }
    void aPictureThatCannotBeReadRaises() {
        QFETCH(QString, file);
        GameFixture game(kRussianWords, kEnglishWords);
        const QString path = ChosenTextures.texturesDir + "/" + file;
        if (file.startsWith("device") &&
            ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("device nodes can be made only by root");
        QImage image;
        bool raised = false;
        try {
            readPictureFile(path, image);
        } catch (const VordaError& error) {
            raised = error.kind() == VordaError::Kind::InputOutput && error.text().contains(file);
        }
        QVERIFY(raised);
    }

    void applyingBeforeTheWindowsExistRaisesNothing() {
        TestGameFolder folder;
        GameServices services;
        initSettingsFile(services.settingsFile());
        initTextures();
        loadTextures();
        applyTextures();
        // The textures window made alone, before any main window, dresses itself.
        TexturesWindow window(nullptr, services);
        QCOMPARE(window.clientArea->wallpaper().toImage(), textureBitmaps[6].toImage());
        QCOMPARE(QDir::current().canonicalPath(), QDir(ChosenTextures.texturesDir).canonicalPath());
    }

    void openingTheWindow() {
        GameFixture game(kRussianWords, kEnglishWords);
        writePicture("b.jpg", "#0000ff");
        writePicture("a.bmp", "#ff0000");
        writePicture(".hidden.bmp", "#ff0000");
        writePicture("UPPER.JPG", "#ff0000");
        writePicture("notes.txt", "text");
        writePicture("pic.gif", "gif");
        writePicture("folder.bmp/0.bmp", "#ff0000");
        ChosenTextures.useSkins = false;
        setChosenFiles({"a.bmp"});
        loadTextures();
        int row = -1;
        int height = 0;
        QString title;
        QStringList files;
        QImage preview;
        bool fileSelected = false;
        inTexturesWindow(game, [&] {
            row = game.window().dialogs().imagesWindow().slotList->currentRow();
            title = game.window().dialogs().imagesWindow().windowTitle();
            height = game.window().dialogs().imagesWindow().clientArea->height();
            files = lines(game.window().dialogs().imagesWindow().pictureList);
            preview = game.window().dialogs().imagesWindow().preview->picture().toImage();
            fileSelected =
                game.window().dialogs().imagesWindow().pictureList->currentItem() &&
                game.window().dialogs().imagesWindow().pictureList->currentItem()->text() ==
                    "a.bmp";
            // Slot 3 chosen, then the window closes and opens again at slot 0.
            clickLine(game.window().dialogs().imagesWindow().slotList, 3);
        });
        QCOMPARE(row, 0);
        QCOMPARE(title, cp1251ToUnicode(game.services().languageText("Menu_Textures")));
        QCOMPARE(height, 345);
        QCOMPARE(files, (QStringList{".hidden.bmp", "a.bmp", "b.jpg", "UPPER.JPG"}));
        QCOMPARE(preview, textureBitmaps[0].toImage());
        QVERIFY(fileSelected);
        QCOMPARE(game.window().dialogs().imagesWindow().slotList->currentRow(), 3);

        // Pictures added since the last showing appear at the next one.
        writePicture("c.bmp", "#00ff00");
        inTexturesWindow(game, [&] {
            row = game.window().dialogs().imagesWindow().slotList->currentRow();
            files = lines(game.window().dialogs().imagesWindow().pictureList);
        });
        QCOMPARE(row, 0);
        QCOMPARE(files, (QStringList{".hidden.bmp", "a.bmp", "b.jpg", "c.bmp", "UPPER.JPG"}));
        QVERIFY(game.services().game().mainInputEnabled);
        QVERIFY(game.errors().texts.isEmpty());
    }

    void choosingFilesInTheWindow() {
        GameFixture game(kRussianWords, kEnglishWords);
        writePicture("wall.bmp", "#ff0000");
        writePicture("cell.jpg", "#0000ff");
        writePicture("bad.jpg", "truncated");
        ChosenTextures.useSkins = false;
        setChosenFiles({});
        loadTextures();
        applyTextures();
        game.errors().texts.clear();
        QImage background, previewSlot5, resetBackground;
        QString fileShownForSlot5;
        int selectedAfterReset = 0;
        QString slot5Name;
        QStringList boxesAfterBad;
        inTexturesWindow(game, [&] {
            clickLine(game.window().dialogs().imagesWindow().slotList, 5);
            clickLine(game.window().dialogs().imagesWindow().pictureList, "wall.bmp");
            // The main window behind the modal one is dressed at once.
            background = game.window().clientArea()->wallpaper().toImage();
            previewSlot5 = game.window().dialogs().imagesWindow().preview->picture().toImage();
            // The same file for slot 2 too; slot 6 gets a damaged picture.
            clickLine(game.window().dialogs().imagesWindow().slotList, 2);
            clickLine(game.window().dialogs().imagesWindow().pictureList, "wall.bmp");
            clickLine(game.window().dialogs().imagesWindow().slotList, 6);
            clickLine(game.window().dialogs().imagesWindow().pictureList, "bad.jpg");
            boxesAfterBad = game.errors().texts;
            game.errors().texts.clear();
            // Back to slot 5, whose file shows selected; the reset button brings back WALL1.
            clickLine(game.window().dialogs().imagesWindow().slotList, 5);
            fileShownForSlot5 =
                game.window().dialogs().imagesWindow().pictureList->currentItem()->text();
            clickButton(game.window().dialogs().imagesWindow().resetButton);
            resetBackground = game.window().clientArea()->wallpaper().toImage();
            selectedAfterReset =
                game.window().dialogs().imagesWindow().pictureList->selectedItems().size();
            slot5Name = game.window().dialogs().imagesWindow().slotNames[5]->shownText();
        });
        // Back to the built-in picture, no file stays highlighted; each slot says what it dresses.
        QCOMPARE(selectedAfterReset, 0);
        QCOMPARE(slot5Name, QString::fromUtf8("главное окно"));
        QCOMPARE(background.pixelColor(0, 0), QColor("#ff0000"));
        QCOMPARE(previewSlot5, background);
        QCOMPARE(fileShownForSlot5, QString("wall.bmp"));
        QCOMPARE(resetBackground, textureBitmaps[5].toImage());
        QVERIFY(showsBuiltIn(textureBitmaps[5], 5));
        QVERIFY(showsBuiltIn(textureBitmaps[6], 6));
        QCOMPARE(chosenFiles(),
                 (QStringList{"", "", "wall.bmp", "", "", "", "bad.jpg", "", "", ""}));
        // Every load reports the damaged picture of slot 6 once: choosing it, then the reset.
        QCOMPARE(boxesAfterBad, QStringList{"Unknown graphic format"});
        QCOMPARE(game.errors().texts, QStringList{"Unknown graphic format"});
    }

    // Names are kept in the settings file in Windows-1251: one it cannot hold is refused with
    // a message instead of silently giving the built-in picture.
    void namesTheSettingsCannotKeepAreRefused_data() {
        QTest::addColumn<bool>("skin");
        QTest::newRow("picture") << false;
        QTest::newRow("skin") << true;
    }
    void namesTheSettingsCannotKeepAreRefused() {
        QFETCH(bool, skin);
        GameFixture game(kRussianWords, kEnglishWords);
        const QString name = QString::fromUtf8("日本");
        writePicture(skin ? name + "/0.bmp" : name + ".bmp", "#ff0000");
        ChosenTextures.useSkins = skin;
        ChosenTextures.skinName.clear();
        setChosenFiles({});
        loadTextures();
        game.errors().texts.clear();
        inTexturesWindow(game, [&] {
            if (skin) {
                game.window().dialogs().imagesWindow().skinBox->setCurrentIndex(0);
                emit game.window().dialogs().imagesWindow().skinBox->activated(0);
            } else {
                clickLine(game.window().dialogs().imagesWindow().slotList, 3);
                clickLine(game.window().dialogs().imagesWindow().pictureList, name + ".bmp");
            }
        });
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY2(game.errors().texts[0].contains(name) &&
                     game.errors().texts[0].contains("cannot be used"),
                 qPrintable(game.errors().texts[0]));
        QVERIFY(ChosenTextures.skinName.empty());
        QCOMPARE(chosenFiles(), QStringList(kTextureSlots, QString()));
    }

    void togglingSkins() {
        GameFixture game(kRussianWords, kEnglishWords);
        writePicture("Autumn/0.jpg", "#ff8000");
        writePicture("birch/1.bmp", "#ffffff");
        writePicture("Upper/2.JPG", "#ffffff");
        writePicture("plain.bmp", "#ff0000");
        writePicture("notes.txt", "text");
        // Folders without a slot picture are no skins.
        writePicture("sounds/click1.wav", "text");
        writePicture("Empty/notes.txt", "text");
        writePicture(".hidden/0.jpg", "#ffffff");
        ChosenTextures.useSkins = false;
        ChosenTextures.skinName = "Gone";
        setChosenFiles({"", "plain.bmp"});
        loadTextures();
        QStringList skins;
        int selected = 99, heightOn = 0, heightOff = 0, okTopOn = 0, okTopOff = 0;
        bool listHiddenWithSkins = false, comboShownWithSkins = false;
        QString nameAfterToggle, nameAfterChoice, slot0WithSkin, slot1AfterOff;
        inTexturesWindow(game, [&] {
            clickButton(game.window().dialogs().imagesWindow().useSkinsBox);
            skins = items(game.window().dialogs().imagesWindow().skinBox);
            selected = game.window().dialogs().imagesWindow().skinBox->currentIndex();
            nameAfterToggle = QString::fromStdString(ChosenTextures.skinName);
            heightOn = game.window().dialogs().imagesWindow().clientArea->height();
            okTopOn = game.window().dialogs().imagesWindow().okButton->y();
            listHiddenWithSkins =
                !game.window().dialogs().imagesWindow().pictureList->isVisible() &&
                !game.window().dialogs().imagesWindow().slotList->isVisible() &&
                !game.window().dialogs().imagesWindow().resetButton->isVisible();
            comboShownWithSkins = game.window().dialogs().imagesWindow().skinBox->isVisible();
            game.window().dialogs().imagesWindow().skinBox->setCurrentIndex(0);
            emit game.window().dialogs().imagesWindow().skinBox->activated(0);
            nameAfterChoice = QString::fromStdString(ChosenTextures.skinName);
            slot0WithSkin =
                game.window().skipButton()->wallpaper().toImage().pixelColor(4, 4).name();
            clickButton(game.window().dialogs().imagesWindow().useSkinsBox);
            heightOff = game.window().dialogs().imagesWindow().clientArea->height();
            okTopOff = game.window().dialogs().imagesWindow().okButton->y();
            slot1AfterOff = describeSlot(1);
        });
        QCOMPARE(skins, (QStringList{"Autumn", "birch", "Upper"}));
        QCOMPARE(selected, -1);
        QCOMPARE(nameAfterToggle, QString());
        QCOMPARE(heightOn, 65);
        QCOMPARE(okTopOn, 12);
        QVERIFY(listHiddenWithSkins);
        QVERIFY(comboShownWithSkins);
        QCOMPARE(nameAfterChoice, QString("Autumn"));
        QVERIFY(sameColour(QColor(slot0WithSkin).rgb(), qRgb(255, 128, 0), 6));
        QCOMPARE(heightOff, 345);
        QCOMPARE(okTopOff, 295);
        QCOMPARE(slot1AfterOff, QString("#ff0000"));
        QVERIFY(!ChosenTextures.useSkins);
        // The skin name follows the list even with skins off.
        QCOMPARE(QString::fromStdString(ChosenTextures.skinName), QString("Autumn"));
    }

    void skinNameMatchedWithoutRegardToCase() {
        GameFixture game(kRussianWords, kEnglishWords);
        writePicture("Autumn/0.jpg", "#ff8000");
        ChosenTextures.useSkins = true;
        ChosenTextures.skinName = "AUTUMN";
        int selected = -1;
        inTexturesWindow(game, [&] {
            selected = game.window().dialogs().imagesWindow().skinBox->currentIndex();
        });
        QCOMPARE(selected, 0);
        QCOMPARE(QString::fromStdString(ChosenTextures.skinName), QString("Autumn"));
        QCOMPARE(game.window().dialogs().imagesWindow().clientArea->height(), 65);
    }

    void aRememberedFileMissingFromTheFolder() {
        GameFixture game(kRussianWords, kEnglishWords);
        ChosenTextures.useSkins = true;
        setChosenFiles({"gone.bmp"});
        game.errors().texts.clear();
        bool open = false, switched = false;
        inTexturesWindow(game, [&] {
            open = game.window().dialogs().imagesWindow().isVisible();
            // After the message the window has still switched to skins.
            switched = game.window().dialogs().imagesWindow().clientArea->height() == 65 &&
                       game.window().dialogs().imagesWindow().skinBox->isVisible() &&
                       !game.window().dialogs().imagesWindow().pictureList->isVisible();
        });
        QVERIFY(open);
        QVERIFY(switched);
        QCOMPARE(game.errors().texts, QStringList{"Invalid file name - gone.bmp"});
        // Skins on: the name is not forgotten.
        QCOMPARE(chosenFiles().first(), QString("gone.bmp"));
    }

    void stretchingThePreview() {
        GameFixture game(kRussianWords, kEnglishWords);
        writePicture("small.bmp", "#ff0000");
        ChosenTextures.useSkins = false;
        setChosenFiles({"small.bmp"}); // 24 × 24
        loadTextures();
        QImage centred, stretched;
        inTexturesWindow(game, [&] {
            centred = game.window().dialogs().imagesWindow().preview->grab().toImage();
            clickButton(game.window().dialogs().imagesWindow().stretchBox);
            stretched = game.window().dialogs().imagesWindow().preview->grab().toImage();
            clickButton(game.window().dialogs().imagesWindow().stretchBox);
        });
        QCOMPARE(centred.size(), QSize(154, 154));
        QCOMPARE(centred.pixelColor(77, 77), QColor(Qt::red));
        QVERIFY(centred.pixelColor(5, 5) != QColor(Qt::red));
        QCOMPARE(stretched.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(stretched.pixelColor(150, 150), QColor(Qt::red));
    }
};

VORDA_TEST_MAIN(TestTextures)
#include "tst_textures.moc"
