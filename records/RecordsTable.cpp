#include "records/RecordsTable.h"

#include "extras/GameServices.h"
#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

const char* const emptyName = "-";

namespace {

constexpr char kEndOfFile = 26; // a text file ends at Ctrl-Z, as the library files do
constexpr size_t kMaxNumberLength = 32;
constexpr std::string_view kLineEnd = "\r\n";

// Where and why a records file stops making sense.
struct RecordsDamage {
    int line;
    QString what;
};

// The records file as lines; the reader walks it like a text file, line by line.
class RecordsReader {
public:
    explicit RecordsReader(QByteArray bytes) : bytes_(std::move(bytes)) {
        const qsizetype stop = bytes_.indexOf(kEndOfFile);
        if (stop >= 0)
            bytes_.truncate(stop);
    }

    bool atEnd() const { return pos_ >= bytes_.size(); }

    // After the last list only empty lines may follow; anything else is damage.
    void expectEnd() {
        while (!atEnd() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n'))
            skipLineEnd();
        if (!atEnd())
            throw RecordsDamage{line_, QStringLiteral("the file goes on after its last list")};
    }

    // The rest of the current line; the position moves to the start of the next line.
    std::string readLine() {
        const qsizetype begin = pos_;
        while (!atEnd() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n')
            ++pos_;
        std::string line(bytes_.constData() + begin, static_cast<size_t>(pos_ - begin));
        skipLineEnd();
        return line;
    }

    // A name line; the file must not end before it.
    std::string readName() {
        if (atEnd())
            throw endsEarly();
        return readLine();
    }

    // A decimal integer: blanks and line ends before it are skipped, at most 32 characters up
    // to the next blank or line end are taken, then the rest of its line is skipped.
    int32_t readScore() {
        while (!atEnd() && isBlankOrLineEnd(bytes_[pos_])) {
            if (bytes_[pos_] == '\r' || bytes_[pos_] == '\n')
                skipLineEnd();
            else
                ++pos_;
        }
        if (atEnd())
            throw endsEarly();
        const qsizetype begin = pos_;
        while (!atEnd() && !isBlankOrLineEnd(bytes_[pos_]) &&
               static_cast<size_t>(pos_ - begin) < kMaxNumberLength)
            ++pos_;
        const std::string_view text(bytes_.constData() + begin, static_cast<size_t>(pos_ - begin));
        const int line = line_;
        readLine();
        return toScore(text, line);
    }

private:
    static bool isBlankOrLineEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    RecordsDamage endsEarly() const {
        return {line_, QStringLiteral("the file ends there, before its last record")};
    }

    void skipLineEnd() {
        if (atEnd())
            return;
        if (bytes_[pos_] == '\r') {
            // CR LF, and CR CR LF from a file whose line ends were converted twice.
            qsizetype next = pos_ + 1;
            while (next < bytes_.size() && bytes_[next] == '\r')
                ++next;
            if (next < bytes_.size() && bytes_[next] == '\n')
                pos_ = next;
        }
        ++pos_;
        ++line_;
    }

    static int32_t toScore(std::string_view text, int line) {
        std::string_view digits = text;
        if (!digits.empty() && digits.front() == '+')
            digits.remove_prefix(1);
        int32_t value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            throw RecordsDamage{line, QStringLiteral("it holds '%1', which is not a whole number")
                                          .arg(cp1251ToUnicode(text))};
        return value;
    }

    QByteArray bytes_;
    qsizetype pos_ = 0;
    int line_ = 1; // of the position, counted from 1
};

using KeptRecordsFile = RecordsTable::KeptFile;
using RecordsSnapshot = RecordsTable::Snapshot;

// Larger than any records file the game writes, however long the names; a larger one is
// not read but kept aside whole.
constexpr qint64 kMaxRecordsBytes = 16 << 20;

// "DATA/Winners.damaged", or with a number after it when that name is taken.
QString damagedPath(const QString& path, int number) {
    const QString base = path + QStringLiteral(".damaged");
    return number < 2 ? base : base + QString::number(number);
}

QString freeDamagedPath(const QString& path) {
    int n = 1;
    while (QFileInfo::exists(damagedPath(path, n)))
        ++n;
    return damagedPath(path, n);
}

// True when a damaged copy kept before holds these very bytes: the file is kept once.
bool alreadyKept(const QString& path, const QByteArray& bytes) {
    for (int n = 1; QFileInfo::exists(damagedPath(path, n)); ++n) {
        QByteArray kept;
        if (readRegularFile(damagedPath(path, n), kMaxRecordsBytes, &kept, nullptr) &&
            kept == bytes)
            return true;
    }
    return false;
}

// True when the file holds these very bytes.
bool fileHolds(const QString& path, const QByteArray& bytes) {
    QByteArray held;
    return readRegularFile(path, kMaxRecordsBytes, &held, nullptr) && held == bytes;
}

RecordsSnapshot copyOfWinners(const RecordsTable& records) {
    RecordsSnapshot table;
    std::copy(&records.lists[0][0][0],
              &records.lists[0][0][0] + sizeof table.places / sizeof(RecordEntry),
              &table.places[0][0][0]);
    return table;
}

void setWinners(RecordsTable& records, const RecordsSnapshot& table) {
    std::copy(&table.places[0][0][0],
              &table.places[0][0][0] + sizeof table.places / sizeof(RecordEntry),
              &records.lists[0][0][0]);
}

void emptyEntry(RecordEntry& entry) {
    entry = RecordEntry{std::string(emptyName), emptyScore};
}

void emptyList(RecordEntry* list) {
    for (int place = 1; place <= kRecordPlaces; ++place)
        emptyEntry(list[place]);
}

} // namespace

RecordEntry* currentWinnersList(GameServices& services) {
    const int language = services.words().language;
    const int strength = int(services.game().maxWordLength) - 2;
    if (language < 1 || language > kRecordLanguages || strength < 1 || strength > kRecordStrengths)
        return nullptr;
    return services.winners().lists[language][strength];
}

QString recordsPath() {
    return gameFolder() + QStringLiteral("DATA/Winners");
}

namespace {

// Fills the lists from a records file's bytes, list by list; raises RecordsDamage where the
// bytes stop making sense, the places from there on left as they were.
void parseRecords(RecordsTable& records, const QByteArray& bytes) {
    RecordsReader reader(bytes);
    for (int language = 1; language <= kRecordLanguages; ++language) {
        for (int strength = 1; strength <= kRecordStrengths; ++strength) {
            for (int place = 1; place <= kRecordPlaces; ++place) {
                RecordEntry entry;
                entry.name = reader.readName();
                entry.score = reader.readScore();
                records.lists[language][strength][place] = std::move(entry);
            }
            reader.readLine();
        }
    }
    reader.expectEnd();
}

std::vector<RecordEntry> resultsOf(const RecordEntry* list) {
    std::vector<RecordEntry> results;
    for (int place = 1; place <= kRecordPlaces; ++place)
        if (!isEmptyEntry(list[place]))
            results.push_back(list[place]);
    return results;
}

bool sameEntry(const RecordEntry& a, const RecordEntry& b) {
    return a.score == b.score && a.name == b.name;
}

// `from` without one entry equal to each of `without`.
std::vector<RecordEntry> withoutEntries(std::vector<RecordEntry> from,
                                        const std::vector<RecordEntry>& without) {
    for (const RecordEntry& entry : without) {
        const auto found = std::find_if(from.begin(), from.end(),
                                        [&](const RecordEntry& e) { return sameEntry(e, entry); });
        if (found != from.end())
            from.erase(found);
    }
    return from;
}

// Into `current` (the list as the file holds it now) goes what this copy changed between
// `known` and `mine`: its results removed (cleared or dropped below place 10) leave, its new
// results enter as addRecord would place them.
bool sameList(const RecordEntry* a, const RecordEntry* b) {
    for (int place = 1; place <= kRecordPlaces; ++place)
        if (a[place].name != b[place].name || a[place].score != b[place].score)
            return false;
    return true;
}

// A list this copy did not change stays as the file has it, to the byte (even in an order
// the game would not have made); a changed one gets this copy's changes merged in.
void mergeList(const RecordEntry* known, const RecordEntry* mine, RecordEntry* current) {
    if (sameList(known, mine))
        return;
    const std::vector<RecordEntry> knownResults = resultsOf(known);
    const std::vector<RecordEntry> myResults = resultsOf(mine);
    std::vector<RecordEntry> merged =
        withoutEntries(resultsOf(current), withoutEntries(knownResults, myResults));
    const std::vector<RecordEntry> added = withoutEntries(myResults, knownResults);
    // From the lowest up, so that this copy's own ties keep their order.
    for (auto entry = added.rbegin(); entry != added.rend(); ++entry) {
        const auto place = std::find_if(merged.begin(), merged.end(), [&](const RecordEntry& e) {
            return e.score <= entry->score;
        });
        merged.insert(place, *entry);
    }
    emptyList(current);
    for (int place = 1; place <= kRecordPlaces && place <= int(merged.size()); ++place)
        current[place] = merged[size_t(place - 1)];
}

} // namespace

void readWinners(RecordsTable& records) {
    const QString path = recordsPath();
    const QString shownPath = QDir::toNativeSeparators(path);
    records.keptFile = KeptRecordsFile();
    clearAllWinners(records);
    // Whatever the file gives, the table read is what later merges start from.
    struct Remember {
        RecordsTable& records;
        ~Remember() { records.asKnown = copyOfWinners(records); }
    } remember{records};
    if (!QFileInfo::exists(path))
        return;
    if (isPresentButNotRegular(path))
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot read the records file \"%1\": %2. The records "
                                        "start empty, and it is left as it is.")
                             .arg(shownPath, notARegularFileReason()));
    QByteArray bytes;
    QString reason;
    if (!readRegularFile(path, kMaxRecordsBytes, &bytes, &reason)) {
        records.keptFile = KeptRecordsFile{true, true, {}, freeDamagedPath(path)};
        throw VordaError(
            VordaError::Kind::InputOutput,
            QStringLiteral("Cannot read the records file \"%1\": %2. The records "
                           "start empty; the file will be kept as \"%3\".")
                .arg(shownPath, reason, QDir::toNativeSeparators(records.keptFile.keepAs)));
    }
    try {
        parseRecords(records, bytes);
    } catch (const RecordsDamage& damage) {
        // The places from the damage on stay emptied; a partly read entry is not taken.
        records.keptFile = KeptRecordsFile{true, false, bytes, freeDamagedPath(path)};
        throw VordaError(VordaError::Kind::Conversion,
                         QStringLiteral("The records file \"%1\" is damaged at line %2: %3. The "
                                        "records before that line are kept, the places after it "
                                        "start empty, and the file as it was will be kept as "
                                        "\"%4\".")
                             .arg(shownPath)
                             .arg(damage.line)
                             .arg(damage.what, QDir::toNativeSeparators(records.keptFile.keepAs)));
    }
}

QByteArray winnersFileBytes(const RecordsTable& records) {
    QByteArray bytes;
    for (int language = 1; language <= kRecordLanguages; ++language) {
        for (int strength = 1; strength <= kRecordStrengths; ++strength) {
            for (int place = 1; place <= kRecordPlaces; ++place) {
                const RecordEntry& entry = records.lists[language][strength][place];
                bytes += QByteArray::fromStdString(entry.name);
                bytes += kLineEnd;
                bytes += QByteArray::number(entry.score);
                bytes += kLineEnd;
            }
            bytes += kLineEnd;
        }
    }
    return bytes;
}

void writeWinners(RecordsTable& records) {
    const QString path = recordsPath();
    const QString shownPath = QDir::toNativeSeparators(path);
    if (records.keptFile.pending) {
        // A name taken since the start (by another copy of the game, or by the player) is
        // never overwritten.
        if (QFileInfo::exists(records.keptFile.keepAs))
            records.keptFile.keepAs = freeDamagedPath(path);
        QString reason;
        const bool kept =
            records.keptFile.unreadable ? QFile::rename(path, records.keptFile.keepAs)
            : alreadyKept(path, records.keptFile.bytes)
                ? true
                : replaceFileContents(records.keptFile.keepAs, records.keptFile.bytes, &reason);
        if (!kept)
            throw VordaError(VordaError::Kind::InputOutput,
                             QStringLiteral("Cannot keep the damaged records file \"%1\" as "
                                            "\"%2\"%3; the file is left as it was.")
                                 .arg(shownPath, QDir::toNativeSeparators(records.keptFile.keepAs),
                                      reason.isEmpty() ? QString() : ": " + reason));
        records.keptFile = KeptRecordsFile();
    }
    if (records.asKnown) {
        // Another copy of the game may have stored results since this one read the file:
        // this copy's changes go into the file as it is now.
        const RecordsSnapshot mine = copyOfWinners(records);
        QByteArray bytes;
        bool current = readRegularFile(path, kMaxRecordsBytes, &bytes, nullptr);
        if (current) {
            clearAllWinners(records);
            try {
                parseRecords(records, bytes);
            } catch (const RecordsDamage&) {
                current = false;
            }
        }
        if (!current) {
            setWinners(records, mine);
        } else {
            const RecordsSnapshot now = copyOfWinners(records);
            for (int language = 1; language <= kRecordLanguages; ++language)
                for (int strength = 1; strength <= kRecordStrengths; ++strength)
                    mergeList(records.asKnown->places[language][strength],
                              mine.places[language][strength], records.lists[language][strength]);
            // Should the write fail, a later one merges this copy's changes into the file
            // as read here, not a second time.
            records.asKnown = now;
        }
    }
    // A file that already holds every result is left as it is.
    const QByteArray written = winnersFileBytes(records);
    if (fileHolds(path, written)) {
        if (records.asKnown)
            records.asKnown = copyOfWinners(records);
        return;
    }
    QString reason;
    if (!replaceFileContents(path, written, &reason))
        throw VordaError(
            VordaError::Kind::InputOutput,
            QStringLiteral("Cannot write the records file \"%1\": %2").arg(shownPath, reason));
    if (records.asKnown)
        records.asKnown = copyOfWinners(records);
}

void addRecord(GameServices& services, int32_t score, const std::string& name) {
    RecordEntry* list = currentWinnersList(services);
    if (!list)
        return;
    for (int place = 1; place <= kRecordPlaces; ++place) {
        if (list[place].score > score)
            continue;
        for (int below = kRecordPlaces; below > place; --below)
            list[below] = list[below - 1];
        list[place] = RecordEntry{recordName(name), score};
        return;
    }
}

std::string recordName(std::string_view typed) {
    std::string name;
    for (const char c : typed) {
        if (c == '\t')
            name += ' ';
        else if (static_cast<unsigned char>(c) >= 32 && c != 127)
            name += c;
    }
    return name;
}

void clearCurrentWinners(GameServices& services) {
    if (RecordEntry* list = currentWinnersList(services))
        emptyList(list);
}

void clearAllWinners(RecordsTable& records) {
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            emptyList(records.lists[language][strength]);
}
