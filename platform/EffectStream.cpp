#include "platform/EffectStream.h"

#include <QMutexLocker>

#include <algorithm>
#include <cstring>

namespace {
quint32 readLe(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}
} // namespace

std::optional<QByteArray> effectSamples(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    bool formatSeen = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = readLe(file, at + 4, 4);
        const qsizetype body = at + 8;
        if (size > file.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16 || readLe(file, body, 2) != 1 || readLe(file, body + 2, 2) != 1 ||
                readLe(file, body + 4, 4) != kEffectSampleRate || readLe(file, body + 14, 2) != 16)
                return std::nullopt;
            formatSeen = true;
        } else if (id == "data") {
            if (!formatSeen)
                return std::nullopt;
            return file.mid(body, size & ~qsizetype(1));
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

void EffectStream::play(std::shared_ptr<const QByteArray> samples) {
    QMutexLocker lock(&mutex_);
    playing_ = std::move(samples);
    position_ = 0;
}

bool EffectStream::busy() const {
    QMutexLocker lock(&mutex_);
    return playing_ && position_ < playing_->size();
}

qint64 EffectStream::read(char* data, qint64 maxSize) {
    // Whole samples only, so that a new effect never starts on half a sample.
    const qint64 size = maxSize & ~qint64(1);
    QMutexLocker lock(&mutex_);
    qint64 copied = 0;
    if (playing_) {
        copied = std::min(size, playing_->size() - position_);
        std::memcpy(data, playing_->constData() + position_, static_cast<size_t>(copied));
        position_ += copied;
        if (position_ >= playing_->size())
            playing_.reset();
    }
    std::memset(data + copied, 0, static_cast<size_t>(size - copied));
    return size;
}
