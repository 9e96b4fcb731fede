#pragma once

#include "platform/EffectStream.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>

class QTimer;

// An output stream of the sound server, in the effects' format (EffectStream.h), as the
// effect output uses it: a QAudioSink in the sound module, a stand-in in the tests.
class AudioStream {
public:
    virtual ~AudioStream() = default;
    // Opens the stream, closing the one before if there is one; false when it cannot be opened.
    virtual bool open() = 0;
    // Whether the stream is open and running: the sound server may drop it (a sound card taken
    // away).
    virtual bool isRunning() const = 0;
    // How many bytes the stream takes now.
    virtual qint64 bytesFree() const = 0;
    virtual void write(const char* data, qint64 size) = 0;
};

// Plays the effects through one stream that stays open from open() to the end: a stream opened
// per play loses its start or its end on the sound servers. Lives on one thread, whose event
// loop tops the stream up every few milliseconds, so a busy main thread never starves a sound.
class EffectOutput {
public:
    explicit EffectOutput(std::unique_ptr<AudioStream> stream);
    ~EffectOutput();

    // Opens the stream, running on silence before the first effect goes in (a stream that
    // starts on a sound loses its first milliseconds), and starts topping it up. False when
    // the stream cannot be opened.
    bool open();
    // Starts the wave file, cutting off the effect still playing. Each file is read once and
    // kept; a missing file, or one not in the effects' format, plays nothing. A stream that the
    // server dropped is opened again here, not at every top-up.
    void play(const QString& path);

private:
    void feed(bool reopen);

    std::unique_ptr<AudioStream> stream_;
    std::unique_ptr<QTimer> feeder_;
    EffectStream effects_;
    std::map<QString, std::shared_ptr<const QByteArray>> loaded_;
    QByteArray chunk_;
};
