#include "core/KeyPositions.h"

#include "platform/Cp1251.h"

#include <QString>

namespace {
// The letter rows of the standard Russian layout, with the first key's X keycode and the
// characters a US layout has on the same keys.
struct KeyRow {
    quint32 firstKeycode;
    const char* latin;
    const char* russian; // UTF-8
};
constexpr KeyRow kRows[] = {
    {24, "qwertyuiop[]", "ЙЦУКЕНГШЩЗХЪ"},
    {38, "asdfghjkl;'", "ФЫВАПРОЛДЖЭ"},
    {52, "zxcvbnm,.", "ЯЧСМИТЬБЮ"},
};

unsigned char letterOf(const KeyRow& row, int index) {
    const QString letters = QString::fromUtf8(row.russian);
    return static_cast<unsigned char>(unicodeToCp1251(letters.mid(index, 1)).at(0));
}
} // namespace

std::optional<unsigned char> russianLetterAtKey(quint32 nativeScanCode, QStringView text) {
    for (const KeyRow& row : kRows) {
        const auto keys = static_cast<quint32>(qstrlen(row.latin));
        if (nativeScanCode >= row.firstKeycode && nativeScanCode < row.firstKeycode + keys)
            return letterOf(row, int(nativeScanCode - row.firstKeycode));
    }
    if (nativeScanCode != 0 || text.size() != 1)
        return std::nullopt;
    const char typed = text.at(0).toLower().toLatin1();
    for (const KeyRow& row : kRows)
        for (int i = 0; typed && row.latin[i]; ++i)
            if (row.latin[i] == typed)
                return letterOf(row, i);
    return std::nullopt;
}
