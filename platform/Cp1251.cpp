#include "platform/Cp1251.h"

#include <array>
#include <unordered_map>

namespace {

// Unicode code points of the bytes 0x80..0xBF; 0x98 has no character and maps to itself.
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char16_t toUnicode(unsigned char c) {
    if (c < 0x80)
        return c;
    if (c >= 0xC0)
        return char16_t(0x0410 + (c - 0xC0));
    return kUpperHalf[c - 0x80];
}

const std::unordered_map<char16_t, unsigned char>& reverseTable() {
    static const std::unordered_map<char16_t, unsigned char> table = [] {
        std::unordered_map<char16_t, unsigned char> t;
        for (int c = 0x80; c < 0x100; ++c)
            t.emplace(toUnicode(static_cast<unsigned char>(c)), static_cast<unsigned char>(c));
        return t;
    }();
    return table;
}

} // namespace

QString cp1251ToUnicode(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char b : bytes)
        text.append(QChar(toUnicode(static_cast<unsigned char>(b))));
    return text;
}

std::string unicodeToCp1251(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            bytes.push_back(static_cast<char>(u));
        } else if (u >= 0x0410 && u <= 0x044F) {
            bytes.push_back(static_cast<char>(0xC0 + (u - 0x0410)));
        } else {
            const auto& table = reverseTable();
            const auto it = table.find(u);
            bytes.push_back(it != table.end() ? static_cast<char>(it->second) : '?');
        }
    }
    return bytes;
}

int cp1251CompareNoCase(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int ca = kCp1251Fold[static_cast<unsigned char>(a[i])];
        const int cb = kCp1251Fold[static_cast<unsigned char>(b[i])];
        if (ca != cb)
            return ca - cb;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool fitsCp1251(QStringView text) {
    return cp1251ToUnicode(unicodeToCp1251(text)) == text;
}
