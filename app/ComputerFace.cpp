#include "app/ComputerFace.h"

#include "platform/ResourceBitmap.h"
#include "skin/CoolControls.h"

#include <QLabel>

#include <utility>

namespace {
constexpr int kStartPhase = 12;
constexpr int kPhases = 20;
constexpr int kShakePictures = 7;
constexpr int kTicksPerShake = 2;
} // namespace

ComputerFace::ComputerFace(QWidget* parent) : QWidget(parent) {
    resize(104, 74);
    picture_ = new QLabel(this);
    picture_->setGeometry(2, 2, 100, 70);
    picture_->setAlignment(Qt::AlignCenter);
    auto* bevel = new CoolBevel(this);
    bevel->setGeometry(0, 0, 104, 74);
}

void ComputerFace::showPicture(const QString& name) {
    name_ = name;
    picture_->setPixmap(QPixmap::fromImage(loadResourceBitmapForRatio(name, pictureRatio())));
}

void ComputerFace::startThinking(int tick) {
    // The first look always sees a change of the tick counter.
    lastSeenTick_ = tick - 1;
    phase_ = kStartPhase;
    flag_ = true;
}

void ComputerFace::advanceThinking(int tick) {
    if (tick == lastSeenTick_)
        return;
    lastSeenTick_ = tick;
    phase_ = (phase_ + 1) % kPhases;
    if (phase_ > kStartPhase && phase_ % 2 == 1) {
        flag_ = !flag_;
        showPicture(flag_ ? QStringLiteral("CPU21") : QStringLiteral("CPU22"));
    }
}

void ComputerFace::shake(std::function<void()> done) {
    shakeDone_ = std::move(done);
    shakeStep_ = 1;
    shakeTicks_ = 0;
    showPicture(QStringLiteral("CPU1%1").arg(shakeStep_ % 2 + 1));
}

void ComputerFace::stopShake() {
    shakeStep_ = 0;
    shakeDone_ = nullptr;
}

void ComputerFace::tick() {
    if (shakeStep_ == 0 || ++shakeTicks_ < kTicksPerShake)
        return;
    shakeTicks_ = 0;
    if (++shakeStep_ <= kShakePictures) {
        showPicture(QStringLiteral("CPU1%1").arg(shakeStep_ % 2 + 1));
        return;
    }
    shakeStep_ = 0;
    showPicture(QStringLiteral("CPU00"));
    if (auto done = std::exchange(shakeDone_, nullptr))
        done();
}
