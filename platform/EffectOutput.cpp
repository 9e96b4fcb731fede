#include "platform/EffectOutput.h"

#include <QFile>
#include <QTimer>

namespace {
// The stream keeps a buffer of a few tens of milliseconds, topped up every 5 ms by a thread that
// does nothing else, which rides out the short stalls of a busy machine.
constexpr int kFeedMilliseconds = 5;
} // namespace

EffectOutput::EffectOutput(std::unique_ptr<AudioStream> stream) : stream_(std::move(stream)) {}

EffectOutput::~EffectOutput() {
    // The ticks stop first: a closing stream may run pending events.
    feeder_.reset();
    stream_.reset();
}

bool EffectOutput::open() {
    if (!stream_->open())
        return false;
    feed(false);
    feeder_ = std::make_unique<QTimer>();
    feeder_->setTimerType(Qt::PreciseTimer);
    feeder_->setInterval(kFeedMilliseconds);
    QObject::connect(feeder_.get(), &QTimer::timeout, [this] { feed(false); });
    feeder_->start();
    return true;
}

void EffectOutput::play(const QString& path) {
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
    effects_.play(samples);
    // Fed at once rather than at the next tick.
    feed(true);
}

void EffectOutput::feed(bool reopen) {
    if (!stream_->isRunning()) {
        if (!reopen || !stream_->open())
            return;
    }
    const qint64 free = stream_->bytesFree();
    if (free <= 0)
        return;
    chunk_.resize(free);
    const qint64 size = effects_.read(chunk_.data(), free);
    stream_->write(chunk_.constData(), size);
}
