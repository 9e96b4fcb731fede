// The texture slots: skins, chosen picture files, JPEG and bitmap decoding, and the textures
// window driven through its controls.
#include "extras/ImagesUnit.h"
#include "extras/ImagesWindow.h"
#include "platform/Cp1251.h"
#include "platform/JpegReader.h"
#include "platform/VordaError.h"
#include "settings/INIUnit.h"
#include "skin/CoolCheckBox.h"
#include "skin/CoolControls.h"
#include "skin/CoolListBox.h"
#include "tests/support/GameFixture.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QListWidget>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
const QStringList kRussian = {QString::fromUtf8("КОШКА")};
const QStringList kEnglish = {"HOUSE"};
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
QByteArray claiming(const char* format, int width, int height) {
    QByteArray bytes = encoded(solid(Qt::red, 8, 8), format);
    if (QByteArray(format) == "JPEG") {
        const qsizetype frame = bytes.indexOf("\xff\xc0");
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

// Writes a test picture below the textures folder. The kind is a colour ("#rrggbb", saved in
// the format its extension names), "size WxH" (a red picture of that size), "claims WxH" (see
// claiming), "gif", "truncated" (half a JPEG file) or "text".
void writePicture(const QString& relativePath, const QString& kind) {
    const QString path = TextureChoice.TexturesDir + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    const char* format = path.endsWith(".jpg", Qt::CaseInsensitive) ? "JPEG" : "BMP";
    QByteArray bytes;
    if (kind.startsWith("claims "))
        bytes = claiming(format, kind.mid(7).section('x', 0, 0).toInt(),
                         kind.mid(7).section('x', 1).toInt());
    else if (kind.startsWith("size "))
        bytes = encoded(solid(Qt::red, kind.mid(5).section('x', 0, 0).toInt(),
                              kind.mid(5).section('x', 1).toInt()),
                        format);
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
}

bool sameColour(QRgb a, QRgb b, int tolerance) {
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

bool showsBuiltIn(const QPixmap& picture, int slot) {
    return picture.toImage().convertToFormat(QImage::Format_RGB32) ==
           LoadResourceBitmap(kBuiltIn[slot]).convertToFormat(QImage::Format_RGB32);
}

// "builtin", "builtin NAME" for another slot's built-in picture, or the colour a slot shows.
QString describeSlot(int slot) {
    if (showsBuiltIn(TextureBitmaps[slot], slot))
        return "builtin";
    for (int other = 0; other < kTextureSlots; ++other)
        if (showsBuiltIn(TextureBitmaps[slot], other))
            return QString("builtin ") + kBuiltIn[other];
    return TextureBitmaps[slot].toImage().pixelColor(5, 5).name();
}

void setChosenFiles(const QStringList& names) {
    for (int slot = 0; slot < kTextureSlots; ++slot)
        TextureChoice.TextureFiles[slot] =
            slot < names.size() ? UnicodeToCp1251(names[slot]) : std::string();
}

QStringList chosenFiles() {
    QStringList names;
    for (const std::string& name : TextureChoice.TextureFiles)
        names << Cp1251ToUnicode(name);
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
    WhenDialogShows([&](QDialog*) {
        action();
        ran = true;
        clickButton(Dialogs.ImagesWindow->CoolOKButton);
    });
    game.window().Menu_Textures->trigger();
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
    }
    void decodesJpeg() {
        QFETCH(QByteArray, data);
        QFETCH(QSize, size);
        const QImage image = DecodeJpeg(data);
        QCOMPARE(image.size(), size.isValid() ? size : QSize(0, 0));
        QCOMPARE(image.isNull(), !size.isValid());
        if (!image.isNull()) {
            const QImage reference = QImage::fromData(data, "JPEG");
            QVERIFY(sameColour(image.pixel(size.width() / 2, size.height() / 2),
                               reference.pixel(size.width() / 2, size.height() / 2), 3));
        }
    }

    void loadsTheSlots_data() {
        QTest::addColumn<bool>("useSkins");
        QTest::addColumn<QString>("skinName");
        QTest::addColumn<QStringList>("pictures"); // "path=kind" below the textures folder
        QTest::addColumn<QStringList>("chosen");   // TextureFiles before the load
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

        GameFixture game(kRussian, kEnglish);
        for (const QString& picture : pictures)
            writePicture(picture.section('=', 0, 0), picture.section('=', 1));
        TextureChoice.UseSkins = useSkins;
        TextureChoice.SkinName = UnicodeToCp1251(skinName);
        setChosenFiles(chosen);
        game.errors().texts.clear();
        LoadTextures();

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
        QCOMPARE(game.window().Hook->Wallpaper().cacheKey() == TextureBitmaps[5].cacheKey(),
                 false); // the controls change only at the next ApplyTextures
        ApplyTextures();
        QCOMPARE(game.window().Hook->Wallpaper().toImage(), TextureBitmaps[5].toImage());
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
        QCOMPARE(ReadPictureFile(VORDA_SOURCE_DIR "/dist/Textures/" + file, image),
                 PictureReadResult::Decoded);
        QTEST(image.size(), "size");
    }

    void aFileChosenForSeveralSlotsIsReadOnce() {
        GameFixture game(kRussian, kEnglish);
        writePicture("same.jpg", "#00ff00");
        writePicture("other.bmp", "#ff0000");
        TextureChoice.UseSkins = false;
        setChosenFiles({"", "other.bmp", "same.jpg", "", "", "same.jpg", "", "same.jpg"});
        LoadTextures();
        // A picture decoded again would be a new pixmap; the later slots share the first one.
        QCOMPARE(TextureBitmaps[5].cacheKey(), TextureBitmaps[2].cacheKey());
        QCOMPARE(TextureBitmaps[7].cacheKey(), TextureBitmaps[2].cacheKey());
        QVERIFY(TextureBitmaps[1].cacheKey() != TextureBitmaps[2].cacheKey());
        QVERIFY(sameColour(TextureBitmaps[7].toImage().pixel(3, 3), qRgb(0, 255, 0), 4));
        // The next pass, as every choice in the textures window makes one, decodes only a file
        // that changed since.
        const qint64 same = TextureBitmaps[2].cacheKey();
        const qint64 other = TextureBitmaps[1].cacheKey();
        LoadTextures();
        QCOMPARE(TextureBitmaps[2].cacheKey(), same);
        QCOMPARE(TextureBitmaps[1].cacheKey(), other);
        writePicture("other.bmp", "size 32x32");
        LoadTextures();
        QCOMPARE(TextureBitmaps[2].cacheKey(), same);
        QCOMPARE(TextureBitmaps[1].size(), QSize(32, 32));
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
        GameFixture game(kRussian, kEnglish);
        TextureChoice.UseSkins = true;
        TextureChoice.SkinName = "Stone";
        const QString path = TextureChoice.TexturesDir + "/Stone/0.jpg";
        const QByteArray name = QFile::encodeName(path);
        writePicture("Stone/1.jpg", "#00ff00");
        if (kind == "undecodable") {
            writePicture("Stone/0.jpg", "#ff0000");
            LoadTextures();
            QVERIFY(describeSlot(0) != "builtin");
            writePicture("Stone/0.jpg", "text");
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        } else {
            const QString zero = TextureChoice.TexturesDir + "/zero";
            if (::mknod(QFile::encodeName(zero).constData(), S_IFCHR | 0666, makedev(1, 5)) != 0)
                QSKIP("device nodes can be made only by root");
            QVERIFY(QFile::link(zero, path));
        }
        game.errors().texts.clear();
        // A reading that blocks ends the test here.
        ::alarm(60);
        LoadTextures();
        ::alarm(0);
        QCOMPARE(describeSlot(0), "builtin");
        QVERIFY(sameColour(TextureBitmaps[1].toImage().pixel(3, 3), qRgb(0, 255, 0), 4));
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY2(game.errors().texts[0].contains(message), qPrintable(game.errors().texts[0]));
    }

    // A picture whose header claims a size beyond the limits is refused before it is decoded;
    // its slot keeps the built-in picture and the slots after it are still dressed.
    void tooLargePicturesAreRefusedByTheirHeader_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("refused"); // the size the message names, empty when taken
        QTest::newRow("JPEG of 16000 x 16000") << "big.jpg"
                                               << "claims 16000x16000"
                                               << "16000 x 16000 pixels";
        QTest::newRow("JPEG one pixel too wide") << "wide.jpg"
                                                 << "claims 4097x16"
                                                 << "4097 x 16 pixels";
        QTest::newRow("JPEG as wide as it may be") << "wide.jpg"
                                                   << "size 4096x16"
                                                   << "";
        QTest::newRow("bitmap of 16000 x 16000") << "big.bmp"
                                                 << "claims 16000x16000"
                                                 << "16000 x 16000 pixels";
        QTest::newRow("bitmap stored top-down, too tall") << "tall.bmp"
                                                          << "claims 16x-5000"
                                                          << "16 x 5000 pixels";
        QTest::newRow("bitmap as wide as it may be") << "wide.bmp"
                                                     << "size 4096x16"
                                                     << "";
    }
    void tooLargePicturesAreRefusedByTheirHeader() {
        QFETCH(QString, file);
        QFETCH(QString, kind);
        QFETCH(QString, refused);
        GameFixture game(kRussian, kEnglish);
        writePicture(file, kind);
        writePicture("ok.bmp", "#00ff00");
        TextureChoice.UseSkins = false;
        setChosenFiles({"", file, "", "", "", "ok.bmp"});
        game.errors().texts.clear();
        LoadTextures();
        if (refused.isEmpty()) {
            QVERIFY(game.errors().texts.isEmpty());
            QCOMPARE(TextureBitmaps[1].size(), QSize(4096, 16));
        } else {
            QCOMPARE(game.errors().texts.size(), 1);
            QVERIFY2(game.errors().texts[0].contains(file + "\" is " + refused),
                     qPrintable(game.errors().texts[0]));
            QVERIFY(showsBuiltIn(TextureBitmaps[1], 1));
        }
        QCOMPARE(describeSlot(5), QString("#00ff00"));
    }

    void aPictureThatCannotBeOpenedRaises() {
        GameFixture game(kRussian, kEnglish);
        QImage image;
        bool raised = false;
        try {
            ReadPictureFile(TextureChoice.TexturesDir + "/missing.jpg", image);
        } catch (const VordaError& error) {
            raised = error.kind() == VordaError::Kind::InputOutput &&
                     error.text().contains("missing.jpg");
        }
        QVERIFY(raised);
    }

    void applyingBeforeTheWindowsExistRaisesNothing() {
        TestGameFolder folder;
        InitSettingsFile();
        InitTextures();
        QVERIFY(!Dialogs.ImagesWindow);
        LoadTextures();
        ApplyTextures();
        // The textures window made alone, before any main window, dresses itself.
        TImagesWindow window;
        QCOMPARE(window.Hook->Wallpaper().toImage(), TextureBitmaps[6].toImage());
        QCOMPARE(QDir::current().canonicalPath(), QDir(TextureChoice.TexturesDir).canonicalPath());
    }

    void openingTheWindow() {
        GameFixture game(kRussian, kEnglish);
        writePicture("b.jpg", "#0000ff");
        writePicture("a.bmp", "#ff0000");
        writePicture(".hidden.bmp", "#ff0000");
        writePicture("UPPER.JPG", "#ff0000");
        writePicture("notes.txt", "text");
        writePicture("pic.gif", "gif");
        writePicture("folder.bmp/0.bmp", "#ff0000");
        TextureChoice.UseSkins = false;
        setChosenFiles({"a.bmp"});
        LoadTextures();
        int row = -1;
        int height = 0;
        QString title;
        QStringList files;
        QImage preview;
        bool fileSelected = false;
        inTexturesWindow(game, [&] {
            row = Dialogs.ImagesWindow->CoolListBox->currentRow();
            title = Dialogs.ImagesWindow->windowTitle();
            height = Dialogs.ImagesWindow->Hook->height();
            files = lines(Dialogs.ImagesWindow->FileListBox1);
            preview = Dialogs.ImagesWindow->Image1->Picture().toImage();
            fileSelected = Dialogs.ImagesWindow->FileListBox1->currentItem() &&
                           Dialogs.ImagesWindow->FileListBox1->currentItem()->text() == "a.bmp";
            // Slot 3 chosen, then the window closes and opens again at slot 0.
            clickLine(Dialogs.ImagesWindow->CoolListBox, 3);
        });
        QCOMPARE(row, 0);
        QCOMPARE(title, Cp1251ToUnicode(LanguageText("Menu_Textures")));
        QCOMPARE(height, 345);
        QCOMPARE(files, (QStringList{".hidden.bmp", "a.bmp", "b.jpg", "UPPER.JPG"}));
        QCOMPARE(preview, TextureBitmaps[0].toImage());
        QVERIFY(fileSelected);
        QCOMPARE(Dialogs.ImagesWindow->CoolListBox->currentRow(), 3);

        // Pictures added since the last showing appear at the next one.
        writePicture("c.bmp", "#00ff00");
        inTexturesWindow(game, [&] {
            row = Dialogs.ImagesWindow->CoolListBox->currentRow();
            files = lines(Dialogs.ImagesWindow->FileListBox1);
        });
        QCOMPARE(row, 0);
        QCOMPARE(files, (QStringList{".hidden.bmp", "a.bmp", "b.jpg", "c.bmp", "UPPER.JPG"}));
        QVERIFY(Game.MainInputEnabled);
        QVERIFY(game.errors().texts.isEmpty());
    }

    void choosingFilesInTheWindow() {
        GameFixture game(kRussian, kEnglish);
        writePicture("wall.bmp", "#ff0000");
        writePicture("cell.jpg", "#0000ff");
        writePicture("bad.jpg", "truncated");
        TextureChoice.UseSkins = false;
        setChosenFiles({});
        LoadTextures();
        ApplyTextures();
        game.errors().texts.clear();
        QImage background, previewSlot5, resetBackground;
        QString fileShownForSlot5;
        QStringList boxesAfterBad;
        inTexturesWindow(game, [&] {
            clickLine(Dialogs.ImagesWindow->CoolListBox, 5);
            clickLine(Dialogs.ImagesWindow->FileListBox1, "wall.bmp");
            // The main window behind the modal one is dressed at once.
            background = game.window().Hook->Wallpaper().toImage();
            previewSlot5 = Dialogs.ImagesWindow->Image1->Picture().toImage();
            // The same file for slot 2 too; slot 6 gets a damaged picture.
            clickLine(Dialogs.ImagesWindow->CoolListBox, 2);
            clickLine(Dialogs.ImagesWindow->FileListBox1, "wall.bmp");
            clickLine(Dialogs.ImagesWindow->CoolListBox, 6);
            clickLine(Dialogs.ImagesWindow->FileListBox1, "bad.jpg");
            boxesAfterBad = game.errors().texts;
            game.errors().texts.clear();
            // Back to slot 5, whose file shows selected; the reset button brings back WALL1.
            clickLine(Dialogs.ImagesWindow->CoolListBox, 5);
            fileShownForSlot5 = Dialogs.ImagesWindow->FileListBox1->currentItem()->text();
            clickButton(Dialogs.ImagesWindow->CoolResetButton);
            resetBackground = game.window().Hook->Wallpaper().toImage();
        });
        QCOMPARE(background.pixelColor(0, 0), QColor("#ff0000"));
        QCOMPARE(previewSlot5, background);
        QCOMPARE(fileShownForSlot5, QString("wall.bmp"));
        QCOMPARE(resetBackground, TextureBitmaps[5].toImage());
        QVERIFY(showsBuiltIn(TextureBitmaps[5], 5));
        QVERIFY(showsBuiltIn(TextureBitmaps[6], 6));
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
        GameFixture game(kRussian, kEnglish);
        const QString name = QString::fromUtf8("日本");
        writePicture(skin ? name + "/0.bmp" : name + ".bmp", "#ff0000");
        TextureChoice.UseSkins = skin;
        TextureChoice.SkinName.clear();
        setChosenFiles({});
        LoadTextures();
        game.errors().texts.clear();
        inTexturesWindow(game, [&] {
            if (skin) {
                Dialogs.ImagesWindow->ComboBox1->setCurrentIndex(0);
                emit Dialogs.ImagesWindow->ComboBox1->activated(0);
            } else {
                clickLine(Dialogs.ImagesWindow->CoolListBox, 3);
                clickLine(Dialogs.ImagesWindow->FileListBox1, name + ".bmp");
            }
        });
        QCOMPARE(game.errors().texts.size(), 1);
        QVERIFY2(game.errors().texts[0].contains(name) &&
                     game.errors().texts[0].contains("cannot be used"),
                 qPrintable(game.errors().texts[0]));
        QVERIFY(TextureChoice.SkinName.empty());
        QCOMPARE(chosenFiles(), QStringList(kTextureSlots, QString()));
    }

    void togglingSkins() {
        GameFixture game(kRussian, kEnglish);
        writePicture("Autumn/0.jpg", "#ff8000");
        writePicture("birch/1.bmp", "#ffffff");
        writePicture("Upper/2.JPG", "#ffffff");
        writePicture("plain.bmp", "#ff0000");
        writePicture("notes.txt", "text");
        // Folders without a slot picture are no skins.
        writePicture("sounds/click1.wav", "text");
        writePicture("Empty/notes.txt", "text");
        writePicture(".hidden/0.jpg", "#ffffff");
        TextureChoice.UseSkins = false;
        TextureChoice.SkinName = "Gone";
        setChosenFiles({"", "plain.bmp"});
        LoadTextures();
        QStringList skins;
        int selected = 99, heightOn = 0, heightOff = 0, okTopOn = 0, okTopOff = 0;
        bool listHiddenWithSkins = false, comboShownWithSkins = false;
        QString nameAfterToggle, nameAfterChoice, slot0WithSkin, slot1AfterOff;
        inTexturesWindow(game, [&] {
            clickButton(Dialogs.ImagesWindow->UseSkinsCheckBox);
            skins = items(Dialogs.ImagesWindow->ComboBox1);
            selected = Dialogs.ImagesWindow->ComboBox1->currentIndex();
            nameAfterToggle = QString::fromStdString(TextureChoice.SkinName);
            heightOn = Dialogs.ImagesWindow->Hook->height();
            okTopOn = Dialogs.ImagesWindow->CoolOKButton->y();
            listHiddenWithSkins = !Dialogs.ImagesWindow->FileListBox1->isVisible() &&
                                  !Dialogs.ImagesWindow->CoolListBox->isVisible() &&
                                  !Dialogs.ImagesWindow->CoolResetButton->isVisible();
            comboShownWithSkins = Dialogs.ImagesWindow->ComboBox1->isVisible();
            Dialogs.ImagesWindow->ComboBox1->setCurrentIndex(0);
            emit Dialogs.ImagesWindow->ComboBox1->activated(0);
            nameAfterChoice = QString::fromStdString(TextureChoice.SkinName);
            slot0WithSkin = game.window().SkipButton->Wallpaper().toImage().pixelColor(4, 4).name();
            clickButton(Dialogs.ImagesWindow->UseSkinsCheckBox);
            heightOff = Dialogs.ImagesWindow->Hook->height();
            okTopOff = Dialogs.ImagesWindow->CoolOKButton->y();
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
        QVERIFY(!TextureChoice.UseSkins);
        // The skin name follows the list even with skins off.
        QCOMPARE(QString::fromStdString(TextureChoice.SkinName), QString("Autumn"));
    }

    void skinNameMatchedWithoutRegardToCase() {
        GameFixture game(kRussian, kEnglish);
        writePicture("Autumn/0.jpg", "#ff8000");
        TextureChoice.UseSkins = true;
        TextureChoice.SkinName = "AUTUMN";
        int selected = -1;
        inTexturesWindow(game, [&] { selected = Dialogs.ImagesWindow->ComboBox1->currentIndex(); });
        QCOMPARE(selected, 0);
        QCOMPARE(QString::fromStdString(TextureChoice.SkinName), QString("Autumn"));
        QCOMPARE(Dialogs.ImagesWindow->Hook->height(), 65);
    }

    void aRememberedFileMissingFromTheFolder() {
        GameFixture game(kRussian, kEnglish);
        TextureChoice.UseSkins = true;
        setChosenFiles({"gone.bmp"});
        game.errors().texts.clear();
        bool open = false, switched = false;
        inTexturesWindow(game, [&] {
            open = Dialogs.ImagesWindow->isVisible();
            // After the message the window has still switched to skins.
            switched = Dialogs.ImagesWindow->Hook->height() == 65 &&
                       Dialogs.ImagesWindow->ComboBox1->isVisible() &&
                       !Dialogs.ImagesWindow->FileListBox1->isVisible();
        });
        QVERIFY(open);
        QVERIFY(switched);
        QCOMPARE(game.errors().texts, QStringList{"Invalid file name - gone.bmp"});
        // Skins on: the name is not forgotten.
        QCOMPARE(chosenFiles().first(), QString("gone.bmp"));
    }

    void stretchingThePreview() {
        GameFixture game(kRussian, kEnglish);
        writePicture("small.bmp", "#ff0000");
        TextureChoice.UseSkins = false;
        setChosenFiles({"small.bmp"}); // 24 × 24
        LoadTextures();
        QImage centred, stretched;
        inTexturesWindow(game, [&] {
            centred = Dialogs.ImagesWindow->Image1->grab().toImage();
            clickButton(Dialogs.ImagesWindow->StretchBox);
            stretched = Dialogs.ImagesWindow->Image1->grab().toImage();
            clickButton(Dialogs.ImagesWindow->StretchBox);
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
