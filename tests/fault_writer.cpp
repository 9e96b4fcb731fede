// A child of the fault tests: rewrites the settings and the records file of a program folder
// the way the game does at its close, switching between two versions of each.
//
//   fault_writer FOLDER 0|1   writes that version once
//   fault_writer FOLDER loop  writes 0, prints "ready" and the microseconds that took, then
//                             writes 1, 0, 1, 0 ... until it is killed

#include "core/GameState.h"
#include "core/WordsUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/ProgramFolder.h"
#include "records/WinnersUnit.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

void WriteVersion(int version) {
    Words.Language = uint16_t(version == 0 ? 1 : 2);
    Game.MaxWordLength = uint16_t(version == 0 ? 4 : 7);
    TextureChoice.SkinName = version == 0 ? "" : "Meadow";
    WriteSettings();
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                Winners[language][strength][place] = {"player " + std::to_string(version) + "." +
                                                          std::to_string(place),
                                                      (version + 1) * (100 - place)};
    WriteWinners();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 3)
        return 2;
    SetProgramFolder(QString::fromLocal8Bit(argv[1]));
    InitSettingsFile();
    const std::string mode = argv[2];
    if (mode != "loop") {
        WriteVersion(mode == "1" ? 1 : 0);
        return 0;
    }
    // One round first, timed, so that the killer can spread its moments over whole rounds.
    QElapsedTimer round;
    round.start();
    WriteVersion(0);
    std::printf("ready %lld\n", static_cast<long long>(round.nsecsElapsed() / 1000));
    std::fflush(stdout);
    for (int version = 1;; version = 1 - version)
        WriteVersion(version);
}
