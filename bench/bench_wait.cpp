// How much processor time the game uses for a computer's turn on a tiny library: almost all
// of it is the word standing for ten ticks of the main timer, when the game should sleep in
// the event loop, not spin.
#include "app/MainWindow.h"
#include "extras/GameServices.h"
#include "extras/TextureChoice.h"
#include "platform/ErrorBox.h"
#include "platform/ProgramFolder.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
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

void skippedTurn(benchmark::State& state, MainWindow* window) {
    double cpuMs = 0, wallMs = 0;
    const GameState start = window->model().state();
    for (auto _ : state) {
        window->model().restore(start);
        const std::clock_t cpu0 = std::clock();
        const auto wall0 = std::chrono::steady_clock::now();
        window->controller().skipTurn();
        while (window->busy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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
    writeFile(folder.path() + "/DATA/Lib.ENG", "HOUSE\r\nTO\r\n");
    writeFile(folder.path() + "/DATA/Lib.RUS", "HOUSE\r\n");
    // Without the records file or the interface texts the start-up would stop in its error box.
    if (!QFile::copy(QStringLiteral(VORDA_SOURCE_DIR "/dist/DATA/Winners"),
                     folder.path() + "/DATA/Winners"))
        qFatal("cannot copy the records file");
    QFile settings(QStringLiteral(VORDA_SOURCE_DIR "/dist/Vorda2000.ini"));
    if (!settings.open(QIODevice::ReadOnly))
        qFatal("cannot read the settings file");
    writeFile(folder.path() + "/Vorda2000.ini",
              settings.readAll().replace("LanguageNumber=1", "LanguageNumber=2"));
    setGameFolder(folder.path() + "/");
    initTextures();
    GameServices services;
    initSettingsFile(services.settingsFile());
    MainWindow window(services);
    window.show();

    benchmark::RegisterBenchmark("ComputerTurn/skip", skippedTurn, &window)
        ->Iterations(5)
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
