#pragma once

#include <QString>

#include <map>
#include <string>
#include <string_view>
#include <vector>

// Reading and writing one value of a settings file: a text file of sections and
// "key=value" lines in Windows-1251 with CR LF line ends.
//
// The file's conventions:
// - a line whose first non-blank character is "[" opens a section; the name runs to the
//   first "]" and blanks around it do not count; the section runs to the next such line;
// - a line "key=value" gives a value inside its section; blanks (spaces and tabs) around
//   the key and around the value do not count, and a Ctrl-Z at the end of a line counts as
//   a blank;
// - section and key names match without regard to letter case, ASCII and Cyrillic alike;
// - one pair of surrounding double quotes or of single quotes is removed from a value;
// - a line whose first non-blank character is ";" is a comment; any other line without
//   "=" is ignored;
// - when a section or a key occurs more than once, the first occurrence counts;
// - lines may end in CR LF, a lone LF or a lone CR.
//
// Every call of the two functions opens and closes the file; nothing is cached between calls.
// Many values are read from one reading of the file through a ProfileSnapshot. All strings,
// section and key names included, are Windows-1251 bytes.

// The longest value a read returns; longer values are cut there.
inline constexpr std::size_t kProfileValueMaxLength = 2047;

// The value of `key` in `section` of the file at `path`, with quotes and surrounding blanks
// removed and cut at kProfileValueMaxLength bytes. A missing or unreadable file, a missing
// section or a missing key yields `defaultValue` without its trailing blanks; a key present
// with an empty value yields the empty string. Never throws for the file's sake.
std::string readProfileString(const QString& path, std::string_view section, std::string_view key,
                              std::string_view defaultValue);

// The file as it was at one reading, answering any number of reads as readProfileString would
// have answered them then. Each section's keys are looked up in an index made at the first
// read from that section, so a large file costs one reading, not one per key.
class ProfileSnapshot {
public:
    // Holds nothing: every read yields its default.
    ProfileSnapshot() = default;
    // Reads the file at `path`; a missing or unreadable file holds nothing.
    explicit ProfileSnapshot(const QString& path);
    static ProfileSnapshot fromBytes(std::string bytes);

    std::string read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const;

private:
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    void indexSections();
    const std::map<std::string, Span>& keysOf(const std::string& foldedSection) const;

    std::string bytes_;
    // The first occurrence of each section (folded name): the bytes after its header line up
    // to the next section's header.
    std::map<std::string, Span> sections_;
    // Per section looked up: each key's first value (folded key -> the value's bytes).
    mutable std::map<std::string, std::map<std::string, Span>> keys_;
};

// Sets `key` in `section` of the file at `path` to `value`:
// - the first line of the key in its section becomes "key=value", the key spelled as it
//   stands in the file, keeping that line's own line end;
// - a key absent from its section is added right after the section's last non-blank line;
// - a section absent from the file is added at the end as "[section]" and the key's line,
//   right after the file's last line;
// - a missing file is created holding the section and the key.
// New lines end in CR LF; every other byte of the file stays as it was. The new file is
// written beside the old one and renamed into place, so the old file is either replaced
// whole or left untouched.
// Throws VordaError (Kind::InputOutput, "Unable to write to <path>") when the file cannot
// be read or written, or when the section, key or value would break the file's structure
// (a line break anywhere, "]" in the section name, "=" in the key, an empty key or section).
void writeProfileString(const QString& path, std::string_view section, std::string_view key,
                        std::string_view value);

// One key to set by writeProfileStrings.
struct ProfileValue {
    std::string section;
    std::string key;
    std::string value;
};

// Sets every key, in order, as writeProfileString does, in one replacement of the file: a
// failure leaves the old file whole, never some of the keys written.
void writeProfileStrings(const QString& path, const std::vector<ProfileValue>& values);
