#pragma once

#include "core/LanguageUnit.h"
#include "core/WordTree.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One list of the word library: the words of one length, kept sorted by the library's
// case-insensitive comparison (Cp1251CompareNoCase). Words are Windows-1251 bytes, stored one
// after another as read, with a hash index of their folded spellings (Cp1251FoldCase).
class WordList {
public:
    // Inserts the word in its place; a word equal to one already held is ignored, so the
    // first spelling stays. Every word of a list has the length of its first word: a word of
    // another length raises a range error.
    void Insert(std::string_view word);
    // Makes room for `count` words of `length` letters before a library file is read into the
    // empty list with Append.
    void Reserve(size_t count, size_t length);
    // Adds a word read from a library file: a word that sorts after the last one, as in a
    // sorted file, is appended and entered in the look-up index at once; any other is inserted
    // as Insert does.
    void Append(std::string_view word);
    void Clear();
    int Count() const { return static_cast<int>(count_); }
    // The entry at a position counted from 0; a position outside the list raises
    // "List index out of bounds (%d)".
    std::string At(int index) const;
    // The same entry folded (Cp1251FoldCase), for a position inside the list.
    std::string FoldedAt(int index) const;
    // Binary search with the comparison.
    bool Contains(std::string_view word) const;
    // The same answers as Contains, through a hash of the folded spelling; built on the
    // first look-up after a change out of order.
    bool ContainsFast(std::string_view word) const;
    // The same for a word already folded (Cp1251FoldCase) whose hash (kHashStart, then
    // FoldedHashStep for each letter) the caller has computed.
    bool ContainsFolded(const unsigned char* folded, size_t length, uint32_t hash) const;
    // A number that every change of the list replaces with one no list has had before, so
    // that what was made from a list (the library's prefix tree) can tell it is out of date.
    uint64_t Revision() const { return revision_; }

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
    // Enters entry `entry` in the slots, growing them.
    void addToIndex(size_t entry, uint32_t hash) const;
    // The entry's folded spelling against a folded word of the list's length (negative, 0,
    // positive), as the library's comparison orders them.
    int compareFolded(size_t entry, const unsigned char* folded) const;
    void setLength(size_t length);
    void changed();

    size_t length_ = 0; // of every word; 0 while the list is empty
    size_t count_ = 0;
    std::string words_; // the words as inserted, length_ bytes each, in order
    uint64_t revision_ = 0;
    mutable bool indexValid_ = true;
    mutable std::vector<Slot> slots_; // open addressing; at most half of them taken
};

// The word library of the current language, with the current language's identity.
struct TWords {
    QString FileName;      // the library file last opened by LoadWords
    uint16_t Language = 0; // a number of the language table
    // Counted lines of each language's library file, by language number (index 0 unused).
    std::array<uint16_t, kLanguageCount + 1> WordCount{};
    std::string LanguageSection; // "Russian" or "English"
    WordList Lists[21];          // Lists[n] holds the words of exactly n letters, n 2..20
    bool SavedAsUtf8 = false;    // the file last read is UTF-8 text beyond ASCII, not Windows-1251
    // The prefix tree of Lists for the move search, made by PrefixTree when it is out of date.
    mutable WordTree Tree;
    // Told after every successful reading of a library or a count (LoadWords, LoadWordCount),
    // so a window can show the word counts in its language items; empty, nobody listens.
    std::function<void(const TWords&)> loadedListener;
};

// The prefix tree of the words' lists, built first when the lists have changed since it was
// last built (a load, an added word, a swap of lists). The reference stays valid until the
// next change of the lists.
const WordTree& PrefixTree(const TWords& words);

constexpr int kMinWordLength = 2;
constexpr int kMaxWordLength = 20;
constexpr uint16_t kMaxWordLines = 65535;
// The largest library file read: room for every word line the count allows, with comments and
// longer lines beside them. A larger file is refused unread.
constexpr qint64 kMaxLibraryBytes = qint64(kMaxWordLines) * 64;
constexpr int kStartWordLength = 5; // a game starts with a word across the field

// ProgramFolder() + "DATA/Lib.RUS" for language 1, "DATA/Lib.ENG" for any other.
QString LibraryPath(uint16_t language);

// Reads ProgramFolder() + "DATA/Lib.RUS" (Language 1) or "DATA/Lib.ENG" (any other value)
// into the lists and counts its word lines in WordCount[Language]. Raises VordaError on a
// file that cannot be read, that is not a regular file (a FIFO, a device) or that is larger
// than kMaxLibraryBytes (the lists keep what they held), and on more than 65,535 word lines
// (the lists keep the words read so far). A successful reading ends by
// telling the library's loadedListener, so the window can show the word counts.
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
