#include "extras/SoundPlayer.h"

#include "extras/SoundEffects.h"
#include "platform/SoundOutput.h"
#include "platform/VordaError.h"

#include <QDir>

void SoundPlayer::play(int number) const {
    if (number < 0 || number >= kSoundEffects)
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: sound %1").arg(number));
    if (!switchedOn_)
        return;
    if (effectObserver) {
        effectObserver(number);
        return;
    }
    playWaveFile(QDir::current().absoluteFilePath(QStringLiteral("sounds/") +
                                                  QString::fromLatin1(soundFiles[number])));
}
