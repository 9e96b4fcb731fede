#include "platform/SoundOutput.h"

#include "platform/EffectStream.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <map>
#include <memory>
#include <utility>

namespace {
// A click must be heard within 30 ms of the press. The output asks for a 30 ms buffer (the
// sound server keeps about half of it queued: 15 ms on PulseAudio), topped up every 5 ms by a
// thread that does nothing else, which rides out the short stalls of a busy machine. Qt's own
// pulling is not used: it feeds whole 20 ms periods and never feeds a buffer under two of them.
constexpr int kBufferMilliseconds = 30;
constexpr int kFeedMilliseconds = 5;

QAudioFormat effectFormat() {
    QAudioFormat format;
    format.setSampleRate(kEffectSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

class Player {
public:
    void play(const QString& path) {
        if (!started_ && !start())
            return;
        auto& samples = loaded_[path];
        if (!samples) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return;
            const auto read = effectSamples(file.readAll());
            if (!read)
                return;
            samples = std::make_shared<const QByteArray>(*read);
        }
        stream_.play(samples);
        // Fed at once rather than at the next tick; and a stream that the server dropped (a
        // sound card taken away) is opened again.
        QMetaObject::invokeMethod(feeder_, [this] { feed(true); });
    }

private:
    // Starts the output's thread on the first play; false when there is no output.
    bool start() {
        if (tried_)
            return false;
        tried_ = true;
        device_ = QMediaDevices::defaultAudioOutput();
        if (device_.isNull() || !device_.isFormatSupported(effectFormat()) || !qApp)
            return false;
        feeder_ = new QTimer;
        feeder_->setTimerType(Qt::PreciseTimer);
        feeder_->setInterval(kFeedMilliseconds);
        QObject::connect(feeder_, &QTimer::timeout, [this] { feed(false); });
        feeder_->moveToThread(&thread_);
        thread_.setObjectName(QStringLiteral("sound output"));
        thread_.start();
        // The stream is opened, and running on silence, before the first effect goes in: a
        // stream that starts on a sound loses its first milliseconds.
        QMetaObject::invokeMethod(
            feeder_,
            [this] {
                feed(true);
                feeder_->start();
            },
            Qt::BlockingQueuedConnection);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] { stop(); });
        started_ = true;
        return true;
    }

    // On the output's thread: tops the stream up, and with `reopen` (at a play, not at every
    // tick) opens it again if it has stopped.
    void feed(bool reopen) {
        if (!sink_ || sink_->state() == QAudio::StoppedState) {
            if (!reopen || closing_)
                return;
            // A closing sink runs pending events, ticks and plays among them: they find no sink
            // and leave the opening to this call.
            closing_ = true;
            delete std::exchange(sink_, nullptr);
            closing_ = false;
            sink_ = new QAudioSink(device_, effectFormat());
            sink_->setBufferSize(effectFormat().bytesForDuration(kBufferMilliseconds * 1000));
            input_ = sink_->start();
            if (!input_)
                return;
        }
        const qint64 free = sink_->bytesFree();
        if (free <= 0)
            return;
        chunk_.resize(free);
        const qint64 size = stream_.read(chunk_.data(), free);
        input_->write(chunk_.constData(), size);
    }

    void stop() {
        if (!started_)
            return;
        started_ = false;
        QMetaObject::invokeMethod(
            feeder_,
            [this] {
                // The ticks stop first: a closing sink runs pending events.
                delete std::exchange(feeder_, nullptr);
                delete std::exchange(sink_, nullptr);
            },
            Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }

    bool tried_ = false;
    bool started_ = false;
    QAudioDevice device_;
    EffectStream stream_;
    std::map<QString, std::shared_ptr<const QByteArray>> loaded_; // main thread only
    QThread thread_;
    // On thread_:
    QTimer* feeder_ = nullptr;
    QAudioSink* sink_ = nullptr;
    bool closing_ = false;
    QIODevice* input_ = nullptr; // owned by sink_
    QByteArray chunk_;
};

Player& player() {
    // Kept to the end of the process: the output is closed when the application quits, not in
    // a static destructor after it.
    static Player* p = new Player;
    return *p;
}
} // namespace

// The entry of the sound module (see SoundLoader.cpp).
extern "C" Q_DECL_EXPORT void vordaPlayWaveFile(const QString& path) {
    player().play(path);
}
