// The word library: any file loads or is refused with an error; what loads is sorted, found by
// both look-ups, and an added word is in the library when it is read again, beside every word
// it held before.

#include "fuzz/FuzzSupport.h"

#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/VordaError.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

namespace {

using Lists = std::vector<std::vector<std::string>>;

Lists listsOf(const WordLibrary& words) {
    Lists lists(kMaxWordLength + 1);
    for (int length = kMinWordLength; length <= kMaxWordLength; ++length)
        for (int i = 0; i < words.lists[length].size(); ++i)
            lists[length].push_back(words.lists[length].at(i));
    return lists;
}

void checkLoaded(const WordLibrary& words, std::string_view probe) {
    for (int length = kMinWordLength; length <= kMaxWordLength; ++length) {
        const WordList& list = words.lists[length];
        for (int i = 0; i < list.size(); ++i) {
            const std::string& word = list.at(i);
            FUZZ_CHECK(word.size() == size_t(length));
            FUZZ_CHECK(isWordOfLanguage(word, words.language));
            FUZZ_CHECK(i == 0 || cp1251CompareNoCase(list.at(i - 1), word) < 0);
            FUZZ_CHECK(list.containsFast(word));
            FUZZ_CHECK(findWord(words, word, uint16_t(length)));
        }
    }
    // A word that may or may not be there: both look-ups agree.
    const WordList& list = words.lists[probe.size()];
    FUZZ_CHECK(list.contains(probe) == list.containsFast(probe));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint16_t language = input.ConsumeBool() ? 1 : 2;
    const unsigned char firstLetter = language == 1 ? 192 : 'A';
    const int letters = language == 1 ? 32 : 26;
    std::string word(input.ConsumeIntegralInRange<size_t>(kMinWordLength, kMaxWordLength), ' ');
    for (char& letter : word)
        letter = char(firstLetter + input.ConsumeIntegralInRange(0, letters - 1));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray file = QByteArray::fromStdString(rest);

    const QString path = fuzzFolder() + QStringLiteral("Lib");
    writeFileBytes(path, file);
    WordLibrary words;
    words.language = language;
    try {
        loadWordsFromFile(words, path);
    } catch (const VordaError&) {
        return 0; // refused with a message; the game adds no word to such a library
    }
    checkLoaded(words, word);

    const Lists before = listsOf(words);
    const uint16_t countBefore = words.wordCount[language];
    try {
        appendWordToLibrary(words, word);
    } catch (const VordaError&) {
        FUZZ_CHECK(readFileBytes(path) == file); // a refused word leaves the file as it was
        return 0;
    }

    WordLibrary again;
    again.language = language;
    loadWordsFromFile(again, path); // an error here is a finding
    checkLoaded(again, word);
    FUZZ_CHECK(again.wordCount[language] == countBefore + 1);
    FUZZ_CHECK(findWord(again, word, uint16_t(word.size())));
    Lists expected = before;
    std::vector<std::string>& list = expected[word.size()];
    const auto place = std::lower_bound(
        list.begin(), list.end(), word,
        [](const std::string& a, const std::string& b) { return cp1251CompareNoCase(a, b) < 0; });
    if (place == list.end() || cp1251CompareNoCase(*place, word) != 0)
        list.insert(place, word);
    FUZZ_CHECK(listsOf(again) == expected);
    return 0;
}
