#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One list of the word library: the words of one length, kept sorted by the library's
// case-insensitive comparison (Cp1251CompareNoCase). Words are Windows-1251 bytes.
class WordList {
public:
    // Inserts the word in its place; a word equal to one already held is ignored, so the
    // first spelling stays.
    void Insert(std::string word);
    void Clear();
    int Count() const { return static_cast<int>(words_.size()); }
    // The entry at a position counted from 0; a position outside the list raises
    // "List index out of bounds (%d)".
    const std::string& At(int index) const;
    // Binary search with the comparison.
    bool Contains(std::string_view word) const;
    // The same answers as Contains, through a hash of the folded spelling; built on the
    // first look-up after a change. This is what the move search asks many times a turn.
    bool ContainsFast(std::string_view word) const;
    // The same for a word already folded (Cp1251FoldCase) whose FoldedHash the caller has
    // computed, letter by letter as the move search grows its words.
    bool ContainsFolded(const unsigned char* folded, size_t length, uint32_t hash) const;

    static constexpr uint32_t kHashStart = 2166136261u;
    static uint32_t FoldedHashStep(uint32_t hash, unsigned char foldedLetter) {
        return (hash ^ foldedLetter) * 16777619u;
    }

private:
    struct Slot {
        uint32_t hash;  // of the folded word, compared before the letters
        uint32_t entry; // entry number + 1; 0 = empty
    };
    void buildIndex() const;

    std::vector<std::string> words_;
    mutable bool indexValid_ = false;
    mutable size_t stride_ = 0;       // length of the words in the index
    mutable std::string folded_;      // the folded words, stride_ bytes each
    mutable std::vector<Slot> slots_; // open addressing
};

// The word library of the current language, with the current language's identity.
struct TWords {
    QString FileName;                  // the library file last opened by LoadWords
    uint16_t Language = 0;             // 1 Russian, 2 English
    uint16_t WordCount[3] = {0, 0, 0}; // counted lines of each language's file, index 1..2
    unsigned char FirstLetter = 0;     // 192 (Russian А) or 65 (English A)
    std::string LanguageSection;       // "Russian" or "English"
    WordList Lists[21];                // Lists[n] holds the words of exactly n letters, n 2..20
    bool SavedAsUtf8 = false; // the file last read is UTF-8 text beyond ASCII, not Windows-1251
};

constexpr int kMinWordLength = 2;
constexpr int kMaxWordLength = 20;
constexpr uint16_t kMaxWordLines = 65535;
// The largest library file read: room for every word line the count allows, with comments and
// longer lines beside them. A larger file is refused unread.
constexpr qint64 kMaxLibraryBytes = qint64(kMaxWordLines) * 64;
constexpr int kStartWordLength = 5; // a game starts with a word across the field

// The one library of the process.
extern TWords Words;

// ProgramFolder() + "DATA/Lib.RUS" for language 1, "DATA/Lib.ENG" for any other.
QString LibraryPath(uint16_t language);

// Reads ProgramFolder() + "DATA/Lib.RUS" (Language 1) or "DATA/Lib.ENG" (any other value)
// into the lists and counts its word lines in WordCount[Language]. Raises VordaError on a
// file that cannot be read, that is not a regular file (a FIFO, a device) or that is larger
// than kMaxLibraryBytes (the lists keep what they held), and on more than 65,535 word lines
// (the lists keep the words read so far). A successful reading ends by
// calling Hooks.WordsLoaded, so the window can show both word counts in its language items.
void LoadWords(TWords& words);
// The same reading from any library file (the solver's --library); FileName becomes the path.
// Language must already be set, 1 or 2: it chooses the WordCount entry.
void LoadWordsFromFile(TWords& words, const QString& path);

// Reads the library of `language` only for its count: WordCount[language] of `words` becomes
// its number of word lines (0 when the file cannot be read, which raises VordaError as
// LoadWords does). Nothing else of `words` changes, its lists and language included.
void LoadWordCount(TWords& words, uint16_t language);

// Raises VordaError naming FileName when Lists[5] is empty: a game starts with a five-letter
// word, so without one none can start. A file saved as UTF-8 is named as such.
void CheckStartWords(const TWords& words);

// True when Lists[length] holds an entry equal to the word (case-insensitive).
// The length must lie in 2..20; any other raises a range error.
bool FindWord(const TWords& words, std::string_view word, uint16_t length);

// Adds the word (Windows-1251) and CR LF as a new last line of FileName. A last line that
// lacks its line end is ended first, so the word never merges into it; a word is written
// before an end-of-file mark (Ctrl-Z), so the loader sees it. Raises VordaError naming the
// file and the reason when the file is missing or cannot be written, or when it already
// holds kMaxWordLines word lines or the word would take it beyond kMaxLibraryBytes (either way
// it could never be loaded again); the file is then left
// as it was, not a byte of the word added. The caller reloads.
void AppendWord(const TWords& words, std::string_view word);
