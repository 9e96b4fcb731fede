// A child of the fault tests: rewrites the settings and the records file of a program folder
// the way the game does at its close, and the saved game the way it does after a move,
// switching between two versions of each. Both versions of the settings keep the language and
// the strength of both saved games, so that whichever pair a kill leaves resumes its game.
//
//   fault_writer FOLDER 0|1   writes that version once
//   fault_writer FOLDER loop  writes 0, prints "ready" and the microseconds that took, then
//                             writes 1, 0, 1, 0 ... until it is killed
//   fault_writer FOLDER shared  the same loop as a player who may write the files but not their
//                             folders (run by root, with the file rights of "nobody"); the game
//                             refuses each write there, and the loop goes on

#include "core/GameState.h"
#include "core/SavedGame.h"
#include "core/WordLibrary.h"
#include "extras/GameServices.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"
#include "records/RecordsTable.h"
#include "settings/SettingsFile.h"
#include "settings/StrengthWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

#include <sys/fsuid.h>
#include <unistd.h>

namespace {

MoveRecord Move(Player player, CellPos cell, const char* utf8Word, std::vector<CellPos> path) {
    MoveRecord move;
    move.player = player;
    move.cell = cell;
    move.word = unicodeToCp1251(QString::fromUtf8(utf8Word));
    if (cell.valid())
        for (size_t i = 0; i < path.size(); ++i)
            if (path[i] == cell)
                move.letter = move.word[i];
    move.path = std::move(path);
    move.score = player == Player::Nobody ? 0 : int(move.word.size());
    return move;
}

// Version 0 is a game just started, version 1 the same game two words on.
// Whether a refused write is expected: the files' folders may not be changed.
bool sharedFolder = false;

void writeSavedGameVersion(int version) {
    std::vector<MoveRecord> moves = {
        Move(Player::Nobody, {}, "КОШКА", {{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}})};
    if (version == 1) {
        moves.push_back(Move(Player::Human, {1, 1}, "ДО", {{1, 1}, {1, 2}}));
        moves.push_back(Move(Player::Computer, {1, 3}, "ОМ", {{1, 2}, {1, 3}}));
    }
    QString reason;
    const std::optional<GameState> state = replayMoves(moves, &reason);
    if (!state || (!writeSavedGame(savedGameBytes(1, 2, *state), &reason) && !sharedFolder)) {
        std::fprintf(stderr, "saved game: %s\n", qPrintable(reason));
        std::exit(3);
    }
}

void writeVersion(GameServices& services, int version) {
    services.words().language = 1;
    services.game().maxWordLength = 4;
    ChosenTextures.skinName = version == 0 ? "" : "Meadow";
    const auto refusedThere = [](auto write) {
        try {
            write();
        } catch (const VordaError&) {
            if (!sharedFolder)
                throw;
        }
    };
    refusedThere([&] { writeSettings(services); });
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                services.winners().lists[language][strength][place] = {
                    "player " + std::to_string(version) + "." + std::to_string(place),
                    (version + 1) * (100 - place)};
    refusedThere([&] { writeWinners(services.winners()); });
    writeSavedGameVersion(version);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 3)
        return 2;
    setGameFolder(QString::fromLocal8Bit(argv[1]));
    GameServices services;
    initSettingsFile(services.settingsFile());
    const std::string mode = argv[2];
    sharedFolder = mode == "shared";
    if (sharedFolder && ::geteuid() == 0)
        ::setfsuid(65534);
    if (mode != "loop" && !sharedFolder) {
        writeVersion(services, mode == "1" ? 1 : 0);
        return 0;
    }
    // One round first, timed, so that the killer can spread its moments over whole rounds.
    QElapsedTimer round;
    round.start();
    writeVersion(services, 0);
    std::printf("ready %lld\n", static_cast<long long>(round.nsecsElapsed() / 1000));
    std::fflush(stdout);
    for (int version = 1;; version = 1 - version)
        writeVersion(services, version);
}
