#pragma once

// Header only, so the start-up benchmark's empty program can use it without the game's code.

#include "app/AfterFirstPaint.h"

// Closes a window as soon as it has been painted for the first time, so a scripted start sees
// the whole start-up, the first painting included.
class CloseAfterFirstPaint : public AfterFirstPaint {
public:
    explicit CloseAfterFirstPaint(QWidget* window)
        : AfterFirstPaint(window, [window] { window->close(); }) {}
};
