#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace {
QString& overriddenFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder() {
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void SetProgramFolder(const QString& folderWithTrailingSlash) {
    QString folder = folderWithTrailingSlash;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    overriddenFolder() = folder;
}
