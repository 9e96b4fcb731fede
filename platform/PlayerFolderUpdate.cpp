#include "platform/PlayerFolderUpdate.h"

#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/ProfileFile.h"
#include "platform/VordaError.h"

#include <QFileInfo>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

const char* const kInstalledStampName = ".installed-files";

namespace {
constexpr char kSettingsName[] = "Vorda2000.ini";
const char* const kLibraryNames[] = {"DATA/Lib.RUS", "DATA/Lib.ENG"};
// The game's own data beside the libraries, which a player never changes.
const char* const kGameDataNames[] = {"DATA/Ranks.RUS", "DATA/Ranks.ENG", "DATA/Meanings.ENG"};
// The sections the game writes back: the player's, whatever the installed file says.
const char* const kPlayerSections[] = {"VORDA", "IMAGES"};

constexpr char kCR = '\r';
constexpr char kEndOfFile = 26;
constexpr int kMinWordLength = 2;
constexpr int kMaxWordLength = 20;
constexpr int kMaxWordLines = 65535;
// The largest file read here: a library at its largest is 65,535 lines of 64 bytes.
constexpr qint64 kMaxFileBytes = qint64(kMaxWordLines) * 64;

std::string folded(std::string_view bytes) {
    std::string out(bytes);
    for (char& c : out)
        c = char(cp1251FoldCase(static_cast<unsigned char>(c)));
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// One section of a settings file: its folded name and its bytes, from its header line to the
// next section's header. The lines before the first section form a part without a name.
struct Section {
    std::string name;
    QByteArray bytes;
};

// The name of the section a line opens, or nothing for any other line.
std::optional<std::string> sectionName(const QByteArray& line) {
    int i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i == line.size() || line[i] != '[')
        return std::nullopt;
    const int close = line.indexOf(']', i);
    QByteArray name = line.mid(i + 1, close < 0 ? -1 : close - i - 1);
    while (name.endsWith('\n') || name.endsWith('\r'))
        name.chop(1);
    return folded(name.trimmed().toStdString());
}

std::vector<Section> splitSections(const QByteArray& bytes) {
    std::vector<Section> sections(1);
    int start = 0;
    while (start < bytes.size()) {
        // A line ends at LF, at CR LF or at a lone CR.
        int end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\n')
            ++end;
        const QByteArray line = bytes.mid(start, end - start);
        if (const auto name = sectionName(line))
            sections.push_back({*name, {}});
        sections.back().bytes += line;
        start = end;
    }
    return sections;
}

const Section* findSection(const std::vector<Section>& sections, const std::string& name) {
    for (size_t i = 1; i < sections.size(); ++i)
        if (sections[i].name == name)
            return &sections[i];
    return nullptr;
}

bool isPlayerSection(const std::string& name) {
    for (const char* own : kPlayerSections)
        if (name == own)
            return true;
    return false;
}

void endLastLine(QByteArray& bytes) {
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
}

// Calls `word` with each word line of a library, read as the game reads it.
template <typename Visit> void forEachWord(const QByteArray& bytes, Visit word) {
    int end = bytes.indexOf(kEndOfFile);
    if (end < 0)
        end = int(bytes.size());
    int start = 0;
    while (start < end) {
        int lineEnd = bytes.indexOf(kCR, start);
        if (lineEnd < 0 || lineEnd > end)
            lineEnd = end;
        const int length = lineEnd - start;
        if (length >= kMinWordLength && length <= kMaxWordLength && bytes[start] != ';')
            word(std::string_view(bytes.constData() + start, size_t(length)));
        start = lineEnd + 1;
        if (start < end && bytes[start] == '\n')
            ++start;
    }
}

int countWords(const QByteArray& bytes) {
    int count = 0;
    forEachWord(bytes, [&count](std::string_view) { ++count; });
    return count;
}

// Reads a whole regular file of at most kMaxFileBytes; false when it is missing, no regular
// file (a FIFO is never opened) or unreadable.
bool readFile(const QString& path, QByteArray* bytes) {
    QString reason;
    return readRegularFile(path, kMaxFileBytes, bytes, &reason);
}

// What identifies one version of an installed file: its size and modification time.
QByteArray stampOf(const QString& path) {
    const QFileInfo info(path);
    return QByteArray::number(info.size()) + ' ' +
           QByteArray::number(info.lastModified().toMSecsSinceEpoch());
}

// The note: one line "relative-path size time" per file brought up to date.
std::map<QByteArray, QByteArray> readStamps(const QString& path) {
    std::map<QByteArray, QByteArray> stamps;
    QByteArray bytes;
    if (!readFile(path, &bytes))
        return stamps;
    for (const QByteArray& line : bytes.split('\n')) {
        const int space = line.indexOf(' ');
        if (space > 0)
            stamps[line.left(space)] = line.mid(space + 1);
    }
    return stamps;
}

QByteArray stampsText(const std::map<QByteArray, QByteArray>& stamps) {
    QByteArray text;
    for (const auto& [name, stamp] : stamps)
        text += name + ' ' + stamp + '\n';
    return text;
}

enum class Outcome { Done, Failed };

// Replaces the player's file with `merged` unless it holds those bytes already.
Outcome store(const QString& path, const QByteArray& current, const QByteArray& merged,
              QString* problem) {
    if (merged == current)
        return Outcome::Done;
    QString reason;
    if (replaceFileContents(path, merged, &reason))
        return Outcome::Done;
    if (problem->isEmpty())
        *problem = QStringLiteral("Cannot bring %1 up to date with the installed game: %2. "
                                  "It is kept as it was.")
                       .arg(path, reason);
    return Outcome::Failed;
}
} // namespace

QByteArray mergeSettingsTexts(const QByteArray& player, const QByteArray& installed,
                              bool replaceTexts) {
    const std::vector<Section> ours = splitSections(player);
    const std::vector<Section> theirs = splitSections(installed);
    QByteArray merged = ours.front().bytes;
    std::set<std::string> present;
    for (size_t i = 1; i < ours.size(); ++i) {
        const Section& section = ours[i];
        const Section* installedOne = findSection(theirs, section.name);
        // Only the first section of a name counts when the file is read; later ones stay.
        const bool first = present.insert(section.name).second;
        if (replaceTexts && first && installedOne && !isPlayerSection(section.name)) {
            QByteArray text = installedOne->bytes;
            endLastLine(text);
            merged += text;
        } else {
            merged += section.bytes;
        }
    }
    for (size_t i = 1; i < theirs.size(); ++i) {
        if (present.count(theirs[i].name) || isPlayerSection(theirs[i].name))
            continue;
        present.insert(theirs[i].name);
        endLastLine(merged);
        merged += theirs[i].bytes;
    }
    return merged;
}

QByteArray mergeLibraryWords(const QByteArray& player, const QByteArray& installed) {
    const qsizetype endOfFile = installed.indexOf(kEndOfFile);
    QByteArray merged = endOfFile < 0 ? installed : installed.first(endOfFile);
    std::set<std::string> known;
    forEachWord(merged, [&known](std::string_view word) { known.insert(folded(word)); });
    endLastLine(merged);
    forEachWord(player, [&](std::string_view word) {
        if (known.insert(folded(word)).second) {
            merged.append(word.data(), qsizetype(word.size()));
            merged += "\r\n";
        }
    });
    return merged;
}

int languageForLocale(const QString& localeName) {
    return localeName.startsWith(QLatin1String("ru")) ? 1 : 2;
}

QString messagesLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

QString updatePlayerFolder(const QString& installed, const QString& user) {
    QString problem;
    const QString stampPath = user + QLatin1String(kInstalledStampName);
    const std::map<QByteArray, QByteArray> before = readStamps(stampPath);
    std::map<QByteArray, QByteArray> after = before;

    const auto upgraded = [&](const char* name) {
        const auto noted = before.find(name);
        return noted == before.end() || noted->second != stampOf(installed + name);
    };

    // The settings: every start, for a file that has lost its texts; after an upgrade, all
    // the texts.
    {
        QByteArray theirs, ours;
        if (readFile(installed + kSettingsName, &theirs) && readFile(user + kSettingsName, &ours)) {
            const bool renew = upgraded(kSettingsName);
            if (store(user + kSettingsName, ours, mergeSettingsTexts(ours, theirs, renew),
                      &problem) == Outcome::Done &&
                renew)
                after[kSettingsName] = stampOf(installed + kSettingsName);
        }
    }

    for (const char* name : kLibraryNames) {
        if (!upgraded(name))
            continue;
        QByteArray theirs, ours;
        if (!readFile(installed + name, &theirs) || !readFile(user + name, &ours))
            continue;
        const QByteArray merged = ours == theirs ? ours : mergeLibraryWords(ours, theirs);
        if (countWords(merged) > kMaxWordLines) {
            if (problem.isEmpty())
                problem = QStringLiteral("The word library %1 would hold more than %2 words with "
                                         "the installed library's new ones, so it is kept as "
                                         "it was.")
                              .arg(user + name)
                              .arg(kMaxWordLines);
            continue;
        }
        if (store(user + name, ours, merged, &problem) == Outcome::Done)
            after[name] = stampOf(installed + name);
    }

    for (const char* name : kGameDataNames) {
        QByteArray theirs, ours;
        if (!upgraded(name) || !readFile(installed + name, &theirs))
            continue;
        readFile(user + name, &ours);
        if (store(user + name, ours, theirs, &problem) == Outcome::Done)
            after[name] = stampOf(installed + name);
    }

    if (after != before) {
        QString reason;
        // Without the note the next start merely does the same again.
        replaceFileContents(stampPath, stampsText(after), &reason);
    }
    return problem;
}

QString setNewPlayerLanguage(const QString& settingsPath, const QString& localeName) {
    const std::string language = std::to_string(languageForLocale(localeName));
    try {
        if (readProfileString(settingsPath, "Vorda", "LanguageNumber", "") != language)
            writeProfileString(settingsPath, "Vorda", "LanguageNumber", language);
    } catch (const VordaError& error) {
        return error.text();
    }
    return {};
}
