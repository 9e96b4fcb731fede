#include "core/LibraryCache.h"

#include "core/WordLibrary.h"
#include "platform/FileWriting.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <cstring>
#include <optional>

#include <sys/stat.h>

namespace {

constexpr char kMagic[] = "Vorda2000 lists\n"; // 16 bytes, without its terminating zero
constexpr size_t kMagicSize = sizeof kMagic - 1;
// 3: the lists hold only words of the language's letters (a cache of version 2 may hold lines
// with blanks or control bytes). 4: a tier for each word, and the ranks file's state.
constexpr uint32_t kVersion = 4;
constexpr uint32_t kHasLists = 1;
constexpr uint32_t kSavedAsUtf8 = 2;
constexpr uint32_t kRanksExist = 4;
constexpr uint32_t kRanksMissing = 8;
constexpr uint32_t kRanksDamaged = 16;
constexpr int kLists = kMaxWordLength + 1;
// Magic, version, flags, the library's state, the ranks file's state, word lines, a count per
// list, header hash.
constexpr size_t kHeaderSize = kMagicSize + 4 + 4 + 5 * 8 + 5 * 8 + 4 + 4 * kLists + 8;

// A hash of bytes, enough to tell a cache damaged on the disk: four lanes of eight bytes at a
// time, each multiplied and folded, then folded into one.
uint64_t bytesHash(const char* p, size_t n) {
    constexpr uint64_t kPrime = 0x100000001b3ull;
    std::array<uint64_t, 4> lane = {0xcbf29ce484222325ull ^ n, 0x9e3779b97f4a7c15ull,
                                    0xbf58476d1ce4e5b9ull, 0x94d049bb133111ebull};
    size_t i = 0;
    for (; i + 32 <= n; i += 32)
        for (size_t k = 0; k < 4; ++k) {
            uint64_t word;
            std::memcpy(&word, p + i + 8 * k, 8);
            lane[k] = (lane[k] ^ word) * kPrime;
            lane[k] ^= lane[k] >> 32;
        }
    uint64_t h = lane[0];
    for (size_t k = 1; k < 4; ++k)
        h = (h ^ lane[k]) * kPrime;
    for (; i < n; ++i)
        h = (h ^ static_cast<unsigned char>(p[i])) * kPrime;
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    return h ^ (h >> 32);
}

struct Header {
    uint32_t flags = 0;
    std::array<uint64_t, 5> library{};
    std::array<uint64_t, 5> ranks{};
    uint32_t wordLines = 0;
    std::array<uint32_t, kLists> counts{};
};

template <typename T> void put(QByteArray& bytes, T value) {
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

template <typename T> T take(const char*& p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return qFromLittleEndian(value);
}

QByteArray headerBytes(const Header& header) {
    QByteArray bytes(kMagic, qsizetype(kMagicSize));
    put(bytes, kVersion);
    put(bytes, header.flags);
    for (uint64_t value : header.library)
        put(bytes, value);
    for (uint64_t value : header.ranks)
        put(bytes, value);
    put(bytes, header.wordLines);
    for (uint32_t count : header.counts)
        put(bytes, count);
    put(bytes, bytesHash(bytes.constData(), size_t(bytes.size())));
    return bytes;
}

// The header of a cache made from the library in this state, or nothing when the cache is of
// another state, of another version or damaged.
std::optional<Header> fittingHeader(const QByteArray& cache, const LibraryFileState& library) {
    if (!library.exists)
        return std::nullopt;
    if (size_t(cache.size()) < kHeaderSize || std::memcmp(cache.constData(), kMagic, kMagicSize))
        return std::nullopt;
    const char* p = cache.constData() + kMagicSize;
    if (take<uint32_t>(p) != kVersion)
        return std::nullopt;
    Header header;
    header.flags = take<uint32_t>(p);
    for (uint64_t& value : header.library)
        value = take<uint64_t>(p);
    for (uint64_t& value : header.ranks)
        value = take<uint64_t>(p);
    header.wordLines = take<uint32_t>(p);
    for (uint32_t& count : header.counts)
        count = take<uint32_t>(p);
    const uint64_t headerHash = take<uint64_t>(p);
    if (headerHash != bytesHash(cache.constData(), kHeaderSize - 8) ||
        header.wordLines > kMaxWordLines || header.library != library.identity)
        return std::nullopt;
    return header;
}

QByteArray readCache(const QString& cachePath) {
    QByteArray cache;
    // The words, a tier for each, the header and the hash.
    if (!readRegularFile(cachePath, kMaxLibraryBytes + kMaxWordLines + qint64(kHeaderSize) + 8,
                         &cache, nullptr))
        return QByteArray();
    return cache;
}

} // namespace

QString libraryCachePath(const QString& libraryPath) {
    return libraryPath + QStringLiteral(".cache");
}

LibraryFileState libraryFileState(const QString& libraryPath) {
    LibraryFileState state;
    struct stat info {};
    if (::stat(QFile::encodeName(libraryPath).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return state;
    const auto nanoseconds = [](const timespec& t) {
        return uint64_t(t.tv_sec) * 1000000000u + uint64_t(t.tv_nsec);
    };
    state.exists = true;
    state.identity = {uint64_t(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim),
                      uint64_t(info.st_ino), uint64_t(info.st_dev)};
    return state;
}

bool loadFromLibraryCache(WordLibrary& words, const QString& cachePath,
                          const CacheSources& sources) {
    const QByteArray cache = readCache(cachePath);
    const std::optional<Header> header = fittingHeader(cache, sources.library);
    // A count-only cache would fail the size check below as well; the flag says so first.
    if (!header || !(header->flags & kHasLists) ||
        bool(header->flags & kRanksExist) != sources.ranks.exists ||
        header->ranks != sources.ranks.identity)
        return false;
    // The words of each list, then a tier for each word.
    size_t bodySize = 0;
    for (size_t length = 0; length < kLists; ++length)
        bodySize += size_t(header->counts[length]) * (length + 1);
    if (size_t(cache.size()) != kHeaderSize + bodySize + 8)
        return false;
    const char* body = cache.constData() + kHeaderSize;
    const char* end = body + bodySize;
    if (take<uint64_t>(end) != bytesHash(body, bodySize))
        return false;
    const char* tiers = body;
    for (size_t length = 0; length < kLists; ++length)
        tiers += size_t(header->counts[length]) * length;
    // A cache is only a copy, and any program may have written it: it serves only words.
    if (!isWordOfLanguage(std::string_view(body, size_t(tiers - body)), words.language))
        return false;
    for (size_t length = 0; length < kLists; ++length) {
        const size_t count = header->counts[length];
        words.lists[length].adoptWords(std::string(body, count * length), length,
                                       std::string(tiers, count));
        body += count * length;
        tiers += count;
    }
    words.wordCount[words.language] = uint16_t(header->wordLines);
    words.savedAsUtf8 = header->flags & kSavedAsUtf8;
    words.ranks = header->flags & kRanksMissing   ? RanksState::Missing
                  : header->flags & kRanksDamaged ? RanksState::Damaged
                                                  : RanksState::Read;
    return true;
}

int wordCountFromLibraryCache(const QString& cachePath, const LibraryFileState& library) {
    // The header alone holds the count.
    QByteArray start;
    if (!readRegularFileStart(cachePath, qint64(kHeaderSize), &start))
        return -1;
    const std::optional<Header> header = fittingHeader(start, library);
    return header ? int(header->wordLines) : -1;
}

void writeLibraryCache(const QString& cachePath, const CacheSources& sources,
                       const WordLibrary* words, int count) {
    if (!sources.library.exists)
        return;
    Header header;
    header.library = sources.library.identity;
    QByteArray body;
    if (words) {
        header.flags = kHasLists | (words->savedAsUtf8 ? kSavedAsUtf8 : 0) |
                       (sources.ranks.exists ? kRanksExist : 0) |
                       (words->ranks == RanksState::Missing   ? kRanksMissing
                        : words->ranks == RanksState::Damaged ? kRanksDamaged
                                                              : 0);
        header.ranks = sources.ranks.identity;
        header.wordLines = words->wordCount[words->language];
        for (size_t length = 0; length < kLists; ++length) {
            const std::string_view stored = words->lists[length].storedWords();
            header.counts[length] = uint32_t(words->lists[length].size());
            body.append(stored.data(), qsizetype(stored.size()));
        }
        for (const WordList& list : words->lists) {
            const std::string_view tiers = list.storedTiers();
            body.append(tiers.data(), qsizetype(tiers.size()));
        }
    } else {
        header.wordLines = uint32_t(count);
    }
    QByteArray cache = headerBytes(header);
    if (words) {
        cache += body;
        put(cache, bytesHash(body.constData(), size_t(body.size())));
    }
    // Only a copy: should it not be written, the library is read again next time.
    QString reason;
    replaceFileContents(cachePath, cache, &reason);
}
