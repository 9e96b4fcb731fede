#include "tests/support/TestSupport.h"

ErrorBoxRecorder::ErrorBoxRecorder() {
    errorBoxRedirect = [this](const QString& text) { texts.append(text); };
}

ErrorBoxRecorder::~ErrorBoxRecorder() {
    errorBoxRedirect = nullptr;
}
