// The records file: any file is read or refused with an error; what was read, written and
// read again is the same table, and writing it again gives the same bytes.

#include "fuzz/FuzzSupport.h"

#include "platform/VordaError.h"
#include "records/WinnersUnit.h"

#include <QDir>

#include <vector>

namespace {

std::vector<WinnerEntry> Table() {
    std::vector<WinnerEntry> table;
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                table.push_back(Winners[language][strength][place]);
    return table;
}

bool operator==(const WinnerEntry& a, const WinnerEntry& b) {
    return a.Name == b.Name && a.Score == b.Score;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = FuzzFolder() + QStringLiteral("DATA/Winners");
    const QByteArray file = Bytes(data, size);
    WriteFileBytes(path, file);
    for (auto& language : Winners)
        for (auto& strength : language)
            for (WinnerEntry& entry : strength)
                entry = WinnerEntry{"old", 1};
    try {
        ReadWinners();
    } catch (const VordaError&) {
        FUZZ_CHECK(ReadFileBytes(path) == file); // reading never changes the file
        return 0;
    }
    const std::vector<WinnerEntry> first = Table();
    WriteWinners();
    const QByteArray written = ReadFileBytes(path);
    FUZZ_CHECK(written == WinnersFileBytes());
    ReadWinners(); // an error here is a finding
    FUZZ_CHECK(Table() == first);
    WriteWinners();
    FUZZ_CHECK(ReadFileBytes(path) == written);
    return 0;
}
