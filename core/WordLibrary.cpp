#include "core/WordLibrary.h"

#include "platform/Cp1251.h"
#include "platform/VordaError.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cstring>

namespace {

uint32_t foldedHash(const unsigned char* folded, size_t length) {
    uint32_t h = WordList::kHashStart;
    for (size_t i = 0; i < length; ++i)
        h = WordList::foldedHashStep(h, folded[i]);
    return h;
}

} // namespace

void WordList::changed() {
    // Shared by every list of the process, so two lists never show one revision for
    // different words.
    static uint64_t lastRevision = 0;
    revision_ = ++lastRevision;
}

void WordList::setLength(size_t length) {
    if (count_ == 0)
        length_ = length;
    else if (length != length_)
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: a word of %1 letters in the list of "
                                        "%2-letter words")
                             .arg(length)
                             .arg(length_));
}

int WordList::compareFolded(size_t entry, const unsigned char* folded) const {
    const auto* stored = reinterpret_cast<const unsigned char*>(words_.data()) + entry * length_;
    for (size_t k = 0; k < length_; ++k) {
        const unsigned char letter = cp1251FoldCase(stored[k]);
        if (letter != folded[k])
            return letter < folded[k] ? -1 : 1;
    }
    return 0;
}

std::string WordList::foldedAt(int index) const {
    std::string folded = at(index);
    for (char& letter : folded)
        letter = char(cp1251FoldCase(static_cast<unsigned char>(letter)));
    return folded;
}

void WordList::insert(std::string_view word) {
    setLength(word.size());
    lastFoldedCount_ = 0;
    std::string folded(word.size(), '\0');
    for (size_t k = 0; k < word.size(); ++k)
        folded[k] = char(cp1251FoldCase(static_cast<unsigned char>(word[k])));
    const auto* key = reinterpret_cast<const unsigned char*>(folded.data());
    // The first entry not below the word.
    size_t lo = 0;
    size_t hi = count_;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (compareFolded(mid, key) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < count_ && compareFolded(lo, key) == 0)
        return;
    words_.insert(lo * length_, word.data(), word.size());
    tiers_.insert(lo, 1, char(kRarestTier));
    ++count_;
    // Entries after the new one have moved: the index is made again when next asked.
    if (lo + 1 == count_ && indexValid_)
        addToIndex(lo, foldedHash(key, folded.size()));
    else
        indexValid_ = false;
    changed();
}

void WordList::squeeze() {
    words_.shrink_to_fit();
}

void WordList::adoptWords(std::string&& words, size_t length, std::string&& tiers) {
    count_ = length == 0 ? 0 : words.size() / length;
    length_ = count_ == 0 ? 0 : length;
    words_ = std::move(words);
    words_.resize(count_ * length_);
    if (tiers.size() == count_)
        tiers_ = std::move(tiers);
    else
        tiers_.assign(count_, char(kRarestTier));
    for (size_t k = 0; k < length_; ++k)
        lastFolded_[k] =
            cp1251FoldCase(static_cast<unsigned char>(words_[(count_ - 1) * length_ + k]));
    lastFoldedCount_ = count_;
    indexValid_ = count_ == 0;
    slots_.clear();
    changed();
}

void WordList::append(std::string_view word) {
    const size_t length = word.size();
    if (length > kMaxWordLength || (count_ != 0 && length != length_)) {
        insert(word);
        return;
    }
    unsigned char folded[kMaxWordLength];
    for (size_t k = 0; k < length; ++k)
        folded[k] = cp1251FoldCase(static_cast<unsigned char>(word[k]));
    // A sorted file brings every word after the one before it, whose folded spelling is kept.
    const bool last = count_ == 0 || (lastFoldedCount_ == count_
                                          ? std::memcmp(lastFolded_.data(), folded, length) < 0
                                          : compareFolded(count_ - 1, folded) < 0);
    if (!last) {
        insert(word);
        return;
    }
    length_ = length;
    words_.append(word);
    tiers_.push_back(char(kRarestTier));
    ++count_;
    std::memcpy(lastFolded_.data(), folded, length);
    lastFoldedCount_ = count_;
    // The look-up index is made in one pass at the first look-up, not word by word.
    indexValid_ = false;
    changed();
}

void WordList::clear() {
    length_ = 0;
    count_ = 0;
    lastFoldedCount_ = 0;
    words_.clear();
    tiers_.clear();
    slots_.clear();
    indexValid_ = true;
    changed();
}

void WordList::setTier(int index, uint8_t tier) {
    tiers_[size_t(index)] = char(tier);
    changed();
}

void WordList::forgetTiers() {
    tiers_.assign(count_, char(kRarestTier));
    changed();
}

uint8_t WordList::commonest() const {
    uint8_t commonest = kRarestTier + 1;
    for (const char tier : tiers_)
        commonest = std::min(commonest, commonnessOf(uint8_t(tier)));
    return commonest;
}

int WordList::indexOf(std::string_view word) const {
    unsigned char folded[kMaxWordLength];
    if (word.size() != length_ || count_ == 0 || word.size() > sizeof folded)
        return -1;
    for (size_t k = 0; k < word.size(); ++k)
        folded[k] = cp1251FoldCase(static_cast<unsigned char>(word[k]));
    size_t lo = 0;
    size_t hi = count_;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        const int c = compareFolded(mid, folded);
        if (c == 0)
            return int(mid);
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return -1;
}

std::string WordList::at(int index) const {
    if (index < 0 || index >= size())
        throw VordaError(VordaError::Kind::ListIndex,
                         QStringLiteral("List index out of bounds (%1)").arg(index));
    return words_.substr(size_t(index) * length_, length_);
}

bool WordList::contains(std::string_view word) const {
    return indexOf(word) >= 0;
}

void WordList::addToIndex(size_t entry, uint32_t hash) const {
    if ((entry + 1) * 2 > slots_.size()) {
        std::vector<Slot> grown(std::max<size_t>(16, slots_.size() * 2), Slot{0, 0});
        for (const Slot& old : slots_) {
            if (old.entry == 0)
                continue;
            size_t slot = old.hash & (grown.size() - 1);
            while (grown[slot].entry != 0)
                slot = (slot + 1) & (grown.size() - 1);
            grown[slot] = old;
        }
        slots_.swap(grown);
    }
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    while (slots_[slot].entry != 0)
        slot = (slot + 1) & mask;
    slots_[slot] = Slot{hash, static_cast<uint32_t>(entry + 1)};
}

void WordList::buildIndex() const {
    size_t capacity = 16;
    while (capacity < count_ * 2)
        capacity *= 2;
    slots_.assign(capacity, Slot{0, 0});
    const auto* stored = reinterpret_cast<const unsigned char*>(words_.data());
    for (size_t i = 0; i < count_; ++i) {
        uint32_t hash = kHashStart;
        for (size_t k = 0; k < length_; ++k)
            hash = foldedHashStep(hash, cp1251FoldCase(stored[i * length_ + k]));
        addToIndex(i, hash);
    }
    indexValid_ = true;
}

bool WordList::containsFast(std::string_view word) const {
    unsigned char folded[kMaxWordLength];
    if (word.size() != length_ || count_ == 0 || word.size() > sizeof folded)
        return false;
    for (size_t k = 0; k < word.size(); ++k)
        folded[k] = cp1251FoldCase(static_cast<unsigned char>(word[k]));
    return containsFolded(folded, word.size(), foldedHash(folded, word.size()));
}

bool WordList::containsFolded(const unsigned char* folded, size_t length, uint32_t hash) const {
    if (length != length_ || count_ == 0)
        return false;
    if (!indexValid_)
        buildIndex();
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask; slots_[slot].entry != 0; slot = (slot + 1) & mask) {
        const Slot& s = slots_[slot];
        if (s.hash == hash && compareFolded(s.entry - 1, folded) == 0)
            return true;
    }
    return false;
}

const WordTree& prefixTree(const WordLibrary& words) {
    const int listCount = int(std::size(words.lists));
    if (!words.tree.isBuiltFrom(words.lists, listCount))
        words.tree.build(words.lists, listCount);
    return words.tree;
}

std::string_view ranksProblemKey(RanksState state) {
    switch (state) {
    case RanksState::Missing:
        return "RanksMissing";
    case RanksState::Damaged:
        return "RanksDamaged";
    case RanksState::Read:
        break;
    }
    return {};
}

std::string chooseStartWord(const WordLibrary& words, QRandomGenerator& random) {
    const WordList& list = words.lists[kStartWordLength];
    // The best kind of word the library holds: everyday, then any but rude, then any.
    const auto fits = [&](int index, int kind) {
        const uint8_t tier = list.tierAt(index);
        return kind == 0 ? isEverydayTier(tier) : kind == 1 ? tier != kRudeTier : true;
    };
    for (int kind = 0; kind < 3; ++kind) {
        std::vector<int> choices;
        for (int i = 0; i < list.size(); ++i)
            if (fits(i, kind))
                choices.push_back(i);
        if (!choices.empty())
            return list.at(choices[random.bounded(quint32(choices.size()))]);
    }
    return list.at(0); // an empty list raises the list's range error
}

bool findWord(const WordLibrary& words, std::string_view word, uint16_t length) {
    if (length < kMinWordLength || length > kMaxWordLength)
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: word length %1").arg(length));
    return words.lists[length].containsFast(word);
}
