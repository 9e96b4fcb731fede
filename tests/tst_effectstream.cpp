// The stream the sound output is fed from: which wave files it takes, and that an effect comes
// out whole, is cut only by the next one, and is followed by silence; and the output that plays
// every effect through one stream of the sound server.
#include "platform/EffectOutput.h"
#include "platform/EffectStream.h"

#include <QTemporaryDir>
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

// A sound server's stream that counts its openings; the test drops it as a server would.
struct StreamLog {
    int opens = 0;
    bool running = false;
    QByteArray written;
};

class LoggedStream : public AudioStream {
public:
    explicit LoggedStream(StreamLog& log) : log_(log) {}
    bool open() override {
        ++log_.opens;
        log_.running = true;
        return true;
    }
    bool isRunning() const override { return log_.running; }
    qint64 bytesFree() const override { return 64; }
    void write(const char* data, qint64 size) override { log_.written.append(data, size); }

private:
    StreamLog& log_;
};

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

    // Steps: "play" an effect, "drop" the stream as the server does when a sound card goes,
    // "tick" while the output tops the stream up. `opens` counts the stream's openings after
    // the output's own and each step.
    void effectsGoThroughOneStream_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("opens");
        QTest::newRow("three plays keep one stream")
            << QStringList{"play", "play", "play"} << QList<int>{1, 1, 1, 1};
        QTest::newRow("a dropped stream is opened again at the next play, not at a tick")
            << QStringList{"drop", "tick", "play"} << QList<int>{1, 1, 1, 2};
    }
    void effectsGoThroughOneStream() {
        QFETCH(QStringList, steps);
        QTemporaryDir folder;
        const QString path = folder.filePath("click.wav");
        const QByteArray samples = le(0x1234, 2) + le(0x5678, 2);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write(riff(format(22050, 1, 16) + chunk("data", samples))) > 0);
        file.close();
        StreamLog log;
        EffectOutput output(std::make_unique<LoggedStream>(log));
        QVERIFY(output.open());
        QList<int> opens{log.opens};
        for (const QString& step : steps) {
            if (step == "play")
                output.play(path);
            else if (step == "drop")
                log.running = false;
            else
                QTest::qWait(30);
            opens << log.opens;
        }
        QTEST(opens, "opens");
        if (steps.endsWith("play"))
            QVERIFY(log.written.contains(samples));
    }
};

QTEST_GUILESS_MAIN(EffectStreamTest)
#include "tst_effectstream.moc"
