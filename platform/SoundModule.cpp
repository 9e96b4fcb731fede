// The sound module, vorda-sound.so: the effect output on Qt Multimedia's audio sink. The game
// loads it and calls it on its sound output's thread only (SoundOutput.cpp), so that neither
// Qt Multimedia's libraries nor the sound server ever hold up the windows.
#include "platform/EffectOutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

#include <memory>
#include <utility>

namespace {
// A click must be heard within 30 ms of the press. The sink asks for a 30 ms buffer (the sound
// server keeps about half of it queued: 15 ms on PulseAudio). Qt's own pulling is not used: it
// feeds whole 20 ms periods and never feeds a buffer under two of them.
constexpr int kBufferMilliseconds = 30;

QAudioFormat effectFormat() {
    QAudioFormat format;
    format.setSampleRate(kEffectSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

class SinkStream : public AudioStream {
public:
    explicit SinkStream(const QAudioDevice& device) : device_(device) {}
    ~SinkStream() override { delete std::exchange(sink_, nullptr); }

    bool open() override {
        // A closing sink runs pending events, ticks and plays among them: they find no sink
        // and leave the opening to the call that closes it.
        if (closing_)
            return false;
        closing_ = true;
        delete std::exchange(sink_, nullptr);
        closing_ = false;
        sink_ = new QAudioSink(device_, effectFormat());
        sink_->setBufferSize(effectFormat().bytesForDuration(kBufferMilliseconds * 1000));
        input_ = sink_->start();
        return input_ != nullptr;
    }
    bool isRunning() const override {
        return sink_ && input_ && sink_->state() != QAudio::StoppedState;
    }
    qint64 bytesFree() const override { return sink_->bytesFree(); }
    void write(const char* data, qint64 size) override { input_->write(data, size); }

private:
    QAudioDevice device_;
    QAudioSink* sink_ = nullptr;
    QIODevice* input_ = nullptr; // owned by sink_
    bool closing_ = false;
};

// Made, used and deleted on the sound output's thread only; no static destructor touches it.
EffectOutput* output = nullptr;
} // namespace

// The module's entries (see SoundOutput.cpp). Opening answers false when the machine has no
// audio output in the effects' format.
extern "C" Q_DECL_EXPORT bool vordaOpenSoundOutput() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(effectFormat()))
        return false;
    auto opened = std::make_unique<EffectOutput>(std::make_unique<SinkStream>(device));
    if (!opened->open())
        return false;
    delete output;
    output = opened.release();
    return true;
}

extern "C" Q_DECL_EXPORT void vordaPlayWaveFile(const QString& path) {
    if (output)
        output->play(path);
}

extern "C" Q_DECL_EXPORT void vordaCloseSoundOutput() {
    delete std::exchange(output, nullptr);
}
