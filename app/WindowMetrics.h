#pragma once

// The window's outer size as the layout rules see it: the 580 × 380 client area with our
// own caption, menu and frame metrics around it.
constexpr int kClientWidth = 580;
constexpr int kClientHeight = 380;
constexpr int kFrameWidth = 4;
constexpr int kCaptionHeight = 20;
// Our own stand-ins for the system metrics of the self-drawn frame: the sizing frame and the
// caption buttons.
constexpr int kSmCxFrame = kFrameWidth;
constexpr int kSmCyFrame = kFrameWidth;
constexpr int kSmCxSize = 18;
constexpr int kSmCySize = 18;
constexpr int kMenuHeight = 20;
constexpr int kOuterWidth = kClientWidth + 2 * kFrameWidth;
constexpr int kOuterHeight = kClientHeight + kCaptionHeight + kMenuHeight + 2 * kFrameWidth;
