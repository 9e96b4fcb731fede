#pragma once

#include "platform/ErrorBox.h"
#include "tests/support/TestFolder.h"

#include <QStringList>

// Collects the texts of error boxes instead of showing them.
class ErrorBoxRecorder {
public:
    ErrorBoxRecorder();
    ~ErrorBoxRecorder();
    QStringList texts;
};

// A main() for a Qt Test class, with the game's own application object, so that errors
// raised in handlers are reported as the game reports them.
#define VORDA_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char** argv) {                                                              \
        VordaApplication app(argc, argv);                                                          \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
