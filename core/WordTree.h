#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class WordList;

// A prefix tree of a library's words, spelled folded (Cp1251FoldCase), for the move search:
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
    void Build(const WordList* lists, int listCount);
    // True when the tree was built from these very lists and none has changed since.
    bool IsBuiltFrom(const WordList* lists, int listCount) const;

    // The child of `node` for the folded letter, or kNoNode when no word continues so.
    Node Child(Node node, unsigned char foldedLetter) const {
        const Entry& entry = nodes_[node];
        const unsigned char* letters = letters_.data() + entry.firstChild;
        for (uint32_t i = 0; i < entry.childCount; ++i)
            if (letters[i] == foldedLetter)
                return entry.firstChild + i;
        return kNoNode;
    }
    // Bit n is set when a library word of n letters begins with the node's letters; at a node
    // n letters deep, bit n says that those letters are themselves a word.
    uint32_t WordLengths(Node node) const { return nodes_[node].wordLengths; }

    // Number of nodes, the root included; the memory the tree holds, in bytes.
    size_t NodeCount() const { return nodes_.size(); }
    size_t MemoryBytes() const { return nodes_.capacity() * sizeof(Entry) + letters_.capacity(); }

private:
    struct Entry {
        uint32_t firstChild = 0;  // index of the first child in nodes_ and letters_
        uint32_t wordLengths = 0; // see WordLengths
        uint32_t childCount = 0;
    };
    static constexpr int kListSlots = 21;

    std::vector<Entry> nodes_;           // the root first
    std::vector<unsigned char> letters_; // the folded letter that leads to each node
    bool built_ = false;
    uint64_t revisions_[kListSlots] = {}; // WordList::Revision of each list built from
};
