#include "extras/SoundEffects.h"

#include "platform/Hooks.h"
#include "platform/SoundOutput.h"
#include "platform/VordaError.h"

#include <QDir>

const char* const soundFiles[kSoundEffects] = {"click1.wav", "click2.wav", "click3.wav",
                                               "apply.wav",  "winner.wav", "loser.wav",
                                               "bang1.wav",  "bang2.wav",  "question.wav"};

void playSoundEffect(int number) {
    if (number < 0 || number >= kSoundEffects)
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: sound %1").arg(number));
    if (!Hooks.soundSwitchedOn || !Hooks.soundSwitchedOn())
        return;
    if (Hooks.soundEffectObserver) {
        Hooks.soundEffectObserver(number);
        return;
    }
    playWaveFile(QDir::current().absoluteFilePath(QStringLiteral("sounds/") +
                                                  QString::fromLatin1(soundFiles[number])));
}
