// The computer's move search on fixed boards with the real word libraries. Every time below
// is processor time of the benchmark's thread, so runs on a busy machine stay comparable.
//
//   Search/<board>/<mode>   findBestWord with an observer that times the trial letters;
//                           counters: fastest_ms (the fastest run; the mean is Google
//                           Benchmark's own time and suffers more from a busy machine),
//                           walks (paths walked), worst_letter_ms (the longest trial
//                           letter), first_run_worst_letter_ms (the same in the first
//                           run, which builds the library's prefix tree), word_length
//   Ratio/<board>/<mode>    findBestWord, the exhaustive walk (every path, the library asked
//                           through its hash index: the search before the prefix tree) and
//                           the straightforward search (std::string words, binary search with
//                           the comparison) one after the other in every iteration, each
//                           checked to give the same move; counters: search_ms, exhaustive_ms,
//                           plain_ms (the fastest run of each), of_plain = search_ms /
//                           plain_ms, of_exhaustive = search_ms / exhaustive_ms, walks and
//                           exhaustive_walks
//   Load/<language>         loadWordsFromFile beside a plain reading of the same file
//                           (QFile::readAll) in every iteration; counters: load_ms, read_ms
//                           (the fastest run of each), of_read = load_ms / read_ms
//   Count/<language>        loadWordCount, the other language's library read for its count
//   Tree/<language>         building the library's prefix tree; counters: nodes, tree_kib (its
//                           memory)
//
// Modes: strength:1..6 (longest word 3..8 letters) and hint (words up to 10 letters, with
// the length skip of strength 6, so that a board without an 8-letter word has every
// candidate searched).

#include "bench/ExhaustiveSearch.h"
#include "core/LanguageTable.h"
#include "core/MoveSearch.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"
#include "tests/support/ReferenceSearch.h"

#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The processor time the calling thread has used.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<Clock>;
    static constexpr bool is_steady = true;
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec));
    }
};

struct Board {
    const char* name;
    uint16_t language;
    std::array<const char*, 5> rows; // UTF-8, row 1 first
    const char* played;              // the start word, or null
};

// The worst shapes: four filled rows without an 8-letter word, so no candidate is skipped;
// and the start of a game, one five-letter word in the middle row, already played.
const Board kBoards[] = {
    {"EnglishFourRows", 2, {"PLANT", "STONE", "HOUSE", "BRICK", "?????"}, nullptr},
    {"RussianFourRows", 1, {"ПАРУС", "СЛОВО", "НИТКА", "КОШКА", "?????"}, nullptr},
    {"EnglishStart", 2, {"?????", "?????", "HOUSE", "?????", "?????"}, "HOUSE"},
    {"RussianStart", 1, {"?????", "?????", "СЛОВО", "?????", "?????"}, "СЛОВО"},
};

constexpr int kHintMode = 0; // mode 0 is the hint, 1..6 the strengths
constexpr int kHintStrength = 6;
constexpr int kStrengthToLength = 2;

// Each library is read once, on first use, with its ranks; null when its file cannot be read.
const WordLibrary* library(uint16_t language) {
    static std::map<uint16_t, std::unique_ptr<WordLibrary>> loaded;
    auto& slot = loaded[language];
    if (!slot) {
        slot = std::make_unique<WordLibrary>();
        slot->language = language;
        const QString path = QStringLiteral(VORDA_SOURCE_DIR "/dist/") +
                             QString::fromUtf8(languageOf(language).libraryFile);
        try {
            loadWordsFromFile(*slot, path);
            // The tiers decide among the longest words; without the file every word is rarest.
            readRanks(*slot, QStringLiteral(VORDA_SOURCE_DIR "/dist/") +
                                 QString::fromUtf8(languageOf(language).ranksFile));
        } catch (const VordaError&) {
            slot->language = 0;
        }
    }
    return slot->language ? slot.get() : nullptr;
}

// Everything one search needs.
struct Position {
    const WordLibrary* words;
    LetterGrid grid;
    std::array<std::string, kPlayedWordSlots> played;
    SearchLimits limits;
};

std::optional<Position> position(benchmark::State& state, const Board& board, int mode) {
    const WordLibrary* words = library(board.language);
    if (!words) {
        state.SkipWithError("the word library cannot be read");
        return std::nullopt;
    }
    Position p{words, {}, {}, {}};
    std::array<std::string, 5> bytes;
    std::array<std::string_view, 5> rows;
    for (int r = 0; r < 5; ++r) {
        bytes[r] = unicodeToCp1251(QString::fromUtf8(board.rows[r]));
        rows[r] = bytes[r];
    }
    p.grid = *letterGridFromRows(rows);
    if (board.played)
        p.played[0] = unicodeToCp1251(QString::fromUtf8(board.played));
    p.limits.language = words->language;
    p.limits.hintMode = mode == kHintMode;
    p.limits.maxWordLength =
        uint16_t((mode == kHintMode ? kHintStrength : mode) + kStrengthToLength);
    return p;
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
    bool trialLetterDone() override {
        lap();
        return true;
    }
    void bestWordFound(const LetterGrid&, const std::string&) override {}
    void lap() {
        const auto now = Clock::now();
        if (letter_ == shortest_.size())
            shortest_.push_back(now - last_);
        else
            shortest_[letter_] = std::min(shortest_[letter_], now - last_);
        ++letter_;
        last_ = now;
    }
    // The longest letter of the first search, which also builds the library's look-up index
    // (as the first computer turn after loading a library does).
    double firstRunWorstMs() const {
        return std::chrono::duration<double, std::milli>(firstRunWorst_).count();
    }
    void endRun() {
        lap();
        if (!firstRunDone_) {
            firstRunWorst_ = *std::max_element(shortest_.begin(), shortest_.end());
            firstRunDone_ = true;
        }
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
    Clock::duration firstRunWorst_{};
    bool firstRunDone_ = false;
};

void searchBench(benchmark::State& state, const Board& board, int mode) {
    const auto p = position(state, board, mode);
    if (!p)
        return;
    LetterTimer timer;
    SearchResult result;
    Clock::duration fastest = Clock::duration::max();
    for (auto _ : state) {
        const auto t0 = Clock::now();
        timer.start();
        result = findBestWord(p->grid, *p->words, p->played, p->limits, &timer);
        timer.endRun();
        fastest = std::min(fastest, Clock::now() - t0);
        benchmark::DoNotOptimize(result);
    }
    state.counters["fastest_ms"] = std::chrono::duration<double, std::milli>(fastest).count();
    state.counters["walks"] = double(result.walks);
    state.counters["worst_letter_ms"] = timer.worstMs();
    state.counters["first_run_worst_letter_ms"] = timer.firstRunWorstMs();
    state.counters["word_length"] = double(result.word.size());
}

void ratioBench(benchmark::State& state, const Board& board, int mode) {
    const auto p = position(state, board, mode);
    if (!p)
        return;
    Clock::duration fast = Clock::duration::max();
    Clock::duration exhaustive = Clock::duration::max();
    Clock::duration plain = Clock::duration::max();
    const auto sameMove = [](const SearchResult& a, const SearchResult& b) {
        return a.word == b.word && a.column == b.column && a.row == b.row && a.path == b.path;
    };
    bool same = true;
    SearchResult a, b;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        a = findBestWord(p->grid, *p->words, p->played, p->limits, nullptr);
        const auto t1 = Clock::now();
        b = exhaustive::findBestWordExhaustive(p->grid, *p->words, p->played, p->limits);
        const auto t2 = Clock::now();
        const SearchResult c =
            reference::findBestWordStraightforward(p->grid, *p->words, p->played, p->limits);
        const auto t3 = Clock::now();
        fast = std::min(fast, t1 - t0);
        exhaustive = std::min(exhaustive, t2 - t1);
        plain = std::min(plain, t3 - t2);
        same = same && sameMove(a, b) && sameMove(a, c) && b.walks == c.walks;
    }
    if (!same)
        state.SkipWithError("the searches disagree");
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    state.counters["search_ms"] = ms(fast);
    state.counters["exhaustive_ms"] = ms(exhaustive);
    state.counters["plain_ms"] = ms(plain);
    state.counters["of_plain"] = ms(fast) / ms(plain);
    state.counters["of_exhaustive"] = ms(fast) / ms(exhaustive);
    state.counters["walks"] = double(a.walks);
    state.counters["exhaustive_walks"] = double(b.walks);
}

void treeBench(benchmark::State& state, uint16_t language) {
    const WordLibrary* words = library(language);
    if (!words) {
        state.SkipWithError("the word library cannot be read");
        return;
    }
    WordTree tree;
    for (auto _ : state) {
        tree.build(words->lists, int(std::size(words->lists)));
        benchmark::DoNotOptimize(tree);
    }
    state.counters["nodes"] = double(tree.nodeCount());
    state.counters["tree_kib"] = double(tree.memoryBytes()) / 1024;
}

QString libraryPath(uint16_t language) {
    return QStringLiteral(VORDA_SOURCE_DIR "/dist/") +
           QString::fromUtf8(languageOf(language).libraryFile);
}

void loadBench(benchmark::State& state, uint16_t language) {
    Clock::duration load = Clock::duration::max();
    Clock::duration read = Clock::duration::max();
    for (auto _ : state) {
        WordLibrary words;
        words.language = language;
        const auto t0 = Clock::now();
        loadWordsFromFile(words, libraryPath(language));
        const auto t1 = Clock::now();
        QFile file(libraryPath(language));
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("the word library cannot be read");
        const QByteArray bytes = file.readAll();
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(bytes.data());
        load = std::min(load, t1 - t0);
        read = std::min(read, t2 - t1);
    }
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    state.counters["load_ms"] = ms(load);
    state.counters["read_ms"] = ms(read);
    state.counters["of_read"] = ms(load) / ms(read);
}

void countBench(benchmark::State& state, uint16_t language) {
    setGameFolder(QStringLiteral(VORDA_SOURCE_DIR "/dist/"));
    uint16_t count = 0;
    for (auto _ : state) {
        WordLibrary words;
        words.language = language == kRussian ? kEnglish : kRussian;
        loadWordCount(words, language);
        count = words.wordCount[language];
    }
    state.counters["words"] = count;
}

using BenchFunction = void (*)(benchmark::State&, const Board&, int mode);

void registerAll() {
    const std::pair<const char*, BenchFunction> kinds[] = {{"Search", searchBench},
                                                           {"Ratio", ratioBench}};
    for (const auto& [kind, bench] : kinds) {
        const BenchFunction function = bench; // clang 14 captures no structured binding
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
                if (function == ratioBench)
                    b->Iterations(5);
            }
        }
    }
    for (const uint16_t language : {kRussian, kEnglish}) {
        const std::string section(languageOf(language).section);
        benchmark::RegisterBenchmark(("Load/" + section).c_str(), [language](benchmark::State& s) {
            loadBench(s, language);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Count/" + section).c_str(), [language](benchmark::State& s) {
            countBench(s, language);
        })->Unit(benchmark::kMillisecond);
    }
    for (const uint16_t language : {kRussian, kEnglish}) {
        const std::string name = std::string("Tree/") + std::string(languageOf(language).section);
        benchmark::RegisterBenchmark(name.c_str(), [language](benchmark::State& s) {
            treeBench(s, language);
        })->Unit(benchmark::kMillisecond);
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
