// The computer's move search on fixed boards with the real word libraries.
//
//   Search/<board>/<mode>      FindBestWord; counters: walks, worst trial letter (ms), the
//                              word's length
//   Plain/<board>/<mode>       the straightforward search (std::string words, binary search)
//                              on the same board
//   Ratio/<board>/<mode>       both searches timed side by side in one iteration; counter
//                              ratio = straightforward time / FindBestWord time
//
// Modes: strength:1..6 (longest word 3..8 letters) and /hint (words up to 10 letters, with
// the length skip of strength 6, the case where every candidate is searched).

#include "core/SearchUnit.h"
#include "core/WordsUnit.h"
#include "platform/Cp1251.h"
#include "tests/support/ReferenceSearch.h"

#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Board {
    const char* name;
    uint16_t language;
    std::array<const char*, 5> rows; // UTF-8
};

// The worst shapes: four filled rows without an 8-letter word, so no candidate is skipped;
// and the start of a game, one five-letter word in the middle row.
const Board kBoards[] = {
    {"EnglishFourRows", 2, {"PLANT", "STONE", "HOUSE", "BRICK", "?????"}},
    {"RussianFourRows", 1, {"ПАРУС", "СЛОВО", "НИТКА", "КОШКА", "?????"}},
    {"EnglishStart", 2, {"?????", "?????", "HOUSE", "?????", "?????"}},
    {"RussianStart", 1, {"?????", "?????", "СЛОВО", "?????", "?????"}},
};

constexpr int kHintMode = 0; // mode 0 is the hint, 1..6 the strengths

const TWords* library(uint16_t language) {
    static std::map<uint16_t, TWords> loaded;
    auto it = loaded.find(language);
    if (it == loaded.end()) {
        TWords& words = loaded[language];
        words.Language = language;
        words.FirstLetter = language == 1 ? 192 : 65;
        const QString path = QStringLiteral(VORDA_SOURCE_DIR "/dist/DATA/Lib.") +
                             (language == 1 ? QStringLiteral("RUS") : QStringLiteral("ENG"));
        try {
            if (!QFile::exists(path))
                throw std::runtime_error("missing");
            LoadWordsFromFile(words, path);
        } catch (...) {
            words.Language = 0;
        }
        it = loaded.find(language);
    }
    return it->second.Language ? &it->second : nullptr;
}

LetterGrid grid(const Board& board) {
    std::array<std::string, 5> bytes;
    std::array<std::string_view, 5> rows;
    for (int r = 0; r < 5; ++r) {
        bytes[r] = UnicodeToCp1251(QString::fromUtf8(board.rows[r]));
        rows[r] = bytes[r];
    }
    return *LetterGridFromRows(rows);
}

SearchLimits limits(const TWords& words, int mode) {
    SearchLimits l;
    l.language = words.Language;
    l.firstLetter = words.FirstLetter;
    l.hintMode = mode == kHintMode;
    l.maxWordLength = uint16_t((mode == kHintMode ? 6 : mode) + 2);
    return l;
}

// Times the intervals between trial letters: the longest one is how long the window would
// go without handling its messages. Every search on a board runs the same letters in the same
// order, so each interval keeps its shortest time over the iterations; a letter that only
// looked long because the machine was busy elsewhere does not count.
class LetterTimer : public SearchObserver {
public:
    void start() {
        letter_ = 0;
        last_ = Clock::now();
    }
    bool TrialLetterDone() override {
        lap();
        return true;
    }
    void BestWordFound(const LetterGrid&, const std::string&) override {}
    void lap() {
        const auto now = Clock::now();
        if (letter_ == shortest_.size())
            shortest_.push_back(now - last_);
        else
            shortest_[letter_] = std::min(shortest_[letter_], now - last_);
        ++letter_;
        last_ = now;
    }
    double worstMs() const {
        const auto worst = std::max_element(shortest_.begin(), shortest_.end());
        return worst == shortest_.end() ? 0.0
                                        : std::chrono::duration<double, std::milli>(*worst).count();
    }

private:
    Clock::time_point last_;
    size_t letter_ = 0;
    std::vector<Clock::duration> shortest_;
};

const std::array<std::string, kPlayedWordSlots> kNoPlayedWords{};

void searchBench(benchmark::State& state, const Board& board, int mode) {
    const TWords* words = library(board.language);
    if (!words) {
        state.SkipWithError("the word library is missing");
        return;
    }
    const LetterGrid snapshot = grid(board);
    const SearchLimits l = limits(*words, mode);
    LetterTimer timer;
    SearchResult result;
    for (auto _ : state) {
        timer.start();
        result = FindBestWord(snapshot, *words, kNoPlayedWords, l, &timer);
        timer.lap();
        benchmark::DoNotOptimize(result);
    }
    state.counters["walks"] = double(result.walks);
    state.counters["worst_letter_ms"] = timer.worstMs();
    state.counters["word_length"] = double(result.word.size());
}

void plainBench(benchmark::State& state, const Board& board, int mode) {
    const TWords* words = library(board.language);
    if (!words) {
        state.SkipWithError("the word library is missing");
        return;
    }
    const LetterGrid snapshot = grid(board);
    const SearchLimits l = limits(*words, mode);
    SearchResult result;
    for (auto _ : state) {
        result = reference::FindBestWordStraightforward(snapshot, *words, kNoPlayedWords, l);
        benchmark::DoNotOptimize(result);
    }
    state.counters["walks"] = double(result.walks);
    state.counters["word_length"] = double(result.word.size());
}

void ratioBench(benchmark::State& state, const Board& board, int mode) {
    const TWords* words = library(board.language);
    if (!words) {
        state.SkipWithError("the word library is missing");
        return;
    }
    const LetterGrid snapshot = grid(board);
    const SearchLimits l = limits(*words, mode);
    Clock::duration fast{}, plain{};
    bool same = true;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const SearchResult a = FindBestWord(snapshot, *words, kNoPlayedWords, l, nullptr);
        const auto t1 = Clock::now();
        const SearchResult b =
            reference::FindBestWordStraightforward(snapshot, *words, kNoPlayedWords, l);
        const auto t2 = Clock::now();
        fast += t1 - t0;
        plain += t2 - t1;
        same = same && a.word == b.word && a.walks == b.walks && a.column == b.column &&
               a.row == b.row && a.path == b.path;
    }
    if (!same)
        state.SkipWithError("the two searches disagree");
    const double n = double(state.iterations());
    state.counters["search_ms"] = std::chrono::duration<double, std::milli>(fast).count() / n;
    state.counters["plain_ms"] = std::chrono::duration<double, std::milli>(plain).count() / n;
    state.counters["ratio"] = double(plain.count()) / double(std::max<Clock::rep>(1, fast.count()));
}

using BenchFunction = void (*)(benchmark::State&, const Board&, int mode);

void registerAll() {
    const std::pair<const char*, BenchFunction> kinds[] = {
        {"Search", searchBench}, {"Plain", plainBench}, {"Ratio", ratioBench}};
    for (const auto& [kind, function] : kinds) {
        for (const Board& board : kBoards) {
            for (int mode = 1; mode <= 7; ++mode) {
                const bool hint = mode == 7;
                const std::string name =
                    std::string(kind) + "/" + board.name +
                    (hint ? std::string("/hint") : "/strength:" + std::to_string(mode));
                const int searchMode = hint ? kHintMode : mode;
                auto* b = benchmark::RegisterBenchmark(
                    name.c_str(), [&board, function, searchMode](benchmark::State& s) {
                        function(s, board, searchMode);
                    });
                b->Unit(benchmark::kMillisecond);
                if (function != searchBench)
                    b->Iterations(3);
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
