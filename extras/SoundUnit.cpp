#include "extras/SoundUnit.h"

const char* const SoundFiles[kSoundEffects] = {"click1.wav", "click2.wav", "click3.wav",
                                               "apply.wav",  "winner.wav", "loser.wav",
                                               "bang1.wav",  "bang2.wav",  "question.wav"};
