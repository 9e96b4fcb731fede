#include "app/ScreenReaders.h"

#include <QAccessible>

std::function<void(const QAccessibleEvent&)> screenReaderListener;

void tellScreenReaders(QAccessibleEvent& event) {
    if (screenReaderListener)
        screenReaderListener(event);
    QAccessible::updateAccessibility(&event);
}
