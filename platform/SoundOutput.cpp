#include "platform/SoundOutput.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <map>
#include <memory>

namespace {
struct Player {
    std::map<QString, std::unique_ptr<QSoundEffect>> effects;
    QSoundEffect* playing = nullptr;
    int hasOutput = -1; // unknown until the first play
};

Player& player() {
    // Kept to the end of the process: the effects must not outlive the application object
    // in a static destructor.
    static Player* p = new Player;
    return *p;
}
} // namespace

void PlayWaveFile(const QString& path) {
    Player& p = player();
    if (p.hasOutput < 0)
        p.hasOutput = QMediaDevices::audioOutputs().isEmpty() ? 0 : 1;
    if (p.hasOutput == 0 || !QFileInfo::exists(path))
        return;
    auto& effect = p.effects[path];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (p.playing)
        p.playing->stop();
    p.playing = effect.get();
    effect->play();
}
