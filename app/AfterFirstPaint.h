#pragma once

// Header only, so the start-up benchmark's empty program can use it without the game's code.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// Runs `work` once a window has been painted for the first time, when the painting has run to
// its end. Of several on one window, the one made last runs first.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> work)
        : QObject(window), window_(window), work_(std::move(work)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            // Queued, so the painting runs to its end first.
            QTimer::singleShot(0, this, work_);
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> work_;
};
