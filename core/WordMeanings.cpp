#include "core/WordMeanings.h"

#include "core/LanguageTable.h"
#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/ProgramFolder.h"

#include <QByteArray>
#include <QUrl>

namespace {

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (cp1251FoldCase(static_cast<unsigned char>(a[i])) !=
            cp1251FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

QString meaningsPath(uint16_t language) {
    const std::string_view file = languageOf(language).meaningsFile;
    if (file.empty())
        return {};
    return gameFolder() + QString::fromLatin1(file.data(), qsizetype(file.size()));
}

std::optional<std::string> findMeaning(const QString& path, std::string_view word) {
    QByteArray data;
    if (path.isEmpty() || word.empty() || !readRegularFile(path, kMaxMeaningsBytes, &data, nullptr))
        return std::nullopt;
    const char* p = data.constData();
    const char* end = p + data.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        const std::string_view line(p, size_t(lineEnd - p));
        p = lineEnd + (lineEnd < end ? 1 : 0);
        const size_t tab = line.find('\t');
        if (line.empty() || line.front() == ';' || tab == line.npos)
            continue;
        if (sameWord(line.substr(0, tab), word)) {
            std::string_view meaning = line.substr(tab + 1);
            while (!meaning.empty() && (meaning.back() == ' ' || meaning.back() == '\t'))
                meaning.remove_suffix(1);
            if (meaning.empty())
                return std::nullopt;
            return std::string(meaning);
        }
    }
    return std::nullopt;
}

QString dictionaryAddress(uint16_t language, std::string_view word) {
    const std::string_view address = languageOf(language).dictionaryAddress;
    return QString::fromLatin1(address.data(), qsizetype(address.size())) +
           QString::fromLatin1(QUrl::toPercentEncoding(cp1251ToUnicode(word).toLower()));
}
