// The processor time and peak memory of the game's start, from the program's start to the
// main window's first painting (VORDA2000_QUIT_AFTER_START), beside an empty Qt Widgets window
// with a menu bar (startup_empty) that closes after its first painting too. The two programs
// run in turn, each iteration both, the first of them alternating; the times are the
// children's processor time (user and system), the memory their peak resident size.
//
//   Startup   counters: game_ms, empty_ms (medians), ratio (the median of each pair's
//             game_ms / empty_ms), game_peak_kib, empty_peak_kib (medians), peak_ratio
//
// With VORDA_STARTUP_BEFORE set to another build's game folder (an earlier version's
// build/game/), that game runs in the same turns too, for figures before and after a change
// from one run: before_ms, before_ratio, before_peak_kib, before_peak_ratio.
//
// The games run on copies of their folders in a temporary folder, so their settings and records
// stay untouched. The platform is the caller's: QT_QPA_PLATFORM=offscreen, or a display
// (xvfb-run -a -s "-screen 0 1024x768x24" build/bench/bench_startup).

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Run {
    double cpuMs = 0;
    double peakKib = 0;
    bool ok = false;
};

// Runs the program to its end with the environment and `extra` added.
Run runProgram(const QString& program, const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.insert(env.end(), extra.begin(), extra.end());
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    const QByteArray path = QFile::encodeName(program);
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};

    Run run;
    pid_t pid = 0;
    if (posix_spawn(&pid, path.constData(), nullptr, nullptr, argv, envp.data()) != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    run.peakKib = double(usage.ru_maxrss);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

bool copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(source, target))
            return false;
        QFile::setPermissions(target, QFile::permissions(source));
    }
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Program {
    QString path;
    std::vector<std::string> env;
    std::vector<double> ms, kib;
};

void startup(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray before = qgetenv("VORDA_STARTUP_BEFORE");
    if (!folder.isValid() ||
        !copyTree(QStringLiteral(VORDA_BINARY_DIR "/game"), folder.filePath("after")) ||
        (!before.isEmpty() && !copyTree(QFile::decodeName(before), folder.filePath("before")))) {
        state.SkipWithError("cannot copy the game folders");
        return;
    }
    const std::vector<std::string> quit = {"VORDA2000_QUIT_AFTER_START=1"};
    std::vector<Program> programs = {
        {folder.filePath(QStringLiteral("after/vorda2000")), quit, {}, {}},
        {QStringLiteral(VORDA_BINARY_DIR "/bench/startup_empty"), {}, {}, {}},
    };
    if (!before.isEmpty())
        programs.push_back({folder.filePath(QStringLiteral("before/vorda2000")), quit, {}, {}});
    // One start of each first: a game writes what it misses, the system caches the files.
    for (const Program& program : programs) {
        if (!runProgram(program.path, program.env).ok) {
            state.SkipWithError("a program did not start and close cleanly");
            return;
        }
    }
    size_t first = 0;
    for (auto _ : state) {
        for (size_t k = 0; k < programs.size(); ++k) {
            Program& program = programs[(first + k) % programs.size()];
            const Run run = runProgram(program.path, program.env);
            if (!run.ok) {
                state.SkipWithError("a program did not start and close cleanly");
                return;
            }
            program.ms.push_back(run.cpuMs);
            program.kib.push_back(run.peakKib);
        }
        first = (first + 1) % programs.size();
    }
    // Ratios pair the runs of one turn.
    const auto ratios = [](const std::vector<double>& a, const std::vector<double>& b) {
        std::vector<double> r;
        for (size_t i = 0; i < a.size(); ++i)
            r.push_back(a[i] / b[i]);
        return median(r);
    };
    const Program& game = programs[0];
    const Program& empty = programs[1];
    state.counters["game_ms"] = median(game.ms);
    state.counters["empty_ms"] = median(empty.ms);
    state.counters["ratio"] = ratios(game.ms, empty.ms);
    state.counters["game_peak_kib"] = median(game.kib);
    state.counters["empty_peak_kib"] = median(empty.kib);
    state.counters["peak_ratio"] = ratios(game.kib, empty.kib);
    if (programs.size() > 2) {
        const Program& old = programs[2];
        state.counters["before_ms"] = median(old.ms);
        state.counters["before_ratio"] = ratios(old.ms, empty.ms);
        state.counters["before_peak_kib"] = median(old.kib);
        state.counters["before_peak_ratio"] = ratios(old.kib, empty.kib);
    }
}

} // namespace

BENCHMARK(startup)->Name("Startup")->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
