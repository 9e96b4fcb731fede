// The sound output lives in a module of its own (vorda-sound.so, SoundOutput.cpp), loaded at
// the first sound: beside the program in its build folder, in PREFIX/lib/vorda2000/ when
// installed (the program in PREFIX/games/).
#include "platform/SoundOutput.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {
using PlayFunction = void (*)(const QString&);

PlayFunction loadPlayer() {
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& path : {programDir + QStringLiteral("/vorda-sound.so"),
                                programDir + QStringLiteral("/../lib/vorda2000/vorda-sound.so")}) {
        // Kept loaded to the end of the process: its output closes when the application quits.
        auto* module = new QLibrary(path);
        if (auto play = reinterpret_cast<PlayFunction>(module->resolve("vordaPlayWaveFile")))
            return play;
        delete module;
    }
    // Without the module the game is silent, as on a machine without audio output.
    return nullptr;
}
} // namespace

void playWaveFile(const QString& path) {
    static const PlayFunction play = loadPlayer();
    if (play)
        play(path);
}
