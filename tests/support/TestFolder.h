#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <string>

// A program folder of its own for one test: a temporary folder that gameFolder() points
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

// Windows-1251 bytes from UTF-8 text, for writing Russian words in tests.
std::string cp(const char* utf8);
