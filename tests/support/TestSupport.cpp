#include "tests/support/TestSupport.h"

ErrorBoxRecorder::ErrorBoxRecorder() {
    Hooks.ErrorBox = [this](const QString& text) { texts.append(text); };
}

ErrorBoxRecorder::~ErrorBoxRecorder() {
    Hooks.ErrorBox = nullptr;
}
