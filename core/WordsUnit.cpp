#include "core/WordsUnit.h"

#include "core/LanguageUnit.h"
#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/Hooks.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

TWords Words;

namespace {

constexpr char kLineEndCR = '\r';
constexpr char kLineEndLF = '\n';
constexpr char kEndOfFile = 26;

uint32_t foldedHash(const unsigned char* folded, size_t length) {
    uint32_t h = WordList::kHashStart;
    for (size_t i = 0; i < length; ++i)
        h = WordList::FoldedHashStep(h, folded[i]);
    return h;
}

bool lessNoCase(const std::string& a, const std::string& b) {
    return Cp1251CompareNoCase(a, b) < 0;
}

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

} // namespace

void WordList::Insert(std::string word) {
    // Library files are sorted, so most inserts land at the end.
    if (words_.empty() || lessNoCase(words_.back(), word)) {
        words_.push_back(std::move(word));
    } else {
        const auto it = std::lower_bound(words_.begin(), words_.end(), word, lessNoCase);
        if (it != words_.end() && Cp1251CompareNoCase(*it, word) == 0)
            return;
        words_.insert(it, std::move(word));
    }
    indexValid_ = false;
}

void WordList::Clear() {
    words_.clear();
    indexValid_ = false;
}

const std::string& WordList::At(int index) const {
    if (index < 0 || index >= Count())
        throw VordaError(VordaError::Kind::ListIndex,
                         QStringLiteral("List index out of bounds (%1)").arg(index));
    return words_[static_cast<size_t>(index)];
}

bool WordList::Contains(std::string_view word) const {
    size_t lo = 0;
    size_t hi = words_.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        const int c = Cp1251CompareNoCase(words_[mid], word);
        if (c == 0)
            return true;
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return false;
}

void WordList::buildIndex() const {
    folded_.clear();
    slots_.clear();
    stride_ = words_.empty() ? 0 : words_.front().size();
    size_t capacity = 16;
    while (capacity < words_.size() * 2)
        capacity *= 2;
    slots_.assign(capacity, Slot{0, 0});
    folded_.resize(words_.size() * stride_);
    for (size_t i = 0; i < words_.size(); ++i) {
        // Every word of a list has the list's length; the index relies on that.
        if (words_[i].size() != stride_) {
            stride_ = SIZE_MAX;
            break;
        }
        auto* dst = reinterpret_cast<unsigned char*>(folded_.data()) + i * stride_;
        for (size_t k = 0; k < stride_; ++k)
            dst[k] = Cp1251FoldCase(static_cast<unsigned char>(words_[i][k]));
        const uint32_t hash = foldedHash(dst, stride_);
        size_t slot = hash & (capacity - 1);
        while (slots_[slot].entry != 0)
            slot = (slot + 1) & (capacity - 1);
        slots_[slot] = Slot{hash, static_cast<uint32_t>(i + 1)};
    }
    indexValid_ = true;
}

bool WordList::ContainsFast(std::string_view word) const {
    if (!indexValid_)
        buildIndex();
    if (stride_ == SIZE_MAX)
        return Contains(word);
    if (word.size() != stride_ || words_.empty())
        return false;
    unsigned char folded[kMaxWordLength];
    if (stride_ > sizeof folded)
        return Contains(word);
    for (size_t k = 0; k < stride_; ++k)
        folded[k] = Cp1251FoldCase(static_cast<unsigned char>(word[k]));
    return ContainsFolded(folded, stride_, foldedHash(folded, stride_));
}

bool WordList::ContainsFolded(const unsigned char* folded, size_t length, uint32_t hash) const {
    if (!indexValid_)
        buildIndex();
    if (stride_ == SIZE_MAX) {
        const std::string_view word(reinterpret_cast<const char*>(folded), length);
        return Contains(word);
    }
    if (length != stride_ || words_.empty())
        return false;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask; slots_[slot].entry != 0; slot = (slot + 1) & mask) {
        const Slot& s = slots_[slot];
        if (s.hash == hash &&
            std::memcmp(folded_.data() + (s.entry - 1) * stride_, folded, stride_) == 0)
            return true;
    }
    return false;
}

QString LibraryPath(uint16_t language) {
    const std::string_view file = LanguageOf(language).LibraryFile;
    return ProgramFolder() + QString::fromLatin1(file.data(), qsizetype(file.size()));
}

void LoadWords(TWords& words) {
    LoadWordsFromFile(words, LibraryPath(words.Language));
}

void LoadWordCount(TWords& words, uint16_t language) {
    TWords other;
    other.Language = language;
    std::copy(std::begin(words.WordCount), std::end(words.WordCount), other.WordCount);
    try {
        LoadWords(other);
    } catch (...) {
        words.WordCount[language] = 0;
        throw;
    }
    words.WordCount[language] = other.WordCount[language];
}

void CheckStartWords(const TWords& words) {
    // The start word fills the field's middle row.
    if (words.Lists[kStartWordLength].Count() == 0 && words.SavedAsUtf8)
        throw VordaError(VordaError::Kind::Other,
                         QStringLiteral("The word library \"%1\" is saved in UTF-8, so no "
                                        "game can start: it must be saved in Windows-1251.")
                             .arg(QDir::toNativeSeparators(words.FileName)));
    if (words.Lists[kStartWordLength].Count() == 0)
        throw VordaError(VordaError::Kind::Other,
                         QStringLiteral("The word library \"%1\" holds no five-letter word, so "
                                        "no game can start. Each word must stand on a line of "
                                        "its own, the lines ending in CR LF.")
                             .arg(QDir::toNativeSeparators(words.FileName)));
}

void LoadWordsFromFile(TWords& words, const QString& path) {
    words.FileName = path;
    if (words.Language < 1 || words.Language > 2)
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: language %1").arg(words.Language));
    uint16_t& count = words.WordCount[words.Language];
    count = 0;

    const QByteArray data = readLibraryFile(words.FileName);
    // An editor that saved the library as UTF-8 makes every Russian word twice as long.
    words.SavedAsUtf8 = data.startsWith("\xEF\xBB\xBF") ||
                        (QByteArrayView(data).isValidUtf8() &&
                         std::any_of(data.begin(), data.end(), [](char c) { return c & 0x80; }));

    for (WordList& list : words.Lists)
        list.Clear();

    const char* p = data.constData();
    const char* end = p + data.size();
    if (const void* eof = std::memchr(p, kEndOfFile, static_cast<size_t>(data.size())))
        end = static_cast<const char*>(eof);

    while (p < end) {
        // A line ends at CR; an LF right after it belongs to the same line end, while a
        // lone LF is an ordinary character of the line.
        const char* cr = static_cast<const char*>(std::memchr(p, kLineEndCR, size_t(end - p)));
        const char* lineEnd = cr ? cr : end;
        const size_t length = static_cast<size_t>(lineEnd - p);
        if (length > 0 && *p != ';' && length >= kMinWordLength && length <= kMaxWordLength) {
            if (count == kMaxWordLines)
                throw VordaError(VordaError::Kind::Overflow,
                                 QStringLiteral("Integer overflow: the word library \"%1\" "
                                                "holds more than %2 words")
                                     .arg(words.FileName)
                                     .arg(kMaxWordLines));
            words.Lists[length].Insert(std::string(p, length));
            ++count;
        }
        p = lineEnd;
        if (p < end && *p == kLineEndCR) {
            ++p;
            if (p < end && *p == kLineEndLF)
                ++p;
        }
    }

    if (Hooks.WordsLoaded)
        Hooks.WordsLoaded(words);
}

bool FindWord(const TWords& words, std::string_view word, uint16_t length) {
    if (length < kMinWordLength || length > kMaxWordLength)
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: word length %1").arg(length));
    return words.Lists[length].ContainsFast(word);
}

void AppendWord(const TWords& words, std::string_view word) {
    const QString shownPath = QDir::toNativeSeparators(words.FileName);
    const auto refuse = [&](const QString& reason) {
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot add the word to the word library \"%1\": %2")
                             .arg(shownPath, reason));
    };
    QFile file(words.FileName);
    if (words.FileName.isEmpty() || !file.exists())
        refuse(QStringLiteral("the file does not exist"));
    if (words.Language >= 1 && words.Language <= 2 &&
        words.WordCount[words.Language] >= kMaxWordLines)
        refuse(QStringLiteral("it already holds %1 words, the most a library can hold")
                   .arg(kMaxWordLines));
    QByteArray data;
    QString readFailure;
    if (!ReadRegularFile(words.FileName, kMaxLibraryBytes, &data, &readFailure))
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
        if (!AppendToFile(words.FileName, addition, &reason))
            refuse(reason);
        return;
    }
    // The word goes before the end-of-file mark; the file is rewritten as a whole.
    data.insert(insertAt, addition);
    if (!ReplaceFileContents(words.FileName, data, &reason))
        refuse(reason);
}
