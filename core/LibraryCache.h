#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

struct WordLibrary;

// A copy of a library's lists as they were read from its file and its ranks file, kept beside the
// file as
// "<library>.cache", so that a later start takes the lists in one piece instead of reading every
// word again. It names the state of the library file and of the ranks file it was made from
// (their sizes, the times they were last written and changed, their nodes on the disk), which
// every write, rename or copy changes: after any change of either the cache is passed over and
// made again, as is a
// cache that is damaged or of another version. Only a copy: when it cannot be written the game
// reads the library each time, and says nothing.
QString libraryCachePath(const QString& libraryPath);

struct LibraryFileState {
    bool exists = false;
    std::array<uint64_t, 5> identity{}; // size, written, changed (in ns), node, device
};
// Taken before the library is read, so a change during the reading makes the cache stale at
// once.
LibraryFileState libraryFileState(const QString& libraryPath);

// The files a cache of lists is made from: the library and its ranks file (a ranks file that
// does not exist counts as a state of its own, so its coming back remakes the cache too).
struct CacheSources {
    LibraryFileState library;
    LibraryFileState ranks;
};

// Fills the lists with their tiers, savedAsUtf8, ranks and the count of words.language from
// the cache made from the library and the ranks file in these states. False, with nothing
// changed, when there is no cache that fits or it holds only the count.
bool loadFromLibraryCache(WordLibrary& words, const QString& cachePath,
                          const CacheSources& sources);

// The count of word lines of the library from its cache, or -1 when there is none that fits.
int wordCountFromLibraryCache(const QString& cachePath, const LibraryFileState& library);

// Keeps the cache of the library: the lists of `words` with their tiers, just read from the
// sources, and their count; or, without lists, the count alone (the ranks' state is then of
// no account).
void writeLibraryCache(const QString& cachePath, const CacheSources& sources,
                       const WordLibrary* words, int count = -1);
