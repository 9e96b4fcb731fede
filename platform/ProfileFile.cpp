#include "platform/ProfileFile.h"

#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/VordaError.h"

#include <QFileInfo>

#include <optional>
#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Section and key names match without regard to case, Cyrillic letters included.
bool namesEqual(std::string_view a, std::string_view b) {
    return cp1251CompareNoCase(a, b) == 0;
}

std::string foldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        c = static_cast<char>(cp1251FoldCase(static_cast<unsigned char>(c)));
    return folded;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A Ctrl-Z (end-of-file mark of old editors) at the end of a line counts as a blank there.
constexpr char kCtrlZ = '\x1a';

std::string_view trimEnd(std::string_view text) {
    while (!text.empty() && (isBlank(text.back()) || text.back() == kCtrlZ))
        text.remove_suffix(1);
    return text;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return trimEnd(text);
}

// One line of the file: its text runs from `begin` to `textEnd`, its line end (none, one or
// two bytes) from `textEnd` to `end`.
struct Line {
    std::size_t begin = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;
};

// A UTF-8 byte-order mark that an editor put before the first line; it is kept, not read.
// Only the file's very first bytes can be one: the same bytes anywhere else are a part of
// their line, for the reader and the writer alike, so both find the same keys.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum class TextStart { FileStart, InsideFile };

// Calls `visit` with each line in turn. `bytes` is the whole file, or a part of it that does
// not start the file.
template <typename Visit> void forEachLine(std::string_view bytes, TextStart start, Visit visit) {
    std::size_t begin = start == TextStart::FileStart && bytes.starts_with(kByteOrderMark)
                            ? kByteOrderMark.size()
                            : 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        std::size_t end = i + 1;
        if (bytes[i] == '\r' && end < bytes.size() && bytes[end] == '\n')
            ++end;
        visit(Line{begin, i, end});
        begin = end;
        i = end - 1;
    }
    if (begin < bytes.size())
        visit(Line{begin, bytes.size(), bytes.size()});
}

std::vector<Line> splitLines(std::string_view bytes) {
    std::vector<Line> lines;
    forEachLine(bytes, TextStart::FileStart, [&lines](const Line& line) { lines.push_back(line); });
    return lines;
}

enum class LineKind { Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section name or key, without surrounding blanks
    std::string_view value; // the key's value, without surrounding blanks
};

ParsedLine parseLine(std::string_view text) {
    const std::string_view trimmed = trim(text);
    if (trimmed.empty() || trimmed.front() == ';')
        return {};
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos)
            return {LineKind::Section, trim(trimmed.substr(1, close - 1)), {}};
        // A "[" without its "]" opens no section; the line may still be a key.
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {LineKind::Key, trim(trimmed.substr(0, equals)), trim(trimmed.substr(equals + 1))};
}

// Where a key stands in the file, as far as it was found.
struct KeyPlace {
    std::optional<std::size_t> sectionLine;
    std::optional<std::size_t> keyLine;
    std::size_t lastNonBlankLine = 0; // of the section; the header itself at least
};

KeyPlace findKey(std::string_view bytes, const std::vector<Line>& lines, std::string_view section,
                 std::string_view key) {
    KeyPlace place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text =
            bytes.substr(lines[i].begin, lines[i].textEnd - lines[i].begin);
        const ParsedLine line = parseLine(text);
        if (!place.sectionLine) {
            if (line.kind == LineKind::Section && namesEqual(line.name, section)) {
                place.sectionLine = i;
                place.lastNonBlankLine = i;
            }
            continue;
        }
        if (line.kind == LineKind::Section)
            break;
        if (!trim(text).empty())
            place.lastNonBlankLine = i;
        if (line.kind == LineKind::Key && namesEqual(line.name, key)) {
            place.keyLine = i;
            break;
        }
    }
    return place;
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Larger than any settings file the game or a player makes; a larger one is not read.
constexpr qint64 kMaxProfileBytes = 16 << 20;

std::optional<std::string> readWholeFile(const QString& path) {
    QByteArray bytes;
    if (!readRegularFile(path, kMaxProfileBytes, &bytes, nullptr))
        return std::nullopt;
    return bytes.toStdString();
}

[[noreturn]] void throwUnableToWrite(const QString& path) {
    throw VordaError(VordaError::Kind::InputOutput,
                     QStringLiteral("Unable to write to %1").arg(path));
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A name or value that would read back as something else, or break the lines around it.
bool breaksStructure(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view trimmedKey = trim(key);
    return hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value) ||
           trim(section).empty() || section.find(']') != std::string_view::npos ||
           trimmedKey.empty() || key.find('=') != std::string_view::npos ||
           trimmedKey.front() == ';' || trimmedKey.front() == '[';
}

std::string settingsLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

// The file's bytes with the key set, every other byte as it was.
std::string withKeySet(const std::string& bytes, std::string_view section, std::string_view key,
                       std::string_view value) {
    const std::vector<Line> lines = splitLines(bytes);
    const KeyPlace place = findKey(bytes, lines, section, key);
    std::string result;
    if (place.keyLine) {
        // The key keeps the spelling it has in the file.
        const Line& line = lines[*place.keyLine];
        const ParsedLine present =
            parseLine(std::string_view(bytes).substr(line.begin, line.textEnd - line.begin));
        result = bytes.substr(0, line.begin);
        result += settingsLine(present.name, value);
        result += bytes.substr(line.textEnd);
        return result;
    }
    if (place.sectionLine) {
        // After the section's last non-blank line, so that the empty lines which part it
        // from the next section stay below the new key.
        const Line& line = lines[place.lastNonBlankLine];
        result = bytes.substr(0, line.end);
        if (line.end == line.textEnd)
            result += kLineEnd;
        result += settingsLine(key, value);
        result += kLineEnd;
        result += bytes.substr(line.end);
        return result;
    }
    // A new section follows the file's last line directly, before an end-of-file mark that
    // ends the file, since readers that stop at the mark would never see it.
    std::size_t end = bytes.size();
    while (end > 0 && (bytes[end - 1] == '\r' || bytes[end - 1] == '\n' || isBlank(bytes[end - 1])))
        --end;
    std::size_t mark = end;
    while (mark > 0 && bytes[mark - 1] == kCtrlZ)
        --mark;
    if (mark == end)
        mark = bytes.size();
    result = bytes.substr(0, mark);
    if (!result.empty() && result.back() != '\r' && result.back() != '\n')
        result += kLineEnd;
    result += '[';
    result += section;
    result += ']';
    result += kLineEnd;
    result += settingsLine(key, value);
    result += kLineEnd;
    result += bytes.substr(mark);
    return result;
}

} // namespace

std::string readProfileString(const QString& path, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    return ProfileSnapshot(path).read(section, key, defaultValue);
}

ProfileSnapshot::ProfileSnapshot(const QString& path) {
    if (std::optional<std::string> bytes = readWholeFile(path))
        bytes_ = std::move(*bytes);
    indexSections();
}

ProfileSnapshot ProfileSnapshot::fromBytes(std::string bytes) {
    ProfileSnapshot snapshot;
    snapshot.bytes_ = std::move(bytes);
    snapshot.indexSections();
    return snapshot;
}

void ProfileSnapshot::indexSections() {
    const std::string_view bytes = bytes_;
    Span* open = nullptr; // the section being measured
    forEachLine(bytes, TextStart::FileStart, [&](const Line& line) {
        const ParsedLine parsed = parseLine(bytes.substr(line.begin, line.textEnd - line.begin));
        if (parsed.kind != LineKind::Section)
            return;
        if (open)
            open->end = line.begin;
        const auto [it, added] =
            sections_.try_emplace(foldedName(parsed.name), Span{line.end, line.end});
        // A later occurrence of a section counts for nothing.
        open = added ? &it->second : nullptr;
    });
    if (open)
        open->end = bytes.size();
}

const std::map<std::string, ProfileSnapshot::Span>&
ProfileSnapshot::keysOf(const std::string& foldedSection) const {
    const auto known = keys_.find(foldedSection);
    if (known != keys_.end())
        return known->second;
    std::map<std::string, Span>& keys = keys_[foldedSection];
    const auto section = sections_.find(foldedSection);
    if (section == sections_.end())
        return keys;
    const Span span = section->second;
    const std::string_view body =
        std::string_view(bytes_).substr(span.begin, span.end - span.begin);
    // A section's body never starts the file: it follows its header line.
    forEachLine(body, TextStart::InsideFile, [&](const Line& line) {
        const ParsedLine parsed = parseLine(body.substr(line.begin, line.textEnd - line.begin));
        if (parsed.kind != LineKind::Key)
            return;
        const std::size_t valueBegin = std::size_t(parsed.value.data() - bytes_.data());
        keys.try_emplace(foldedName(parsed.name),
                         Span{valueBegin, valueBegin + parsed.value.size()});
    });
    return keys;
}

std::string ProfileSnapshot::read(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    const std::map<std::string, Span>& keys = keysOf(foldedName(trim(section)));
    const auto found = keys.find(foldedName(trim(key)));
    // The caller's default loses its trailing blanks, as a value from the file does.
    if (found == keys.end())
        return std::string(trimEnd(defaultValue));
    const std::string_view value = unquote(std::string_view(bytes_).substr(
        found->second.begin, found->second.end - found->second.begin));
    return std::string(value.substr(0, kProfileValueMaxLength));
}

void writeProfileString(const QString& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    writeProfileStrings(path, {{std::string(section), std::string(key), std::string(value)}});
}

void writeProfileStrings(const QString& path, const std::vector<ProfileValue>& values) {
    for (const ProfileValue& entry : values)
        if (breaksStructure(entry.section, entry.key, entry.value))
            throwUnableToWrite(path);

    std::string bytes;
    // A file that exists but cannot be read is not taken for a missing one: writing would
    // lose what it holds.
    if (QFileInfo::exists(path)) {
        std::optional<std::string> existing = readWholeFile(path);
        if (!existing)
            throwUnableToWrite(path);
        bytes = std::move(*existing);
    }
    for (const ProfileValue& entry : values)
        bytes = withKeySet(bytes, trim(entry.section), trim(entry.key), entry.value);

    if (!replaceFileContents(path, QByteArray::fromStdString(bytes), nullptr))
        throwUnableToWrite(path);
}
