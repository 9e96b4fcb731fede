#pragma once

#include <QByteArray>
#include <QString>

// The game folder, with a trailing "/": the folder that holds the settings file, DATA/ and
// Textures/ ("DATA/Lib.RUS", "Vorda2000.ini"), read and written by the game. Until
// prepareGameFolder or setGameFolder decides otherwise it is the program's own folder.
// Tests point it at a temporary folder.
QString gameFolder();
void setGameFolder(const QString& folderWithTrailingSlash);

// The installed copy of the accompanying files ("<program folder>/../share/vorda2000/", with a
// trailing "/") when the program runs installed, else empty. The game never writes there.
// Tests set their own.
QString installedFilesFolder();
void setInstalledFilesFolder(const QString& folderWithTrailingSlash);

// The name of the per-user game folder below the user's data folder.
extern const char* const kUserFolderName; // "vorda2000"

// Where the game keeps its files, as decided at start-up.
struct GameFolderChoice {
    QString folder;          // the game folder, with a trailing "/"
    QString installedFolder; // the installed accompanying files, or empty (see above)
    QString problem;         // empty, or a message for the player naming the per-user folder
    bool newPlayer = false;  // the settings file was copied into the per-user folder just now
    bool readOnly = false;   // the game reads the installed files and may keep nothing
};

// Decides the game folder of a program that lives in programFolder:
// - when the accompanying files sit beside the program (the settings file is there) or there
//   is no installed copy in "../share/vorda2000/", the program's folder, untouched;
// - otherwise the program is installed: the game folder is "<dataHome>/vorda2000/". What is
//   missing there is copied from the installed files, each file in one step; a file the
//   player has is never overwritten, and the installed files are only read.
// When the per-user folder cannot be made, the game reads the installed files instead, writes
// nothing there (readOnly) and problem says so; when some files cannot be copied, the folder is
// kept and problem names the first of them. Either way the game can go on with what is there.
GameFolderChoice decideGameFolder(const QString& programFolder, const QString& dataHome);
// The same for folders given as the system's path bytes, which need not be UTF-8 (a folder
// named in Windows-1251): such a folder is reached through an open handle of it
// ("/proc/self/fd/<n>/"), so every path the game forms from it leads to the right place. A
// data folder that cannot be reached counts as one that cannot be made.
GameFolderChoice decideGameFolder(const QByteArray& programFolder, const QByteArray& dataHome);

// The user's data folder as path bytes: $XDG_DATA_HOME when it is an absolute path (a relative
// one is ignored), else "$HOME/.local/share" when $HOME is a folder that exists; empty
// otherwise.
QByteArray dataHomeFolder(const QByteArray& xdgDataHome, const QByteArray& home);

// decideGameFolder for the running program (the folder of its path bytes) and the user's data
// folder (dataHomeFolder of the environment); binds gameFolder() and installedFilesFolder() to the
// result.
// In the per-user folder, a new player's game starts in the locale's language, and the
// folder is brought up to date with the installed files (updatePlayerFolder).
GameFolderChoice prepareGameFolder();
