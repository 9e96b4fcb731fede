// The records file: any file is read, a damaged one with an error and its bytes kept beside
// the new file; what was read, written and read again is the same table, and writing it again
// gives the same bytes.

#include "fuzz/FuzzSupport.h"

#include "platform/VordaError.h"
#include "records/WinnersUnit.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace {

using Table = std::vector<std::pair<std::string, int32_t>>;

Table CurrentTable(const WinnersTable& records) {
    Table table;
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                table.emplace_back(records.lists[language][strength][place].Name,
                                   records.lists[language][strength][place].Score);
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = FuzzFolder() + QStringLiteral("DATA/Winners");
    const QString keptPath = path + QStringLiteral(".damaged");
    const QByteArray file = Bytes(data, size);
    WriteFileBytes(path, file);
    QFile::remove(keptPath);
    WinnersTable records;
    for (auto& language : records.lists)
        for (auto& strength : language)
            for (WinnerEntry& entry : strength)
                entry = WinnerEntry{"old", 1};
    bool damaged = false;
    try {
        ReadWinners(records);
    } catch (const VordaError& error) {
        // Reported, and the table complete all the same.
        FUZZ_CHECK(!error.text().isEmpty());
        damaged = true;
    }
    FUZZ_CHECK(ReadFileBytes(path) == file); // reading never changes the file
    const Table first = CurrentTable(records);
    WriteWinners(records);
    const QByteArray written = ReadFileBytes(path);
    FUZZ_CHECK(written == WinnersFileBytes(records));
    // What the player had in a damaged file is kept beside the new one.
    if (damaged)
        FUZZ_CHECK(ReadFileBytes(keptPath) == file);
    ReadWinners(records); // an error here is a finding
    FUZZ_CHECK(CurrentTable(records) == first);
    WriteWinners(records);
    FUZZ_CHECK(ReadFileBytes(path) == written);
    return 0;
}
