#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QObject;
class QThread;

// What the sound module (vorda-sound.so, SoundModule.cpp) does, called on the output's thread.
struct SoundModule {
    std::function<bool()> open; // opens the output; false when the machine has none
    std::function<void(const QString&)> play;
    std::function<void()> close;
};

// The module beside the program (its build folder), or in PREFIX/lib/vorda2000/ when installed
// (the program in PREFIX/games/); nothing when it is missing, and the game is silent.
std::optional<SoundModule> loadSoundModule();

// Asynchronous playback of one wave file at a time: starting one stops the one playing, and
// nothing else cuts a sound short (see EffectOutput.h). Silent when the machine has no audio
// output or the module is missing.
//
// The module is loaded and its output opened on a thread of their own, which then does all
// the sound's work: the caller never waits for Qt Multimedia's libraries or the sound server,
// neither at the opening nor at a play. A play before the output is open waits for it.
class SoundOutput {
public:
    // `load` runs on the output's thread at the opening.
    explicit SoundOutput(std::function<std::optional<SoundModule>()> load = loadSoundModule);
    // Closes the output and waits for its thread.
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Starts loading and opening the output in the background and returns at once; later calls
    // do nothing. Closed when the application quits.
    void open();
    bool isOpening() const { return thread_ != nullptr; }
    // Starts the wave file at `path` and returns at once, opening the output first if need be.
    // A play still waiting when a newer one comes is left out: the newer would cut it off.
    void play(const QString& path);
    // Closes the module's output, waiting a moment at most for the thread to end.
    void close();

private:
    void post(std::function<void()> work);

    std::function<std::optional<SoundModule>()> load_;
    QThread* thread_ = nullptr;
    std::unique_ptr<QObject> worker_;   // lives on thread_
    std::optional<SoundModule> module_; // on thread_ only
    std::atomic<int> latestPlay_ = 0;
    bool closed_ = false;
};

// The program's one sound output, kept to the end of the process: it is closed when the
// application quits, not in a static destructor after it.
SoundOutput& soundOutput();
