#pragma once

#include <QByteArray>
#include <QString>

// The game's writes of files a player owns (settings, records, word libraries). A write
// either happens whole or leaves the file as it was; on failure `reason` tells why, in the
// words of the system ("No space left on device").

// Replaces the file at `path` with `bytes`: they are written to a temporary file beside it
// ("<name>.XXXXXX"), flushed and checked, and only then renamed over the old file. A buffered
// write that failed (a full disk) cancels the replacement instead of committing an empty file.
bool ReplaceFileContents(const QString& path, const QByteArray& bytes, QString* reason);

// Adds `bytes` at the end of the existing file at `path`. When any of them cannot be written,
// the file is cut back to its former length, so no fragment of the addition stays behind.
bool AppendToFile(const QString& path, const QByteArray& bytes, QString* reason);

// Removes the temporary files that a replacement of `path` leaves beside it when the process
// is killed in the middle: `path` followed by "." and six letters or digits.
void RemoveStaleTemporaryFiles(const QString& path);
