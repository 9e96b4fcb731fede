// The built-in pictures compiled into the program and the sound files that accompany it: every
// one must be there under its name, at its size and depth, the textures must tile without a
// seam and the sounds must be clean 16-bit PCM.
#include "platform/ResourceBitmap.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <utility>
#include <vector>

namespace {

const QStringList kFaces = {"CPU00", "CPU11", "CPU12", "CPU21", "CPU22", "CPU31",
                            "CPU41", "CPU51", "CPU52", "CPU53", "CPU54", "CPU55"};

QImage bitmap(const QString& name) {
    return QImage(QStringLiteral(":/bitmaps/") + name);
}

// Sum of the channel differences of two pixels.
int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// For one direction of a tile: the mean step from its last column to its first (where the next
// tile begins) and the largest mean step between two neighbouring columns inside it. Rows are
// measured by passing the picture transposed.
struct SeamMeasure {
    double acrossEdge = 0;
    double largestInside = 0;
};

SeamMeasure measureSeam(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const auto columnStep = [&](int left, int right) {
        double sum = 0;
        for (int y = 0; y < h; ++y)
            sum += distance(image.pixel(left, y), image.pixel(right, y));
        return sum / h;
    };
    SeamMeasure seam;
    seam.acrossEdge = columnStep(w - 1, 0);
    for (int x = 0; x + 1 < w; ++x)
        seam.largestInside = std::max(seam.largestInside, columnStep(x, x + 1));
    return seam;
}

struct Wave {
    QString error; // empty when the file could be read
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    std::vector<qint16> samples; // the first channel
};

// Reads a RIFF/WAVE file chunk by chunk, so that extra chunks before "data" are allowed.
Wave readWave(const QString& path) {
    Wave wave;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        wave.error = QStringLiteral("cannot open ") + path;
        return wave;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        wave.error = QStringLiteral("not a RIFF/WAVE file");
        return wave;
    }
    const auto u16 = [&](qsizetype at) {
        return qFromLittleEndian<quint16>(bytes.constData() + at);
    };
    const auto u32 = [&](qsizetype at) {
        return qFromLittleEndian<quint32>(bytes.constData() + at);
    };
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + size > bytes.size()) {
            wave.error = QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id));
            return wave;
        }
        if (id == "fmt " && size >= 16) {
            wave.format = u16(body);
            wave.channels = u16(body + 2);
            wave.sampleRate = static_cast<int>(u32(body + 4));
            wave.bits = u16(body + 14);
            haveFormat = true;
        } else if (id == "data" && haveFormat && wave.bits == 16 && wave.channels > 0) {
            const qsizetype frame = 2 * wave.channels;
            for (qsizetype i = body; i + frame <= body + size; i += frame)
                wave.samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + i));
            return wave;
        }
        at = body + size + (size & 1);
    }
    wave.error = QStringLiteral("no format chunk followed by 16-bit data");
    return wave;
}

// The RMS of the loudest 30 ms of a sound, as a fraction of full scale: what the ear takes
// for its loudness.
// The integrated loudness (EBU R128, in LUFS) of a sound repeated without a gap for 20 s, as a
// player hears a click pressed again and again: K-weighted (a +4 dB shelf above about 1.7 kHz,
// a high-pass at about 38 Hz), in 400 ms blocks every 100 ms, gated at -70 LUFS and then 10 LU
// below the mean of the blocks left.
double loopedLoudness(const std::vector<qint16>& samples, int rate) {
    struct Section {
        double b0, b1, b2, a1, a2, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        double step(double x) {
            const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
            x2 = std::exchange(x1, x);
            y2 = std::exchange(y1, y);
            return y;
        }
    };
    double k = std::tan(M_PI * 1681.974450955533 / rate), q = 0.7071752369554196;
    const double vh = std::pow(10.0, 3.999843853973347 / 20), vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1 + k / q + k * k;
    Section shelf{(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0,
                  (vh - vb * k / q + k * k) / a0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
    k = std::tan(M_PI * 38.13547087602444 / rate);
    q = 0.5003270373238773;
    a0 = 1 + k / q + k * k;
    Section highPass{1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
    const size_t total = static_cast<size_t>(rate) * 20, block = rate * 4 / 10, hop = rate / 10;
    std::vector<double> power(total);
    for (size_t i = 0; i < total; ++i)
        power[i] = std::pow(highPass.step(shelf.step(samples[i % samples.size()] / 32768.0)), 2);
    std::vector<double> blocks;
    for (size_t begin = 0; begin + block <= total; begin += hop)
        blocks.push_back(
            std::accumulate(power.begin() + begin, power.begin() + begin + block, 0.0) / block);
    const auto lufs = [](double meanSquare) { return -0.691 + 10 * std::log10(meanSquare); };
    const auto meanAbove = [&](double gate) {
        double sum = 0;
        int count = 0;
        for (double z : blocks)
            if (lufs(z) > gate) {
                sum += z;
                ++count;
            }
        return count ? sum / count : 0.0;
    };
    return lufs(meanAbove(lufs(meanAbove(-70)) - 10));
}

// A colour's relative luminance, as contrast ratios count it: 0 black, 1 white.
double luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    // White text (the name box, the help) stands on the text-area picture: the built-in one
    // and that of every skin that accompanies the game and brings its own.
    void whiteTextReadsOnTextAreas_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("built-in WALL3") << QStringLiteral(":/bitmaps/WALL3");
        const QDir textures(QStringLiteral(VORDA_SOURCE_DIR "/dist/Textures"));
        for (const QString& skin : textures.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString& file :
                 QDir(textures.filePath(skin)).entryList({"7.bmp", "7.jpg"}, QDir::Files))
                QTest::newRow(qPrintable(skin + "/" + file))
                    << textures.filePath(skin + "/" + file);
    }
    void whiteTextReadsOnTextAreas() {
        QFETCH(QString, path);
        const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!image.isNull());
        double brightest = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                brightest = std::max(brightest, luminance(image.pixel(x, y)));
        const double contrast = 1.05 / (brightest + 0.05);
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
    }

    void pictureHasItsSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const std::pair<const char*, QSize> pictures[] = {
            {"BUTTONS", {120, 120}},
            {"POLE1", {40, 40}},
            {"POLE2", {40, 40}},
            {"LETTER1", {40, 40}},
            {"LETTER2", {22, 22}},
            {"WALL1", {128, 128}},
            {"WALL2", {96, 96}},
            {"WALL3", {124, 87}},
            {"ABOUT_LOGO", {120, 30}},
            {"ABOUT_BANNER", {406, 117}},
            {"ABOUT_BALL", {62, 52}},
            {"THUMB_HORZ", {9, 20}},
            {"THUMB_HORZ_INVERT", {9, 20}},
            {"THUMB_VERT", {20, 9}},
            {"THUMB_VERT_INVERT", {20, 9}},
        };
        for (const auto& [name, size] : pictures)
            QTest::newRow(name) << QString::fromLatin1(name) << size;
        for (const QString& face : kFaces)
            QTest::newRow(qPrintable(face)) << face << QSize(100, 70);
    }

    void pictureHasItsSize() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QImage image = bitmap(name);
        QVERIFY2(!image.isNull(), qPrintable(name + QStringLiteral(" does not load")));
        QCOMPARE(image.size(), size);
    }

    // On a screen of twice the density every built-in picture comes drawn at twice the size and
    // paints at its 1× size; at 150% it is made from that one, not enlarged from the 1× one.
    void pictureForDenseScreen_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<qreal>("ratio");
        QStringList names = kFaces;
        names << "BUTTONS"
              << "POLE1"
              << "POLE2"
              << "LETTER1"
              << "LETTER2"
              << "WALL1"
              << "WALL2"
              << "WALL3"
              << "ABOUT_LOGO"
              << "ABOUT_BANNER"
              << "ABOUT_BALL";
        for (const QString& name : names)
            for (const qreal ratio : {2.0, 1.5})
                QTest::addRow("%s at %g", qPrintable(name), ratio)
                    << QStringLiteral(":/bitmaps/") + name << QByteArray("BMP") << ratio;
        for (const char* menu : {"0", "6", "10", "SITE2"})
            QTest::addRow("menu %s", menu)
                << QStringLiteral(":/menu/") + QLatin1String(menu) << QByteArray("PNG") << 2.0;
    }

    void pictureForDenseScreen() {
        QFETCH(QString, path);
        QFETCH(QByteArray, format);
        QFETCH(qreal, ratio);
        const QImage single = loadResourcePicture(path, format.constData());
        const QImage dense = loadResourcePictureForRatio(path, format.constData(), ratio);
        QVERIFY(!single.isNull());
        QCOMPARE(dense.devicePixelRatio(), ratio);
        QCOMPARE(dense.size(), (QSizeF(single.size()) * ratio).toSize());
        QCOMPARE(dense.deviceIndependentSize().toSize(), single.size());
        // An enlarged 1× picture is made of whole blocks: at 2× every 2 × 2 block is one colour.
        const QImage doubled = loadResourcePicture(path + QStringLiteral("@2x"), "PNG")
                                   .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(doubled.size(), single.size() * 2);
        int splitBlocks = 0;
        for (int y = 0; y + 1 < doubled.height(); y += 2)
            for (int x = 0; x + 1 < doubled.width(); x += 2) {
                const QRgb p = doubled.pixel(x, y);
                splitBlocks += doubled.pixel(x + 1, y) != p || doubled.pixel(x, y + 1) != p ||
                               doubled.pixel(x + 1, y + 1) != p;
            }
        QVERIFY2(splitBlocks * 10 >= single.width() * single.height(),
                 qPrintable(QString::number(splitBlocks)));
    }

    // A player's texture, enlarged smoothly for a dense screen, still tiles without a seam: its
    // edges blend with the tile beside them, not with a copy of themselves.
    void playerTextureEnlargesWithoutSeam() {
        // Black on the left, white on the right: where two tiles meet, white meets black, so the
        // enlarged tile's outermost columns must be grey, not pure white and pure black.
        QImage halves(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                halves.setPixel(x, y, x < 4 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        const QImage tile = scaledForRatio(halves, 2, PictureUse::Tile);
        QCOMPARE(tile.size(), QSize(16, 16));
        QCOMPARE(tile.devicePixelRatio(), 2.0);
        const int first = qGray(tile.pixel(0, 8));
        const int last = qGray(tile.pixel(15, 8));
        QVERIFY2(first > 25 && first < 128 && last > 128 && last < 230,
                 qPrintable(QStringLiteral("%1 / %2").arg(first).arg(last)));
        QCOMPARE(qGray(tile.pixel(4, 8)), 0); // inside the black half
    }

    // The bitmap header's bits per pixel, as stored, and what the loader makes of it.
    void bitmapKeepsItsDepth_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bits");
        const std::pair<const char*, int> depths[] = {
            {"BUTTONS", 8},     {"POLE1", 24},        {"POLE2", 24},      {"LETTER1", 8},
            {"LETTER2", 24},    {"WALL1", 8},         {"WALL2", 8},       {"WALL3", 8},
            {"ABOUT_LOGO", 24}, {"ABOUT_BANNER", 24}, {"ABOUT_BALL", 24},
        };
        for (const auto& [name, bits] : depths)
            QTest::newRow(name) << QString::fromLatin1(name) << bits;
    }

    void bitmapKeepsItsDepth() {
        QFETCH(QString, name);
        QFETCH(int, bits);
        QFile file(QStringLiteral(":/bitmaps/") + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30);
        QVERIFY2(header.startsWith("BM"), "not a Windows bitmap");
        QCOMPARE(int(qFromLittleEndian<quint16>(header.constData() + 28)), bits);
        const QImage image = bitmap(name);
        QCOMPARE(image.format() == QImage::Format_Indexed8, bits == 8);
        if (bits == 8)
            QVERIFY(image.colorCount() <= 256);
    }

    // Textures are tiled side by side: the step from a tile's last column (or row) to the next
    // tile's first must look like a step between two neighbours inside the tile. The two cell
    // textures are left out, as each tile is one whole cell with its own bevel.
    void textureTilesWithoutSeam_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"BUTTONS", "LETTER1", "LETTER2", "WALL1", "WALL2", "WALL3"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void textureTilesWithoutSeam() {
        QFETCH(QString, name);
        const QImage tile = bitmap(name);
        const std::pair<const char*, QImage> directions[] = {
            {"columns", tile}, {"rows", tile.transformed(QTransform(0, 1, 1, 0, 0, 0))}};
        for (const auto& [direction, image] : directions) {
            const SeamMeasure seam = measureSeam(image);
            QVERIFY2(seam.acrossEdge <= 1.1 * seam.largestInside + 2.0,
                     qPrintable(QStringLiteral("%1: step across the edge %2, largest inside %3")
                                    .arg(QLatin1String(direction))
                                    .arg(seam.acrossEdge)
                                    .arg(seam.largestInside)));
        }
    }

    // Faces that follow each other in an animation must differ, or the animation stands still.
    void facesAreAllDifferent() {
        std::vector<QImage> faces;
        for (const QString& name : kFaces)
            faces.push_back(bitmap(name).convertToFormat(QImage::Format_RGB32));
        for (size_t i = 0; i < faces.size(); ++i)
            for (size_t j = i + 1; j < faces.size(); ++j)
                QVERIFY2(faces[i] != faces[j],
                         qPrintable(kFaces[int(i)] + QStringLiteral(" equals ") + kFaces[int(j)]));
    }

    // Black is the About pictures' transparent colour: their corners are black and the
    // drawing itself covers a fair part of the picture.
    void aboutPictureIsDrawnOnBlack_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("minimumCover");
        QTest::newRow("logo") << QStringLiteral("ABOUT_LOGO") << 0.25;
        QTest::newRow("banner") << QStringLiteral("ABOUT_BANNER") << 0.25;
        QTest::newRow("ball") << QStringLiteral("ABOUT_BALL") << 0.25;
    }

    void aboutPictureIsDrawnOnBlack() {
        QFETCH(QString, name);
        QFETCH(double, minimumCover);
        const QImage image = bitmap(name).convertToFormat(QImage::Format_RGB32);
        const int w = image.width();
        const int h = image.height();
        for (const QPoint& corner :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            QCOMPARE(image.pixel(corner) & 0xFFFFFFu, 0u);
        int drawn = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                drawn += (image.pixel(x, y) & 0xFFFFFFu) != 0;
        QVERIFY2(drawn >= minimumCover * w * h, qPrintable(QString::number(drawn)));
    }

    void menuImageIsASmallIcon_data() {
        QTest::addColumn<QString>("name");
        for (int index = 0; index <= 10; ++index)
            QTest::newRow(qPrintable(QString::number(index))) << QString::number(index);
        QTest::newRow("SITE1") << QStringLiteral("SITE1");
        QTest::newRow("SITE2") << QStringLiteral("SITE2");
    }

    void menuImageIsASmallIcon() {
        QFETCH(QString, name);
        const QString path = QStringLiteral(":/menu/") + name;
        QVERIFY(!QIcon(path).isNull());
        const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(16, 16));
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(image.pixel(x, y)) >= 128;
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // the menu shows through around the image
        QVERIFY2(opaque >= 60 && opaque < 256, qPrintable(QString::number(opaque)));
    }

    void soundIsCleanPcm_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        const std::tuple<const char*, double, double> sounds[] = {
            {"click1.wav", 0.02, 0.15}, {"click2.wav", 0.02, 0.15}, {"click3.wav", 0.02, 0.15},
            {"apply.wav", 0.15, 0.5},   {"winner.wav", 0.8, 2.0},   {"loser.wav", 0.8, 2.0},
            {"bang1.wav", 0.05, 0.5},   {"bang2.wav", 0.05, 0.5},   {"question.wav", 0.2, 0.5},
        };
        for (const auto& [file, shortest, longest] : sounds)
            QTest::newRow(file) << QString::fromLatin1(file) << shortest << longest;
    }

    void soundIsCleanPcm() {
        QFETCH(QString, file);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        const Wave wave =
            readWave(QStringLiteral(VORDA_SOURCE_DIR "/dist/Textures/sounds/") + file);
        QVERIFY2(wave.error.isEmpty(), qPrintable(wave.error));
        QCOMPARE(wave.format, 1); // PCM
        QCOMPARE(wave.bits, 16);
        QVERIFY(wave.channels == 1 || wave.channels == 2);
        QVERIFY(wave.sampleRate == 22050 || wave.sampleRate == 44100);
        const double seconds = double(wave.samples.size()) / wave.sampleRate;
        QVERIFY2(seconds >= shortest && seconds <= longest, qPrintable(QString::number(seconds)));

        int peak = 0;
        for (qint16 s : wave.samples)
            peak = std::max(peak, std::abs(int(s)));
        QVERIFY2(peak < 32000, "the sound reaches full scale and may clip");
        // Faded in and out: no click when the sound starts or is cut off at its end.
        QVERIFY(std::abs(int(wave.samples.front())) <= 64);
        QVERIFY(std::abs(int(wave.samples.back())) <= 64);
        // One loudness for all, within 2 LU: -18 LUFS, give or take one.
        const double loudness = loopedLoudness(wave.samples, wave.sampleRate);
        QVERIFY2(loudness > -19 && loudness < -17, qPrintable(QString::number(loudness)));
    }
};

QTEST_MAIN(ResourcesTest)
#include "tst_resources.moc"
