#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The game's reads and writes of files a player owns (settings, records, word libraries,
// pictures). A write either happens whole or leaves the file as it was; on failure `reason`
// tells why, in the words of the system ("No space left on device").
//
// Only regular files are read or replaced. A path that names a folder, a device or a FIFO is
// refused, before anything opens it for reading (a FIFO would block the reading, a device
// could never end it). A symbolic link is followed: the file it leads to is read or replaced,
// and the link stays.

// Refuses every later write below `folder` (with a trailing "/"; empty allows all again): the
// game reads its installed files there when it has no folder of its own to keep files in, and
// then changes nothing, not even as root.
void refuseWritesBelow(const QString& folder);

// The reason given for a write below that folder.
QString refusedFolderReason();

// The infix of our temporary files: "<name>.vorda-tmp-XXXXXX" beside the file being replaced.
// No player names a copy like that, so only such names are ever removed.
extern const char* const kTemporaryInfix; // ".vorda-tmp-"

// The reason given for a path that is not a regular file.
QString notARegularFileReason();

// True when `path` (its links followed) names something that exists and is not a regular file.
bool isPresentButNotRegular(const QString& path);

// Reads the whole regular file at `path`, of at most maxBytes bytes. A file that is missing,
// not a regular file, larger than maxBytes or unreadable gives false and the reason.
bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* reason);
// Reads at most the first `count` bytes of the regular file at `path` (fewer when it is
// shorter); false when it is missing, not a regular file or cannot be opened.
bool readRegularFileStart(const QString& path, qint64 count, QByteArray* bytes);

// Replaces the file at `path` with `bytes`: they are written to a temporary file beside it
// ("<name>.vorda-tmp-XXXXXX"), flushed and synced, and only then renamed over the old file,
// which keeps its permissions. A file the player may not write is not replaced, nor is one in a
// folder where no new file can be made (a shared copy with writable files in a folder the
// player may not change): written in place, a kill in the middle would leave it torn. The
// reason then says so (unchangeableFolderReason).
bool replaceFileContents(const QString& path, const QByteArray& bytes, QString* reason);

// The reason given for a file whose folder may not be changed, with the system's words.
QString unchangeableFolderReason(const QString& systemWords);

// Renames the file at `from` to `to` in the same folder, replacing what `to` held, so a file too
// large to copy is kept whole under another name. Refused below the folder that may not be
// written.
bool moveFileAside(const QString& from, const QString& to, QString* reason);

// Adds `bytes` at the end of the existing file at `path`. When any of them cannot be written,
// the file is cut back to its former length, so no fragment of the addition stays behind.
bool appendToFile(const QString& path, const QByteArray& bytes, QString* reason);

// Removes the temporary files that a replacement of each of `paths` leaves beside the file when
// the process is killed in the middle: "<name>.vorda-tmp-" and six letters or digits. Nothing
// else.
void removeStaleTemporaryFiles(const QStringList& paths);
