// The records file: any file is read, a damaged one with an error and its bytes kept beside
// the new file; what was read, written and read again is the same table, and writing it again
// gives the same bytes.

#include "fuzz/FuzzSupport.h"

#include "platform/VordaError.h"
#include "records/RecordsTable.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace {

using Table = std::vector<std::pair<std::string, int32_t>>;

Table currentTable(const RecordsTable& records) {
    Table table;
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                table.emplace_back(records.lists[language][strength][place].name,
                                   records.lists[language][strength][place].score);
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzzFolder() + QStringLiteral("DATA/Winners");
    const QString keptPath = path + QStringLiteral(".damaged");
    const QByteArray file = Bytes(data, size);
    writeFileBytes(path, file);
    QFile::remove(keptPath);
    RecordsTable records;
    for (auto& language : records.lists)
        for (auto& strength : language)
            for (RecordEntry& entry : strength)
                entry = RecordEntry{"old", 1};
    bool damaged = false;
    try {
        readWinners(records);
    } catch (const VordaError& error) {
        // Reported, and the table complete all the same.
        FUZZ_CHECK(!error.text().isEmpty());
        damaged = true;
    }
    FUZZ_CHECK(readFileBytes(path) == file); // reading never changes the file
    const Table first = currentTable(records);
    writeWinners(records);
    const QByteArray written = readFileBytes(path);
    FUZZ_CHECK(written == winnersFileBytes(records));
    // What the player had in a damaged file is kept beside the new one.
    if (damaged)
        FUZZ_CHECK(readFileBytes(keptPath) == file);
    readWinners(records); // an error here is a finding
    FUZZ_CHECK(currentTable(records) == first);
    writeWinners(records);
    FUZZ_CHECK(readFileBytes(path) == written);
    return 0;
}
