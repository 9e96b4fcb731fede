// The stream the sound output is fed from: which wave files it takes, and that an effect comes
// out whole, is cut only by the next one, and is followed by silence.
#include "platform/EffectStream.h"

#include <QtTest>

namespace {

QByteArray le(quint32 value, int size) {
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray bytes = QByteArray(id) + le(static_cast<quint32>(body.size()), 4) + body;
    if (body.size() % 2)
        bytes.append('\0');
    return bytes;
}

QByteArray format(int rate, int channels, int bits, int encoding = 1) {
    return chunk("fmt ", le(encoding, 2) + le(channels, 2) + le(rate, 4) +
                             le(rate * channels * bits / 8, 4) + le(channels * bits / 8, 2) +
                             le(bits, 2));
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le(static_cast<quint32>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

const QByteArray kSamples("\x01\x00\xff\x7f\x00\x80\x02\x00", 8);

// An effect of `count` samples numbered 1, 2, ...
std::shared_ptr<const QByteArray> numbered(int count, int first = 1) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += le(static_cast<quint32>(first + i), 2);
    return std::make_shared<const QByteArray>(bytes);
}

} // namespace

class EffectStreamTest : public QObject {
    Q_OBJECT

private slots:
    void readsOnlyTheEffectsFormat_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("accepted");
        const QByteArray fmt = format(22050, 1, 16);
        QTest::newRow("the generator's file") << riff(fmt + chunk("data", kSamples)) << true;
        QTest::newRow("an odd chunk before, padded")
            << riff(chunk("LIST", "abc") + fmt + chunk("data", kSamples)) << true;
        QTest::newRow("stereo") << riff(format(22050, 2, 16) + chunk("data", kSamples)) << false;
        QTest::newRow("8 bits") << riff(format(22050, 1, 8) + chunk("data", kSamples)) << false;
        QTest::newRow("44100 Hz") << riff(format(44100, 1, 16) + chunk("data", kSamples)) << false;
        QTest::newRow("compressed")
            << riff(format(22050, 1, 16, 2) + chunk("data", kSamples)) << false;
        QTest::newRow("data before the format") << riff(chunk("data", kSamples) + fmt) << false;
        QTest::newRow("no data") << riff(fmt) << false;
        QTest::newRow("cut off in the data")
            << riff(fmt + chunk("data", kSamples)).chopped(3) << false;
        QTest::newRow("not RIFF") << QByteArray("RIFX") + riff(fmt).mid(4) << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void readsOnlyTheEffectsFormat() {
        QFETCH(QByteArray, file);
        QFETCH(bool, accepted);
        const auto samples = effectSamples(file);
        QCOMPARE(samples.has_value(), accepted);
        if (accepted)
            QCOMPARE(*samples, kSamples);
    }

    // Each row plays effects and reads in turn: a positive number reads that many bytes, a
    // negative one plays an effect of that many samples numbered from 100 times its place.
    // The samples read must be `heard` (0 is silence).
    void playsEachEffectWholeUntilTheNext_data() {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QList<int>>("heard");
        QTest::newRow("silence before any effect") << QList<int>{6} << QList<int>{0, 0, 0};
        QTest::newRow("whole across reads, then silence")
            << QList<int>{-3, 4, 4} << QList<int>{1, 2, 3, 0};
        QTest::newRow("a new effect cuts the old one")
            << QList<int>{-3, 2, -2, 6} << QList<int>{1, 101, 102, 0};
        QTest::newRow("an effect ending on a read's end")
            << QList<int>{-2, 4, 2} << QList<int>{1, 2, 0};
        QTest::newRow("half a sample is left for the next read")
            << QList<int>{-2, 3, 2} << QList<int>{1, 2};
    }

    void playsEachEffectWholeUntilTheNext() {
        QFETCH(QList<int>, steps);
        QFETCH(QList<int>, heard);
        EffectStream stream;
        QList<int> samples;
        int effects = 0;
        for (int step : steps) {
            if (step < 0) {
                stream.play(numbered(-step, 1 + 100 * effects++));
                QVERIFY(stream.busy());
                continue;
            }
            QByteArray bytes(step, '\x55');
            const qint64 read = stream.read(bytes.data(), step);
            QCOMPARE(read, step & ~1);
            for (qint64 i = 0; i + 1 < read; i += 2)
                samples << static_cast<qint16>(quint8(bytes[i]) | (quint8(bytes[i + 1]) << 8));
        }
        QCOMPARE(samples, heard);
        QCOMPARE(stream.busy(), false);
    }
};

QTEST_GUILESS_MAIN(EffectStreamTest)
#include "tst_effectstream.moc"
