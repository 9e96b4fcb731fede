#include "records/WinnersUnit.h"

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

const char* const EmptyName = "-";

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

    bool AtEnd() const { return pos_ >= bytes_.size(); }

    // After the last list only empty lines may follow; anything else is damage.
    void ExpectEnd() {
        while (!AtEnd() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n'))
            SkipLineEnd();
        if (!AtEnd())
            throw RecordsDamage{line_, QStringLiteral("the file goes on after its last list")};
    }

    // The rest of the current line; the position moves to the start of the next line.
    std::string ReadLine() {
        const qsizetype begin = pos_;
        while (!AtEnd() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n')
            ++pos_;
        std::string line(bytes_.constData() + begin, static_cast<size_t>(pos_ - begin));
        SkipLineEnd();
        return line;
    }

    // A name line; the file must not end before it.
    std::string ReadName() {
        if (AtEnd())
            throw endsEarly();
        return ReadLine();
    }

    // A decimal integer: blanks and line ends before it are skipped, at most 32 characters up
    // to the next blank or line end are taken, then the rest of its line is skipped.
    int32_t ReadScore() {
        while (!AtEnd() && IsBlankOrLineEnd(bytes_[pos_])) {
            if (bytes_[pos_] == '\r' || bytes_[pos_] == '\n')
                SkipLineEnd();
            else
                ++pos_;
        }
        if (AtEnd())
            throw endsEarly();
        const qsizetype begin = pos_;
        while (!AtEnd() && !IsBlankOrLineEnd(bytes_[pos_]) &&
               static_cast<size_t>(pos_ - begin) < kMaxNumberLength)
            ++pos_;
        const std::string_view text(bytes_.constData() + begin, static_cast<size_t>(pos_ - begin));
        const int line = line_;
        ReadLine();
        return ToScore(text, line);
    }

private:
    static bool IsBlankOrLineEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    RecordsDamage endsEarly() const {
        return {line_, QStringLiteral("the file ends there, before its last record")};
    }

    void SkipLineEnd() {
        if (AtEnd())
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

    static int32_t ToScore(std::string_view text, int line) {
        std::string_view digits = text;
        if (!digits.empty() && digits.front() == '+')
            digits.remove_prefix(1);
        int32_t value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            throw RecordsDamage{line, QStringLiteral("it holds '%1', which is not a whole number")
                                          .arg(Cp1251ToUnicode(text))};
        return value;
    }

    QByteArray bytes_;
    qsizetype pos_ = 0;
    int line_ = 1; // of the position, counted from 1
};

using KeptRecordsFile = WinnersTable::KeptFile;
using RecordsTable = WinnersTable::Snapshot;

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
        if (ReadRegularFile(damagedPath(path, n), kMaxRecordsBytes, &kept, nullptr) &&
            kept == bytes)
            return true;
    }
    return false;
}

RecordsTable copyOfWinners(const WinnersTable& records) {
    RecordsTable table;
    std::copy(&records.lists[0][0][0],
              &records.lists[0][0][0] + sizeof table.places / sizeof(WinnerEntry),
              &table.places[0][0][0]);
    return table;
}

void setWinners(WinnersTable& records, const RecordsTable& table) {
    std::copy(&table.places[0][0][0],
              &table.places[0][0][0] + sizeof table.places / sizeof(WinnerEntry),
              &records.lists[0][0][0]);
}

void EmptyEntry(WinnerEntry& entry) {
    entry = WinnerEntry{std::string(EmptyName), EmptyScore};
}

void EmptyList(WinnerEntry* list) {
    for (int place = 1; place <= kRecordPlaces; ++place)
        EmptyEntry(list[place]);
}

} // namespace

WinnerEntry* CurrentWinnersList(GameServices& services) {
    const int language = services.words().Language;
    const int strength = int(services.game().MaxWordLength) - 2;
    if (language < 1 || language > kRecordLanguages || strength < 1 || strength > kRecordStrengths)
        return nullptr;
    return services.winners().lists[language][strength];
}

QString RecordsPath() {
    return ProgramFolder() + QStringLiteral("DATA/Winners");
}

namespace {

// Fills the lists from a records file's bytes, list by list; raises RecordsDamage where the
// bytes stop making sense, the places from there on left as they were.
void parseRecords(WinnersTable& records, const QByteArray& bytes) {
    RecordsReader reader(bytes);
    for (int language = 1; language <= kRecordLanguages; ++language) {
        for (int strength = 1; strength <= kRecordStrengths; ++strength) {
            for (int place = 1; place <= kRecordPlaces; ++place) {
                WinnerEntry entry;
                entry.Name = reader.ReadName();
                entry.Score = reader.ReadScore();
                records.lists[language][strength][place] = std::move(entry);
            }
            reader.ReadLine();
        }
    }
    reader.ExpectEnd();
}

std::vector<WinnerEntry> resultsOf(const WinnerEntry* list) {
    std::vector<WinnerEntry> results;
    for (int place = 1; place <= kRecordPlaces; ++place)
        if (!IsEmptyEntry(list[place]))
            results.push_back(list[place]);
    return results;
}

bool sameEntry(const WinnerEntry& a, const WinnerEntry& b) {
    return a.Score == b.Score && a.Name == b.Name;
}

// `from` without one entry equal to each of `without`.
std::vector<WinnerEntry> withoutEntries(std::vector<WinnerEntry> from,
                                        const std::vector<WinnerEntry>& without) {
    for (const WinnerEntry& entry : without) {
        const auto found = std::find_if(from.begin(), from.end(),
                                        [&](const WinnerEntry& e) { return sameEntry(e, entry); });
        if (found != from.end())
            from.erase(found);
    }
    return from;
}

// Into `current` (the list as the file holds it now) goes what this copy changed between
// `known` and `mine`: its results removed (cleared or dropped below place 10) leave, its new
// results enter as AddToWinners would place them.
bool sameList(const WinnerEntry* a, const WinnerEntry* b) {
    for (int place = 1; place <= kRecordPlaces; ++place)
        if (a[place].Name != b[place].Name || a[place].Score != b[place].Score)
            return false;
    return true;
}

// A list this copy did not change stays as the file has it, to the byte (even in an order
// the game would not have made); a changed one gets this copy's changes merged in.
void mergeList(const WinnerEntry* known, const WinnerEntry* mine, WinnerEntry* current) {
    if (sameList(known, mine))
        return;
    const std::vector<WinnerEntry> knownResults = resultsOf(known);
    const std::vector<WinnerEntry> myResults = resultsOf(mine);
    std::vector<WinnerEntry> merged =
        withoutEntries(resultsOf(current), withoutEntries(knownResults, myResults));
    const std::vector<WinnerEntry> added = withoutEntries(myResults, knownResults);
    // From the lowest up, so that this copy's own ties keep their order.
    for (auto entry = added.rbegin(); entry != added.rend(); ++entry) {
        const auto place = std::find_if(merged.begin(), merged.end(), [&](const WinnerEntry& e) {
            return e.Score <= entry->Score;
        });
        merged.insert(place, *entry);
    }
    EmptyList(current);
    for (int place = 1; place <= kRecordPlaces && place <= int(merged.size()); ++place)
        current[place] = merged[size_t(place - 1)];
}

} // namespace

void ReadWinners(WinnersTable& records) {
    const QString path = RecordsPath();
    const QString shownPath = QDir::toNativeSeparators(path);
    records.keptFile = KeptRecordsFile();
    ClearAllWinners(records);
    // Whatever the file gives, the table read is what later merges start from.
    struct Remember {
        WinnersTable& records;
        ~Remember() { records.asKnown = copyOfWinners(records); }
    } remember{records};
    if (!QFileInfo::exists(path))
        return;
    if (IsPresentButNotRegular(path))
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot read the records file \"%1\": %2. The records "
                                        "start empty, and it is left as it is.")
                             .arg(shownPath, NotARegularFileReason()));
    QByteArray bytes;
    QString reason;
    if (!ReadRegularFile(path, kMaxRecordsBytes, &bytes, &reason)) {
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

QByteArray WinnersFileBytes(const WinnersTable& records) {
    QByteArray bytes;
    for (int language = 1; language <= kRecordLanguages; ++language) {
        for (int strength = 1; strength <= kRecordStrengths; ++strength) {
            for (int place = 1; place <= kRecordPlaces; ++place) {
                const WinnerEntry& entry = records.lists[language][strength][place];
                bytes += QByteArray::fromStdString(entry.Name);
                bytes += kLineEnd;
                bytes += QByteArray::number(entry.Score);
                bytes += kLineEnd;
            }
            bytes += kLineEnd;
        }
    }
    return bytes;
}

void WriteWinners(WinnersTable& records) {
    const QString path = RecordsPath();
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
                : ReplaceFileContents(records.keptFile.keepAs, records.keptFile.bytes, &reason);
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
        const RecordsTable mine = copyOfWinners(records);
        QByteArray bytes;
        bool current = ReadRegularFile(path, kMaxRecordsBytes, &bytes, nullptr);
        if (current) {
            ClearAllWinners(records);
            try {
                parseRecords(records, bytes);
            } catch (const RecordsDamage&) {
                current = false;
            }
        }
        if (!current) {
            setWinners(records, mine);
        } else {
            const RecordsTable now = copyOfWinners(records);
            for (int language = 1; language <= kRecordLanguages; ++language)
                for (int strength = 1; strength <= kRecordStrengths; ++strength)
                    mergeList(records.asKnown->places[language][strength],
                              mine.places[language][strength], records.lists[language][strength]);
            // Should the write fail, a later one merges this copy's changes into the file
            // as read here, not a second time.
            records.asKnown = now;
        }
    }
    QString reason;
    if (!ReplaceFileContents(path, WinnersFileBytes(records), &reason))
        throw VordaError(
            VordaError::Kind::InputOutput,
            QStringLiteral("Cannot write the records file \"%1\": %2").arg(shownPath, reason));
    if (records.asKnown)
        records.asKnown = copyOfWinners(records);
}

void AddToWinners(GameServices& services, int32_t Score, const std::string& Name) {
    WinnerEntry* list = CurrentWinnersList(services);
    if (!list)
        return;
    for (int place = 1; place <= kRecordPlaces; ++place) {
        if (list[place].Score > Score)
            continue;
        for (int below = kRecordPlaces; below > place; --below)
            list[below] = list[below - 1];
        list[place] = WinnerEntry{RecordName(Name), Score};
        return;
    }
}

std::string RecordName(std::string_view typed) {
    std::string name;
    for (const char c : typed) {
        if (c == '\t')
            name += ' ';
        else if (static_cast<unsigned char>(c) >= 32 && c != 127)
            name += c;
    }
    return name;
}

void ClearCurrentWinners(GameServices& services) {
    if (WinnerEntry* list = CurrentWinnersList(services))
        EmptyList(list);
}

void ClearAllWinners(WinnersTable& records) {
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            EmptyList(records.lists[language][strength]);
}
