#pragma once

// What the fuzz targets share: a folder of their own for the files they write, and the check
// that turns a broken promise into a finding.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A temporary folder for this process, with a trailing "/"; made at the first call, removed at
// the end. The program folder points at it, so files the game finds beside its program are
// read and written there.
QString fuzzFolder();

QByteArray readFileBytes(const QString& path);
// Replaces the file with exactly these bytes; stops the run when it cannot.
void writeFileBytes(const QString& path, const QByteArray& bytes);

inline QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A promise of the code under test that did not hold: the fuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
