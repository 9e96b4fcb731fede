#include "tests/support/TestFolder.h"

#include "platform/Cp1251.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestGameFolder::TestGameFolder() {
    QDir(dir_.path()).mkpath(QStringLiteral("DATA"));
    setGameFolder(path());
}

TestGameFolder::~TestGameFolder() {
    setGameFolder(QString());
}

QString TestGameFolder::path() const {
    return dir_.path() + QLatin1Char('/');
}

void TestGameFolder::write(const QString& relativePath, const QByteArray& bytes) const {
    const QString full = path() + relativePath;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(full));
}

QByteArray TestGameFolder::read(const QString& relativePath) const {
    QFile file(path() + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void TestGameFolder::copyFromDist(const QString& relativePath) const {
    QFile source(QStringLiteral(VORDA_SOURCE_DIR "/dist/") + relativePath);
    if (!source.open(QIODevice::ReadOnly))
        qFatal("cannot read dist/%s", qPrintable(relativePath));
    write(relativePath, source.readAll());
}

std::string cp(const char* utf8) {
    return unicodeToCp1251(QString::fromUtf8(utf8));
}
