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
bool NamesEqual(std::string_view a, std::string_view b) {
    return Cp1251CompareNoCase(a, b) == 0;
}

std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        c = static_cast<char>(Cp1251FoldCase(static_cast<unsigned char>(c)));
    return folded;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A Ctrl-Z (end-of-file mark of old editors) at the end of a line counts as a blank there.
constexpr char kCtrlZ = '\x1a';

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && (IsBlank(text.back()) || text.back() == kCtrlZ))
        text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return TrimEnd(text);
}

// One line of the file: its text runs from `begin` to `textEnd`, its line end (none, one or
// two bytes) from `textEnd` to `end`.
struct Line {
    std::size_t begin = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;
};

// A UTF-8 byte-order mark that an editor put before the first line; it is kept, not read.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Calls `visit` with each line in turn.
template <typename Visit> void ForEachLine(std::string_view bytes, Visit visit) {
    std::size_t begin = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
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

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    ForEachLine(bytes, [&lines](const Line& line) { lines.push_back(line); });
    return lines;
}

enum class LineKind { Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section name or key, without surrounding blanks
    std::string_view value; // the key's value, without surrounding blanks
};

ParsedLine ParseLine(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';')
        return {};
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos)
            return {LineKind::Section, Trim(trimmed.substr(1, close - 1)), {}};
        // A "[" without its "]" opens no section; the line may still be a key.
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {LineKind::Key, Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

// Where a key stands in the file, as far as it was found.
struct KeyPlace {
    std::optional<std::size_t> sectionLine;
    std::optional<std::size_t> keyLine;
    std::size_t lastNonBlankLine = 0; // of the section; the header itself at least
};

KeyPlace FindKey(std::string_view bytes, const std::vector<Line>& lines, std::string_view section,
                 std::string_view key) {
    KeyPlace place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text =
            bytes.substr(lines[i].begin, lines[i].textEnd - lines[i].begin);
        const ParsedLine line = ParseLine(text);
        if (!place.sectionLine) {
            if (line.kind == LineKind::Section && NamesEqual(line.name, section)) {
                place.sectionLine = i;
                place.lastNonBlankLine = i;
            }
            continue;
        }
        if (line.kind == LineKind::Section)
            break;
        if (!Trim(text).empty())
            place.lastNonBlankLine = i;
        if (line.kind == LineKind::Key && NamesEqual(line.name, key)) {
            place.keyLine = i;
            break;
        }
    }
    return place;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Larger than any settings file the game or a player makes; a larger one is not read.
constexpr qint64 kMaxProfileBytes = 16 << 20;

std::optional<std::string> ReadWholeFile(const QString& path) {
    QByteArray bytes;
    if (!ReadRegularFile(path, kMaxProfileBytes, &bytes, nullptr))
        return std::nullopt;
    return bytes.toStdString();
}

[[noreturn]] void ThrowUnableToWrite(const QString& path) {
    throw VordaError(VordaError::Kind::InputOutput,
                     QStringLiteral("Unable to write to %1").arg(path));
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A name or value that would read back as something else, or break the lines around it.
bool BreaksStructure(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view trimmedKey = Trim(key);
    return HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
           Trim(section).empty() || section.find(']') != std::string_view::npos ||
           trimmedKey.empty() || key.find('=') != std::string_view::npos ||
           trimmedKey.front() == ';' || trimmedKey.front() == '[';
}

std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

// The file's bytes with the key set, every other byte as it was.
std::string WithKeySet(const std::string& bytes, std::string_view section, std::string_view key,
                       std::string_view value) {
    const std::vector<Line> lines = SplitLines(bytes);
    const KeyPlace place = FindKey(bytes, lines, section, key);
    std::string result;
    if (place.keyLine) {
        // The key keeps the spelling it has in the file.
        const Line& line = lines[*place.keyLine];
        const ParsedLine present =
            ParseLine(std::string_view(bytes).substr(line.begin, line.textEnd - line.begin));
        result = bytes.substr(0, line.begin);
        result += KeyLine(present.name, value);
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
        result += KeyLine(key, value);
        result += kLineEnd;
        result += bytes.substr(line.end);
        return result;
    }
    // A new section follows the file's last line directly, before an end-of-file mark that
    // ends the file, since readers that stop at the mark would never see it.
    std::size_t end = bytes.size();
    while (end > 0 && (bytes[end - 1] == '\r' || bytes[end - 1] == '\n' || IsBlank(bytes[end - 1])))
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
    result += KeyLine(key, value);
    result += kLineEnd;
    result += bytes.substr(mark);
    return result;
}

} // namespace

std::string ReadProfileString(const QString& path, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    return ProfileSnapshot(path).Read(section, key, defaultValue);
}

ProfileSnapshot::ProfileSnapshot(const QString& path) {
    if (std::optional<std::string> bytes = ReadWholeFile(path))
        bytes_ = std::move(*bytes);
    indexSections();
}

ProfileSnapshot ProfileSnapshot::FromBytes(std::string bytes) {
    ProfileSnapshot snapshot;
    snapshot.bytes_ = std::move(bytes);
    snapshot.indexSections();
    return snapshot;
}

void ProfileSnapshot::indexSections() {
    const std::string_view bytes = bytes_;
    Span* open = nullptr; // the section being measured
    ForEachLine(bytes, [&](const Line& line) {
        const ParsedLine parsed = ParseLine(bytes.substr(line.begin, line.textEnd - line.begin));
        if (parsed.kind != LineKind::Section)
            return;
        if (open)
            open->end = line.begin;
        const auto [it, added] =
            sections_.try_emplace(FoldedName(parsed.name), Span{line.end, line.end});
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
    ForEachLine(body, [&](const Line& line) {
        const ParsedLine parsed = ParseLine(body.substr(line.begin, line.textEnd - line.begin));
        if (parsed.kind != LineKind::Key)
            return;
        const std::size_t valueBegin = std::size_t(parsed.value.data() - bytes_.data());
        keys.try_emplace(FoldedName(parsed.name),
                         Span{valueBegin, valueBegin + parsed.value.size()});
    });
    return keys;
}

std::string ProfileSnapshot::Read(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    const std::map<std::string, Span>& keys = keysOf(FoldedName(Trim(section)));
    const auto found = keys.find(FoldedName(Trim(key)));
    // The caller's default loses its trailing blanks, as a value from the file does.
    if (found == keys.end())
        return std::string(TrimEnd(defaultValue));
    const std::string_view value = Unquote(std::string_view(bytes_).substr(
        found->second.begin, found->second.end - found->second.begin));
    return std::string(value.substr(0, kProfileValueMaxLength));
}

void WriteProfileString(const QString& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    WriteProfileStrings(path, {{std::string(section), std::string(key), std::string(value)}});
}

void WriteProfileStrings(const QString& path, const std::vector<ProfileValue>& values) {
    for (const ProfileValue& entry : values)
        if (BreaksStructure(entry.section, entry.key, entry.value))
            ThrowUnableToWrite(path);

    std::string bytes;
    // A file that exists but cannot be read is not taken for a missing one: writing would
    // lose what it holds.
    if (QFileInfo::exists(path)) {
        std::optional<std::string> existing = ReadWholeFile(path);
        if (!existing)
            ThrowUnableToWrite(path);
        bytes = std::move(*existing);
    }
    for (const ProfileValue& entry : values)
        bytes = WithKeySet(bytes, Trim(entry.section), Trim(entry.key), entry.value);

    if (!ReplaceFileContents(path, QByteArray::fromStdString(bytes), nullptr))
        ThrowUnableToWrite(path);
}
