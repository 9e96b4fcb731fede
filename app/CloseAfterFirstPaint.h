#pragma once

// Header only, so the start-up benchmark's empty program can use it without the game's code.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

// Closes a window as soon as it has been painted for the first time, so a scripted start sees
// the whole start-up, the first painting included.
class CloseAfterFirstPaint : public QObject {
public:
    explicit CloseAfterFirstPaint(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            // Queued, so the painting runs to its end first.
            QTimer::singleShot(0, window_, &QWidget::close);
        }
        return false;
    }

private:
    QWidget* window_;
};
