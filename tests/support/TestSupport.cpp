#include "tests/support/TestSupport.h"

ErrorBoxRecorder::ErrorBoxRecorder() {
    ErrorBoxRedirect = [this](const QString& text) { texts.append(text); };
}

ErrorBoxRecorder::~ErrorBoxRecorder() {
    ErrorBoxRedirect = nullptr;
}
