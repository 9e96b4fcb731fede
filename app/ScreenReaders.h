#pragma once

#include <functional>

class QAccessibleEvent;

// Passes a change of the window on to screen readers (QAccessible::updateAccessibility).
void tellScreenReaders(QAccessibleEvent& event);

// Hears every event passed on, before screen readers do. For tests only: the offscreen platform
// has no accessibility bridge, so there Qt hands the events to no one.
extern std::function<void(const QAccessibleEvent&)> screenReaderListener;
