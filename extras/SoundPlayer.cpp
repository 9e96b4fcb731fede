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
    output().play(QDir::current().absoluteFilePath(QStringLiteral("sounds/") +
                                                   QString::fromLatin1(soundFiles[number])));
}

void SoundPlayer::setSwitchedOn(bool on) {
    switchedOn_ = on;
    openOutputIfWanted();
}

void SoundPlayer::allowOutput() {
    outputAllowed_ = true;
    openOutputIfWanted();
}

SoundOutput& SoundPlayer::output() const {
    return output_ ? *output_ : soundOutput();
}

void SoundPlayer::openOutputIfWanted() {
    // Tests that watch the effects hear nothing from the output.
    if (switchedOn_ && outputAllowed_ && !effectObserver)
        output().open();
}
