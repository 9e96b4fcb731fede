#include "core/WordTree.h"

#include "core/WordLibrary.h"

#include <algorithm>
#include <string>

void WordTree::build(const WordList* lists, int listCount) {
    listCount = std::min(listCount, kListSlots);
    // Each word's folded spelling with its tier as a last byte, which the walk below never
    // reaches as a letter.
    std::vector<std::string> words;
    for (int n = kMinWordLength; n < listCount; ++n) {
        const WordList& list = lists[n];
        for (int i = 0; i < list.size(); ++i) {
            std::string folded = list.foldedAt(i);
            if (folded.size() == size_t(n)) {
                folded.push_back(char(list.tierAt(i)));
                words.push_back(std::move(folded));
            }
        }
    }
    // Bytewise order puts a word before every longer word it begins, and gathers the words
    // below one node into one run. Of one spelling in two lists the lower tier comes first
    // and stays.
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end(),
                            [](const std::string& a, const std::string& b) {
                                return a.size() == b.size() &&
                                       a.compare(0, a.size() - 1, b, 0, b.size() - 1) == 0;
                            }),
                words.end());
    const auto letterCount = [](const std::string& word) { return word.size() - 1; };

    nodes_.assign(1, Entry{});
    letters_.assign(1, 0);
    // Breadth first: a node's children are made together when the node is reached, so they
    // lie side by side. Each pending node has the run of words below it.
    struct Pending {
        Node node;
        uint32_t begin, end;
        uint32_t depth;
    };
    std::vector<Pending> pending{{kRoot, 0, uint32_t(words.size()), 0}};
    for (size_t next = 0; next < pending.size(); ++next) {
        const Pending p = pending[next];
        uint32_t lengths = 0;
        uint32_t i = p.begin;
        uint8_t tier = 0;
        if (i < p.end && letterCount(words[i]) == p.depth) {
            lengths |= uint32_t(1) << p.depth;
            tier = uint8_t(words[i].back());
            ++i;
        }
        nodes_[p.node].firstChild = uint32_t(nodes_.size());
        while (i < p.end) {
            const char letter = words[i][p.depth];
            uint32_t j = i;
            for (; j < p.end && words[j][p.depth] == letter; ++j)
                lengths |= uint32_t(1) << letterCount(words[j]);
            pending.push_back({Node(nodes_.size()), i, j, p.depth + 1});
            nodes_.push_back(Entry{});
            letters_.push_back(static_cast<unsigned char>(letter));
            ++nodes_[p.node].childCount;
            i = j;
        }
        Entry& entry = nodes_[p.node];
        entry.wordLengths = lengths;
        entry.tier = tier & 15;
        const unsigned char* letters = letters_.data() + entry.firstChild;
        entry.letterBlock = entry.childCount ? uint8_t(letters[0] >> 5) : 0;
        entry.lettersInOneBlock = true;
        for (uint32_t k = 0; k < entry.childCount; ++k) {
            entry.lettersInOneBlock &= (letters[k] >> 5) == entry.letterBlock;
            entry.childLetters |= uint32_t(1) << (letters[k] & 31);
        }
    }
    nodes_.shrink_to_fit();
    letters_.shrink_to_fit();

    for (int n = 0; n < kListSlots; ++n)
        commonest_[n] = n < listCount ? lists[n].commonest() : kRarestTier + 1;
    built_ = true;
    std::fill(std::begin(revisions_), std::end(revisions_), 0);
    for (int n = 0; n < listCount; ++n)
        revisions_[n] = lists[n].revision();
}

bool WordTree::isBuiltFrom(const WordList* lists, int listCount) const {
    if (!built_ || listCount > kListSlots)
        return false;
    for (int n = 0; n < listCount; ++n)
        if (revisions_[n] != lists[n].revision())
            return false;
    return true;
}
