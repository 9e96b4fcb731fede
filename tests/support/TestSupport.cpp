#include "tests/support/TestSupport.h"

ErrorBoxRecorder::ErrorBoxRecorder() {
    SetErrorBoxHandler([this](const QString& text) { texts.append(text); });
}

ErrorBoxRecorder::~ErrorBoxRecorder() {
    SetErrorBoxHandler(nullptr);
}
