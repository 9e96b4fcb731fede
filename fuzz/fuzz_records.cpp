// The records file: any file is read or refused with an error; what was read, written and
// read again is the same table, and writing it again gives the same bytes.

#include "fuzz/FuzzSupport.h"

#include "platform/VordaError.h"
#include "records/WinnersUnit.h"

#include <QDir>

#include <vector>

namespace {

using Table = std::vector<std::pair<std::string, int32_t>>;

Table CurrentTable() {
    Table table;
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                table.emplace_back(Winners[language][strength][place].Name,
                                   Winners[language][strength][place].Score);
    return table;
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
    const Table first = CurrentTable();
    WriteWinners();
    const QByteArray written = ReadFileBytes(path);
    FUZZ_CHECK(written == WinnersFileBytes());
    ReadWinners(); // an error here is a finding
    FUZZ_CHECK(CurrentTable() == first);
    WriteWinners();
    FUZZ_CHECK(ReadFileBytes(path) == written);
    return 0;
}
