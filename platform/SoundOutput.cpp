#include "platform/SoundOutput.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLibrary>
#include <QThread>

namespace {
// At the close: the output ends within moments, and a sound server that does not answer holds
// up the end of the game no longer than this.
constexpr int kCloseWaitMilliseconds = 2000;
} // namespace

std::optional<SoundModule> loadSoundModule() {
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& path : {programDir + QStringLiteral("/vorda-sound.so"),
                                programDir + QStringLiteral("/../lib/vorda2000/vorda-sound.so")}) {
        // Kept loaded to the end of the process.
        auto* library = new QLibrary(path);
        const auto open = reinterpret_cast<bool (*)()>(library->resolve("vordaOpenSoundOutput"));
        const auto play =
            reinterpret_cast<void (*)(const QString&)>(library->resolve("vordaPlayWaveFile"));
        const auto close = reinterpret_cast<void (*)()>(library->resolve("vordaCloseSoundOutput"));
        if (open && play && close)
            return SoundModule{open, play, close};
        delete library;
    }
    return std::nullopt;
}

SoundOutput::SoundOutput(std::function<std::optional<SoundModule>()> load)
    : load_(std::move(load)) {}

SoundOutput::~SoundOutput() {
    close();
    if (thread_)
        thread_->wait();
    delete thread_;
}

void SoundOutput::open() {
    if (thread_ || closed_)
        return;
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("sound output"));
    worker_ = std::make_unique<QObject>();
    worker_->moveToThread(thread_);
    thread_->start();
    post([this] {
        module_ = load_();
        if (module_ && !module_->open())
            module_.reset();
    });
    if (qApp)
        QObject::connect(
            qApp, &QCoreApplication::aboutToQuit, worker_.get(), [this] { close(); },
            Qt::DirectConnection);
}

void SoundOutput::play(const QString& path) {
    if (closed_)
        return;
    open();
    const int number = ++latestPlay_;
    post([this, path, number] {
        if (module_ && number == latestPlay_)
            module_->play(path);
    });
}

void SoundOutput::close() {
    if (!thread_ || closed_)
        return;
    closed_ = true;
    post([this] {
        if (module_)
            module_->close();
        module_.reset();
        thread_->quit();
    });
    thread_->wait(QDeadlineTimer(kCloseWaitMilliseconds));
}

void SoundOutput::post(std::function<void()> work) {
    QMetaObject::invokeMethod(worker_.get(), std::move(work), Qt::QueuedConnection);
}

SoundOutput& soundOutput() {
    static auto* output = new SoundOutput;
    return *output;
}
