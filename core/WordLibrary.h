#pragma once

#include "core/LanguageTable.h"
#include "core/WordTree.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QRandomGenerator;

// How common a word is: 1 the commonest words .. 5 the rarest, and 0 a rude word, which the
// computer never plays and never starts a game with and which counts as rarest for commonness.
// The everyday words are those of tiers 1 and 2. A word without a rank is rarest.
constexpr uint8_t kRudeTier = 0;
constexpr uint8_t kCommonestTier = 1;
constexpr uint8_t kLastEverydayTier = 2;
constexpr uint8_t kRarestTier = 5;

// A tier as a commonness to compare, lower commoner: a rude word counts as the rarest.
constexpr uint8_t commonnessOf(uint8_t tier) {
    return tier == kRudeTier ? kRarestTier : tier;
}
constexpr bool isEverydayTier(uint8_t tier) {
    return tier >= kCommonestTier && tier <= kLastEverydayTier;
}

// One list of the word library: the words of one length, kept sorted by the library's
// case-insensitive comparison (cp1251CompareNoCase). Words are Windows-1251 bytes, stored one
// after another as read, with a hash index of their folded spellings (cp1251FoldCase). Each
// word has a tier (see kRudeTier); a word inserted or appended is of the rarest tier.
class WordList {
public:
    // Inserts the word in its place; a word equal to one already held is ignored, so the
    // first spelling stays. Every word of a list has the length of its first word: a word of
    // another length raises a range error.
    void insert(std::string_view word);
    // Gives back the room that appending left beyond the words.
    void squeeze();
    // Adds a word read from a library file: a word that sorts after the last one, as in a
    // sorted file, is appended (the look-up index is made again at the next look-up); any
    // other is inserted as Insert does.
    void append(std::string_view word);
    void clear();
    // Takes a whole list at once in place of what it held: `words` holds the words one after
    // another, `length` letters each, already in the list's order and without repeats (a
    // library file read in order, or its cache). `tiers` holds a tier for each word; when it
    // is empty or of another size, every word is of the rarest tier.
    void adoptWords(std::string&& words, size_t length, std::string&& tiers = {});
    // The words as held, one after another, all of one length.
    std::string_view storedWords() const {
        return std::string_view(words_.data(), count_ * length_);
    }
    // The tiers of the words, one byte each, in the words' order.
    std::string_view storedTiers() const { return tiers_; }
    // The tier of the entry at a position inside the list.
    uint8_t tierAt(int index) const { return static_cast<uint8_t>(tiers_[size_t(index)]); }
    // Gives the entry at a position inside the list a tier (0..5).
    void setTier(int index, uint8_t tier);
    // Every word of the rarest tier.
    void forgetTiers();
    // The commonness (commonnessOf) of the list's commonest word; above every tier when the list
    // is empty.
    uint8_t commonest() const;
    // The position of the entry equal to the word (case-insensitive), or -1.
    int indexOf(std::string_view word) const;
    int size() const { return static_cast<int>(count_); }
    // The entry at a position counted from 0; a position outside the list raises
    // "List index out of bounds (%d)".
    std::string at(int index) const;
    // The same entry folded (cp1251FoldCase), for a position inside the list.
    std::string foldedAt(int index) const;
    // Binary search with the comparison.
    bool contains(std::string_view word) const;
    // The same answers as Contains, through a hash of the folded spelling; built on the
    // first look-up after a change out of order.
    bool containsFast(std::string_view word) const;
    // The same for a word already folded (cp1251FoldCase) whose hash (kHashStart, then
    // foldedHashStep for each letter) the caller has computed.
    bool containsFolded(const unsigned char* folded, size_t length, uint32_t hash) const;
    // A number that every change of the list replaces with one no list has had before, so
    // that what was made from a list (the library's prefix tree) can tell it is out of date.
    uint64_t revision() const { return revision_; }

    static constexpr uint32_t kHashStart = 2166136261u;
    static uint32_t foldedHashStep(uint32_t hash, unsigned char foldedLetter) {
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
    std::string tiers_; // the tier of each word, in the same order
    uint64_t revision_ = 0;
    // The folded spelling of the last entry while count_ == lastFoldedCount_ (Append keeps it).
    std::array<unsigned char, 20> lastFolded_{}; // room for the longest word
    size_t lastFoldedCount_ = 0;
    mutable bool indexValid_ = true;
    mutable std::vector<Slot> slots_; // open addressing; at most half of them taken
};

// What became of the ranks file at the last reading of the library.
enum class RanksState {
    Read,    // every line read
    Missing, // no ranks file: every word is of the rarest tier
    Damaged, // lines that could not be read were passed over; the others' tiers hold
};

// The settings key of the player's message about the ranks file in this state ("RanksMissing",
// "RanksDamaged", with %1 for the file's name), or empty when the file was read.
std::string_view ranksProblemKey(RanksState state);

// The word library of the current language, with the current language's identity.
struct WordLibrary {
    QString fileName;      // the library file last opened by loadWords
    uint16_t language = 0; // a number of the language table
    // Counted lines of each language's library file, by language number (index 0 unused).
    std::array<uint16_t, kLanguageCount + 1> wordCount{};
    std::string languageSection; // "Russian" or "English"
    WordList lists[21];          // lists[n] holds the words of exactly n letters, n 2..20
    bool savedAsUtf8 = false;    // the file last read is UTF-8 text beyond ASCII, not Windows-1251
    RanksState ranks = RanksState::Read;
    QString ranksFileName; // the ranks file of the last reading
    // The prefix tree of lists for the move search, made by prefixTree when it is out of date.
    mutable WordTree tree;
    // Told after every successful reading of a library or a count (loadWords, loadWordCount),
    // so a window can show the word counts in its language items; empty, nobody listens.
    std::function<void(const WordLibrary&)> loadedListener;
};

// The prefix tree of the words' lists, built first when the lists have changed since it was
// last built (a load, an added word, a swap of lists). The reference stays valid until the
// next change of the lists.
const WordTree& prefixTree(const WordLibrary& words);

constexpr int kMinWordLength = 2;
constexpr int kMaxWordLength = 20;
constexpr uint16_t kMaxWordLines = 65535;
// The largest library file read: room for every word line the count allows, with comments and
// longer lines beside them. A larger file is refused unread.
constexpr qint64 kMaxLibraryBytes = qint64(kMaxWordLines) * 64;
constexpr int kStartWordLength = 5; // a game starts with a word across the field

// True when every byte of `word` (Windows-1251) is a letter of the language's alphabet, in
// either case. Only such lines of a library file are words: the lists hold nothing else.
bool isWordOfLanguage(std::string_view word, uint16_t language);

// gameFolder() + "DATA/Lib.RUS" for language 1, "DATA/Lib.ENG" for any other.
QString libraryPath(uint16_t language);
// gameFolder() + "DATA/Ranks.RUS" or "DATA/Ranks.ENG" alike.
QString ranksPath(uint16_t language);

// The largest ranks file read: a line for every word the library can hold.
constexpr qint64 kMaxRanksBytes = qint64(kMaxWordLines) * 32;

// Gives the words of the lists the tiers of a ranks file (Windows-1251 lines "WORD TIER", the
// tier one digit 0..5, ";" comment lines and empty lines passed over; lines end in CR LF, CR
// or LF): a word the file does not list is rarest, a word it lists twice has the tier of its
// last line, and a listed word the lists lack is passed over. Every word is made rarest first. Sets
// words.ranks and words.ranksFileName: Missing for a file that cannot be read (none, not a
// regular file, larger than kMaxRanksBytes), Damaged when some line is not of the form above.
void readRanks(WordLibrary& words, const QString& path);

// Reads gameFolder() + "DATA/Lib.RUS" (Language 1) or "DATA/Lib.ENG" (any other value)
// into the lists, with the tiers of the language's ranks file (readRanks), and counts its word
// lines in wordCount[Language]. Raises VordaError on a file that cannot be read, that is not a
// regular file (a FIFO, a device) or that is larger than kMaxLibraryBytes (the lists keep what they
// held), and on more than 65,535 word lines (the lists keep the words read so far). A successful
// reading ends by telling the library's loadedListener, so the window can show the word counts.
void loadWords(WordLibrary& words);
// The same reading from any library file (the solver's --library); fileName becomes the path.
// Language must already be set, 1 or 2: it chooses the wordCount entry. Every word is of the
// rarest tier until readRanks gives it another.
void loadWordsFromFile(WordLibrary& words, const QString& path);

// Reads the library of `language` only for its count: wordCount[language] of `words` becomes
// its number of word lines (0 when the file cannot be read, which raises VordaError as
// loadWords does). Nothing else of `words` changes, its lists and language included.
void loadWordCount(WordLibrary& words, uint16_t language);

// Raises VordaError naming fileName when lists[5] is empty: a game starts with a five-letter
// word, so without one none can start. A file saved as UTF-8 is named as such.
void checkStartWords(const WordLibrary& words);

// A start word for a new game: an everyday five-letter word at random, or, when the library
// has none (no ranks file), any five-letter word that is not rude; a rude word only when the
// library holds nothing else. lists[5] must not be empty (checkStartWords).
std::string chooseStartWord(const WordLibrary& words, QRandomGenerator& random);

// True when lists[length] holds an entry equal to the word (case-insensitive).
// The length must lie in 2..20; any other raises a range error.
bool findWord(const WordLibrary& words, std::string_view word, uint16_t length);

// Adds the word (Windows-1251) and CR LF as a new last line of fileName. A last line that
// lacks its line end is ended first, so the word never merges into it; a word is written
// before an end-of-file mark (Ctrl-Z), so the loader sees it. Raises VordaError naming the
// file and the reason when the file is missing or cannot be written, or when it already
// holds kMaxWordLines word lines or the word would take it beyond kMaxLibraryBytes (either way
// it could never be loaded again); the file is then left
// as it was, not a byte of the word added. The caller reloads.
void appendWordToLibrary(const WordLibrary& words, std::string_view word);
