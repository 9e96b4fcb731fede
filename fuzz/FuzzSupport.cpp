#include "fuzz/FuzzSupport.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

QString fuzzFolder() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/vorda-fuzz-XXXXXX"));
    static const QString path = [] {
        FUZZ_CHECK(folder.isValid());
        const QString withSlash = folder.path() + QLatin1Char('/');
        FUZZ_CHECK(QDir().mkpath(withSlash + QStringLiteral("DATA")));
        setGameFolder(withSlash);
        return withSlash;
    }();
    return path;
}

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}
