#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QLabel;

// The computer's face in its bevel: the picture shown now, the thinking animation of the
// computer's turn and the shake of the head over a refused word. The animations advance on
// the main timer's ticks (tick()), never by waiting.
class ComputerFace : public QWidget {
    Q_OBJECT
public:
    explicit ComputerFace(QWidget* parent);

    // The name of the picture shown now ("CPU00", …).
    const QString& name() const { return name_; }
    void showPicture(const QString& name);

    // The thinking face: one step for every change of the tick counter that the turn
    // observes, the two pictures alternating in a cycle of 20 steps.
    void startThinking(int tick);
    void advanceThinking(int tick);

    // Shakes the head (seven pictures, two ticks each), then shows the plain face and calls
    // done. A new shake or stopShake() ends the running one without calling its done.
    void shake(std::function<void()> done);
    void stopShake();
    bool shaking() const { return shakeStep_ > 0; }
    // One tick of the main timer.
    void tick();

private:
    QLabel* picture_ = nullptr;
    QString name_;
    int lastSeenTick_ = 0;
    int phase_ = 0;
    bool flag_ = true;
    int shakeStep_ = 0; // 1..7 while shaking
    int shakeTicks_ = 0;
    std::function<void()> shakeDone_;
};
