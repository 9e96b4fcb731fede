#include "core/WordLibrary.h"

#include "core/LanguageTable.h"
#include "core/LibraryCache.h"
#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char kLineEndCR = '\r';
constexpr char kLineEndLF = '\n';
constexpr char kEndOfFile = 26;

[[noreturn]] void raiseFileError(const QString& action, const QString& path, const QFile& file) {
    throw VordaError(VordaError::Kind::InputOutput,
                     QStringLiteral("Cannot %1 the word library \"%2\": %3")
                         .arg(action, path, file.errorString()));
}

// The bytes of a library file. Only a regular file is opened: a FIFO or a device could block
// the reading or never end it. More than kMaxLibraryBytes is never read.
QByteArray readLibraryFile(const QString& path) {
    QFile file(path);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw VordaError(
            VordaError::Kind::InputOutput,
            QStringLiteral("Cannot open the word library \"%1\": it is not a file").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        raiseFileError(QStringLiteral("open"), path, file);
    // The size decides before any reading; the reading itself stops at the limit too, in case
    // the file grows meanwhile.
    QByteArray data;
    if (file.size() <= kMaxLibraryBytes)
        data = file.read(std::min(file.size(), kMaxLibraryBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        raiseFileError(QStringLiteral("read"), path, file);
    if (file.size() > kMaxLibraryBytes || data.size() > kMaxLibraryBytes)
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot read the word library \"%1\": it is larger than "
                                        "%2 bytes")
                             .arg(path)
                             .arg(kMaxLibraryBytes));
    return data;
}

// Calls wordLine(start, length) for every word line of a library file's bytes, in file
// order, and returns their number: lines of 2 to 20 characters that do not start with ";".
// A line ends at CR; an LF right after it belongs to the same line end, while a lone LF is an
// ordinary character of the line. A Ctrl-Z ends the file.
template <typename WordLine> size_t forEachWordLine(const QByteArray& data, WordLine&& wordLine) {
    const char* p = data.constData();
    const char* end = p + data.size();
    if (const void* eof = std::memchr(p, kEndOfFile, static_cast<size_t>(data.size())))
        end = static_cast<const char*>(eof);
    size_t count = 0;
    while (p < end) {
        const char* cr = static_cast<const char*>(std::memchr(p, kLineEndCR, size_t(end - p)));
        const char* lineEnd = cr ? cr : end;
        const size_t length = static_cast<size_t>(lineEnd - p);
        if (length >= kMinWordLength && length <= kMaxWordLength && *p != ';') {
            wordLine(p, length);
            ++count;
        }
        p = lineEnd;
        if (p < end && *p == kLineEndCR) {
            ++p;
            if (p < end && *p == kLineEndLF)
                ++p;
        }
    }
    return count;
}

// Whether any byte lies above 127, looked at eight at a time.
bool hasByteAbove127(const QByteArray& data) {
    const char* p = data.constData();
    const char* end = p + data.size();
    for (; end - p >= 8; p += 8) {
        uint64_t eight;
        std::memcpy(&eight, p, 8);
        if (eight & 0x8080808080808080u)
            return true;
    }
    return std::any_of(p, end, [](char c) { return c & 0x80; });
}

[[noreturn]] void raiseTooManyWords(const QString& path) {
    throw VordaError(VordaError::Kind::Overflow,
                     QStringLiteral("Integer overflow: the word library \"%1\" holds more than %2 "
                                    "words")
                         .arg(path)
                         .arg(kMaxWordLines));
}

// Fills the lists and the count of words.language from a library file's bytes. Every word line
// is counted, but only a line of the language's letters joins the lists: a blank, a lone LF,
// a control byte or a letter of another alphabet could never be spelled on the field, and as
// a start word it would put on the board what no move and no saved game can hold.
void readWords(WordLibrary& words, const QByteArray& data) {
    uint16_t& count = words.wordCount[words.language];
    count = 0;
    // An editor that saved the library as UTF-8 makes every Russian word twice as long.
    words.savedAsUtf8 = data.startsWith("\xEF\xBB\xBF") ||
                        (hasByteAbove127(data) && QByteArrayView(data).isValidUtf8());

    for (WordList& list : words.lists)
        list.clear();

    // The words are read in file order, which a sorted file keeps all the way, in one pass;
    // the lists give back the room their growth left over. A library read once is then taken
    // from its cache (loadWords), so this reading is the rare one.
    forEachWordLine(data, [&](const char* line, size_t length) {
        if (count == kMaxWordLines)
            raiseTooManyWords(words.fileName);
        const std::string_view word(line, length);
        if (isWordOfLanguage(word, words.language))
            words.lists[length].append(word);
        ++count;
    });
    for (WordList& list : words.lists)
        list.squeeze();
}

// The language must be one of the table: it chooses the count to fill.
void checkLanguage(uint16_t language) {
    if (!isLanguageNumber(language))
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: language %1").arg(language));
}

// Gives the words of the ranks file's lines their tiers; false when some line is not of the
// form "WORD TIER".
bool applyRanks(WordLibrary& words, const QByteArray& data) {
    bool wellFormed = true;
    const char* p = data.constData();
    const char* end = p + data.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != kLineEndCR && *lineEnd != kLineEndLF)
            ++lineEnd;
        std::string_view line(p, size_t(lineEnd - p));
        p = lineEnd + (lineEnd < end ? 1 : 0);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';')
            continue;
        const size_t space = line.rfind(' ');
        const std::string_view word = line.substr(0, space == line.npos ? 0 : space);
        const std::string_view tier = line.substr(space == line.npos ? 0 : space + 1);
        if (word.size() < size_t(kMinWordLength) || word.size() > size_t(kMaxWordLength) ||
            tier.size() != 1 || tier[0] < char('0' + kRudeTier) ||
            tier[0] > char('0' + kRarestTier)) {
            wellFormed = false;
            continue;
        }
        WordList& list = words.lists[word.size()];
        const int index = list.indexOf(word);
        if (index >= 0)
            list.setTier(index, uint8_t(tier[0] - '0'));
    }
    return wellFormed;
}

QString pathBelowGameFolder(std::string_view file) {
    return gameFolder() + QString::fromLatin1(file.data(), qsizetype(file.size()));
}

} // namespace

bool isWordOfLanguage(std::string_view word, uint16_t language) {
    // One table per language row: which bytes are its letters, in either case.
    static const auto letterTables = [] {
        std::array<std::array<bool, 256>, kLanguageCount> tables{};
        for (int row = 0; row < kLanguageCount; ++row)
            for (int c = 0; c < 256; ++c)
                tables[size_t(row)][size_t(c)] =
                    kLanguageTable[row].letters.find(char(
                        cp1251FoldCase(static_cast<unsigned char>(c)))) != std::string_view::npos;
        return tables;
    }();
    const std::array<bool, 256>& isLetter = letterTables[size_t(languageOf(language).number - 1)];
    return std::all_of(word.begin(), word.end(),
                       [&isLetter](char c) { return isLetter[static_cast<unsigned char>(c)]; });
}

QString libraryPath(uint16_t language) {
    return pathBelowGameFolder(languageOf(language).libraryFile);
}

QString ranksPath(uint16_t language) {
    return pathBelowGameFolder(languageOf(language).ranksFile);
}

void readRanks(WordLibrary& words, const QString& path) {
    for (WordList& list : words.lists)
        list.forgetTiers();
    words.ranksFileName = path;
    QByteArray data;
    if (!QFileInfo::exists(path)) {
        words.ranks = RanksState::Missing;
        return;
    }
    if (!readRegularFile(path, kMaxRanksBytes, &data, nullptr)) {
        words.ranks = RanksState::Damaged;
        return;
    }
    words.ranks = applyRanks(words, data) ? RanksState::Read : RanksState::Damaged;
}

void loadWords(WordLibrary& words) {
    const QString path = libraryPath(words.language);
    words.fileName = path;
    checkLanguage(words.language);
    words.wordCount[words.language] = 0;
    // The lists as they were read from the library and the ranks in this very state before,
    // or read now and kept so.
    const QString ranks = ranksPath(words.language);
    const CacheSources sources{libraryFileState(path), libraryFileState(ranks)};
    const QString cache = libraryCachePath(path);
    if (loadFromLibraryCache(words, cache, sources)) {
        words.ranksFileName = ranks;
    } else {
        readWords(words, readLibraryFile(path));
        readRanks(words, ranks);
        writeLibraryCache(cache, sources, &words);
    }
    if (words.loadedListener)
        words.loadedListener(words);
}

void loadWordCount(WordLibrary& words, uint16_t language) {
    if (!isLanguageNumber(language))
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: language %1").arg(language));
    const QString path = libraryPath(language);
    words.wordCount[language] = 0;
    const LibraryFileState state = libraryFileState(path);
    const QString cache = libraryCachePath(path);
    int count = wordCountFromLibraryCache(cache, state);
    if (count < 0) {
        const size_t lines = forEachWordLine(readLibraryFile(path), [](const char*, size_t) {});
        if (lines > kMaxWordLines)
            raiseTooManyWords(path);
        count = int(lines);
        writeLibraryCache(cache, CacheSources{state, {}}, nullptr, count);
    }
    words.wordCount[language] = uint16_t(count);
    if (words.loadedListener)
        words.loadedListener(words);
}

void checkStartWords(const WordLibrary& words) {
    // The start word fills the field's middle row.
    if (words.lists[kStartWordLength].size() == 0 && words.savedAsUtf8)
        throw VordaError(VordaError::Kind::Other,
                         QStringLiteral("The word library \"%1\" is saved in UTF-8, so no "
                                        "game can start: it must be saved in Windows-1251.")
                             .arg(QDir::toNativeSeparators(words.fileName)));
    if (words.lists[kStartWordLength].size() == 0)
        throw VordaError(VordaError::Kind::Other,
                         QStringLiteral("The word library \"%1\" holds no five-letter word, so "
                                        "no game can start. Each word must stand on a line of "
                                        "its own, the lines ending in CR LF.")
                             .arg(QDir::toNativeSeparators(words.fileName)));
}

void loadWordsFromFile(WordLibrary& words, const QString& path) {
    words.fileName = path;
    checkLanguage(words.language);
    words.wordCount[words.language] = 0;
    readWords(words, readLibraryFile(path));
    words.ranks = RanksState::Read;
    words.ranksFileName.clear();
    if (words.loadedListener)
        words.loadedListener(words);
}

void appendWordToLibrary(const WordLibrary& words, std::string_view word) {
    const QString shownPath = QDir::toNativeSeparators(words.fileName);
    const auto refuse = [&](const QString& reason) {
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot add the word to the word library \"%1\": %2")
                             .arg(shownPath, reason));
    };
    QFile file(words.fileName);
    if (words.fileName.isEmpty() || !file.exists())
        refuse(QStringLiteral("the file does not exist"));
    if (words.language >= 1 && words.language <= 2 &&
        words.wordCount[words.language] >= kMaxWordLines)
        refuse(QStringLiteral("it already holds %1 words, the most a library can hold")
                   .arg(kMaxWordLines));
    QByteArray data;
    QString readFailure;
    if (!readRegularFile(words.fileName, kMaxLibraryBytes, &data, &readFailure))
        refuse(readFailure);

    const qsizetype eof = data.indexOf(kEndOfFile);
    const qsizetype insertAt = eof >= 0 ? eof : data.size();
    QByteArray addition;
    if (insertAt > 0) {
        const char last = data.at(insertAt - 1);
        const bool lineEnded = last == kLineEndCR || (last == kLineEndLF && insertAt > 1 &&
                                                      data.at(insertAt - 2) == kLineEndCR);
        if (!lineEnded)
            addition.append("\r\n");
    }
    addition.append(word.data(), static_cast<qsizetype>(word.size()));
    addition.append("\r\n");
    if (data.size() + addition.size() > kMaxLibraryBytes)
        refuse(QStringLiteral("it would grow beyond %1 bytes, the most a library can hold")
                   .arg(kMaxLibraryBytes));

    QString reason;
    if (eof < 0) {
        if (!appendToFile(words.fileName, addition, &reason))
            refuse(reason);
        return;
    }
    // The word goes before the end-of-file mark; the file is rewritten as a whole.
    data.insert(insertAt, addition);
    if (!replaceFileContents(words.fileName, data, &reason))
        refuse(reason);
}
