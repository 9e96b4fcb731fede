// How much processor time the game uses while the computer's turn shows its result for ten
// ticks of the main timer: it should sleep in the event loop, not spin.
#include "app/MainUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/ErrorBox.h"
#include "platform/ProgramFolder.h"
#include "settings/INIUnit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void WaitTicksTen(benchmark::State& state, TMainWindow* window) {
    double cpuMs = 0, wallMs = 0;
    for (auto _ : state) {
        const std::clock_t cpu0 = std::clock();
        const auto wall0 = std::chrono::steady_clock::now();
        window->WaitTicks(10);
        cpuMs += 1000.0 * double(std::clock() - cpu0) / CLOCKS_PER_SEC;
        wallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall0)
                .count();
    }
    state.counters["wall_ms"] = wallMs / double(state.iterations());
    state.counters["cpu_ms"] = cpuMs / double(state.iterations());
    state.counters["cpu_share"] = wallMs > 0 ? cpuMs / wallMs : 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    VordaApplication app(argc, argv);
    QTemporaryDir folder;
    QDir(folder.path()).mkpath("DATA");
    writeFile(folder.path() + "/DATA/Lib.ENG", "HOUSE\r\n");
    writeFile(folder.path() + "/DATA/Lib.RUS", "HOUSE\r\n");
    writeFile(folder.path() + "/Vorda2000.ini", "[Vorda]\r\nLanguageNumber=2\r\n");
    // Without the records file the start-up would stop in its error box.
    if (!QFile::copy(QStringLiteral(VORDA_SOURCE_DIR "/dist/DATA/Winners"),
                     folder.path() + "/DATA/Winners"))
        qFatal("cannot copy the records file");
    SetProgramFolder(folder.path() + "/");
    InitSettingsFile();
    InitTextures();
    TMainWindow window;
    window.show();

    benchmark::RegisterBenchmark("WaitTicks/10", WaitTicksTen, &window)
        ->Iterations(5)
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
