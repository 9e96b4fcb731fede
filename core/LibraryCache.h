#pragma once

#include <QByteArray>
#include <QString>

struct WordLibrary;

// A copy of a library's lists as they were read from its file, kept beside the file as
// "<library>.cache", so that a later start takes the lists in one piece instead of reading every
// word again. It names the size of the library file and a hash of its bytes, and serves only
// those very bytes: after any change of the library it is passed over and made again, as is a
// cache that is damaged or of another version. Only a copy: when it cannot be written the game
// reads the library each time, and says nothing.
QString libraryCachePath(const QString& libraryPath);

// Fills the lists, savedAsUtf8 and the count of words.language from the cache made from
// `library` (the library file's bytes). False, with nothing changed, when there is no cache
// that fits or it holds only the count.
bool loadFromLibraryCache(WordLibrary& words, const QString& cachePath, const QByteArray& library);

// The count of word lines of `library` from its cache, or -1 when there is none that fits.
int wordCountFromLibraryCache(const QString& cachePath, const QByteArray& library);

// Keeps the cache of `library`: the lists of `words`, just read from it, and their count; or,
// without lists, the count alone (a cache with lists already made from the same bytes is left as
// it is).
void writeLibraryCache(const QString& cachePath, const QByteArray& library,
                       const WordLibrary* words, int count = -1);
