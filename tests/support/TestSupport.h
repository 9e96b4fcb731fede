#pragma once

#include "platform/ErrorBox.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <string>

// A program folder of its own for one test: a temporary folder that ProgramFolder() points
// at, with a DATA folder, into which tests write files byte for byte.
class TestGameFolder {
public:
    TestGameFolder();
    ~TestGameFolder();
    QString path() const; // with a trailing "/"
    // Writes the bytes to a file below the folder, creating its folders.
    void write(const QString& relativePath, const QByteArray& bytes) const;
    QByteArray read(const QString& relativePath) const;
    // Copies a file that accompanies the program (below dist/ of the source tree).
    void copyFromDist(const QString& relativePath) const;

private:
    QTemporaryDir dir_;
};

// Collects the texts of error boxes instead of showing them.
class ErrorBoxRecorder {
public:
    ErrorBoxRecorder();
    ~ErrorBoxRecorder();
    QStringList texts;
};

// Windows-1251 bytes from UTF-8 text, for writing Russian words in tests.
std::string Cp(const char* utf8);

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
