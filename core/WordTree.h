#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class WordList;

// A prefix tree of a library's words, spelled folded (cp1251FoldCase), for the move search:
// a node stands for the letters on the way to it from the root, and knows the lengths of the
// library words that begin with those letters (the node's own word included). The search
// follows a path into the tree letter by letter and leaves a path as soon as no word can
// begin with its letters, or none of those words is long enough to matter.
//
// The children of a node lie side by side, in ascending order of their letters, so a step is
// a short scan of one small block.
class WordTree {
public:
    using Node = uint32_t;
    static constexpr Node kRoot = 0;
    static constexpr Node kNoNode = UINT32_MAX;

    // Builds the tree from lists[2..20], where lists[n] holds the words of n letters (a list
    // of other words is left out: a look-up of n letters never finds them).
    void build(const WordList* lists, int listCount);
    // True when the tree was built from these very lists and none has changed since.
    bool isBuiltFrom(const WordList* lists, int listCount) const;

    // The child of `node` for the folded letter, or kNoNode when no word continues so.
    Node child(Node node, unsigned char foldedLetter) const {
        const Entry& entry = nodes_[node];
        if (entry.lettersInOneBlock) {
            // The children's letters as bits of a 32-bit set: the child is found by counting
            // the bits below its own.
            if ((foldedLetter >> 5) != entry.letterBlock)
                return kNoNode;
            const uint32_t bit = uint32_t(1) << (foldedLetter & 31);
            if ((entry.childLetters & bit) == 0)
                return kNoNode;
            return entry.firstChild + bitCount(entry.childLetters & (bit - 1));
        }
        const unsigned char* letters = letters_.data() + entry.firstChild;
        for (uint32_t i = 0; i < entry.childCount; ++i)
            if (letters[i] == foldedLetter)
                return entry.firstChild + i;
        return kNoNode;
    }
    // Bit n is set when a library word of n letters begins with the node's letters; at a node
    // n letters deep, bit n says that those letters are themselves a word.
    uint32_t wordLengths(Node node) const { return nodes_[node].wordLengths; }
    // The tier of the word the node's letters spell (kRudeTier..kRarestTier); of no account
    // at a node that is not a word.
    uint8_t tier(Node node) const { return nodes_[node].tier; }
    // The commonness (commonnessOf) of the commonest word of a length 0..20; above every tier
    // when there is none.
    uint8_t commonestOfLength(int length) const { return commonest_[length]; }

    // Number of nodes, the root included; the memory the tree holds, in bytes.
    size_t nodeCount() const { return nodes_.size(); }
    size_t memoryBytes() const { return nodes_.capacity() * sizeof(Entry) + letters_.capacity(); }

private:
    struct Entry {
        uint32_t firstChild = 0;   // index of the first child in nodes_ and letters_
        uint32_t wordLengths = 0;  // see wordLengths
        uint32_t childLetters = 0; // bit (letter & 31) of each child, when lettersInOneBlock
        uint16_t childCount = 0;
        // All the children's letters lie in one block of 32 codes (letter >> 5), as the
        // letters of one alphabet do, so that their five low bits tell them apart in order.
        // Packed with the tier into one byte, so that an entry stays 16 bytes.
        uint8_t letterBlock : 3 = 0;
        uint8_t lettersInOneBlock : 1 = 0;
        uint8_t tier : 4 = 0; // see tier()
    };
    // The number of bits set, written out: std::popcount becomes a library call on processors
    // the build may not assume a bit-count instruction for.
    static uint32_t bitCount(uint32_t bits) {
        bits -= (bits >> 1) & 0x55555555u;
        bits = (bits & 0x33333333u) + ((bits >> 2) & 0x33333333u);
        bits = (bits + (bits >> 4)) & 0x0f0f0f0fu;
        return (bits * 0x01010101u) >> 24;
    }
    static constexpr int kListSlots = 21;

    std::vector<Entry> nodes_;           // the root first
    std::vector<unsigned char> letters_; // the folded letter that leads to each node
    bool built_ = false;
    uint64_t revisions_[kListSlots] = {}; // WordList::Revision of each list built from
    uint8_t commonest_[kListSlots] = {};
};
