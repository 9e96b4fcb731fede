#include "extras/SoundEffects.h"

const char* const soundFiles[kSoundEffects] = {"click1.wav", "click2.wav", "click3.wav",
                                               "apply.wav",  "winner.wav", "loser.wav",
                                               "bang1.wav",  "bang2.wav",  "question.wav"};
