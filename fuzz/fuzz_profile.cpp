// The settings file: writing one key to any file either fails and leaves the file as it was,
// or changes only that key's line (or adds it, with its section) and reads back as the value
// would read from a file of its own.

#include "fuzz/FuzzSupport.h"

#include "platform/ProfileFile.h"
#include "platform/VordaError.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

namespace {

constexpr std::string_view kDefault = "\x01 no value";

// The lines of a file as a reader tells them apart. Blanks and Ctrl-Z at a line's end count for
// nothing there, so they are left out, and a line of nothing else is no line: a section added
// before a final Ctrl-Z may put that mark (and the blanks after it) on a line of its own.
std::vector<std::string_view> lineTexts(std::string_view bytes) {
    std::vector<std::string_view> lines;
    const auto add = [&lines](std::string_view line) {
        const size_t end = line.find_last_not_of(std::string_view(" \t\x1a"));
        if (end != std::string_view::npos)
            lines.push_back(line.substr(0, end + 1));
        else if (line.empty())
            lines.push_back(line);
    };
    size_t begin = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        add(bytes.substr(begin, i - begin));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < bytes.size())
        add(bytes.substr(begin));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(24);
    const std::string key = input.ConsumeRandomLengthString(24);
    const std::string value = input.ConsumeRandomLengthString(3000);
    const QByteArray before = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());

    const QString path = fuzzFolder() + QStringLiteral("Vorda2000.ini");
    writeFileBytes(path, before);
    // Reading whole and reading through one snapshot agree.
    const ProfileSnapshot snapshot = ProfileSnapshot::fromBytes(before.toStdString());
    FUZZ_CHECK(readProfileString(path, section, key, kDefault) ==
               snapshot.read(section, key, kDefault));

    try {
        writeProfileString(path, section, key, value);
    } catch (const VordaError&) {
        FUZZ_CHECK(readFileBytes(path) == before);
        return 0;
    }
    const QByteArray after = readFileBytes(path);

    const std::string alone = "[" + section + "]\r\n" + key + "=" + value + "\r\n";
    const std::string expected = ProfileSnapshot::fromBytes(alone).read(section, key, kDefault);
    FUZZ_CHECK(expected != kDefault);
    FUZZ_CHECK(readProfileString(path, section, key, kDefault) == expected);

    // Every other line stays: at most one line of the old file is replaced, and at most three
    // new ones (a blank line, the section and the key) come in.
    const std::vector<std::string_view> oldLines = lineTexts(View(before));
    const std::vector<std::string_view> newLines = lineTexts(View(after));
    size_t same = 0;
    while (same < oldLines.size() && same < newLines.size() && oldLines[same] == newLines[same])
        ++same;
    size_t sameAtEnd = 0;
    while (sameAtEnd < oldLines.size() - same && sameAtEnd < newLines.size() - same &&
           oldLines[oldLines.size() - 1 - sameAtEnd] == newLines[newLines.size() - 1 - sameAtEnd])
        ++sameAtEnd;
    FUZZ_CHECK(oldLines.size() - same - sameAtEnd <= 1);
    FUZZ_CHECK(newLines.size() - same - sameAtEnd <= 3);
    FUZZ_CHECK(newLines.size() >= oldLines.size());
    return 0;
}
