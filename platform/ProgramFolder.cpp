#include "platform/ProgramFolder.h"

#include "platform/FileWriting.h"
#include "platform/PlayerFolderUpdate.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

const char* const kUserFolderName = "vorda2000";

namespace {
QString& overriddenFolder() {
    static QString folder;
    return folder;
}

QString& installedFolder() {
    static QString folder;
    return folder;
}

QString withSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

// Copies one file so that the target appears whole or not at all, writable by its owner
// whatever the installed file's mode. Returns an empty string or the reason it failed.
QString copyWhole(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return source.errorString();
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return source.errorString();
    QString reason;
    if (!ReplaceFileContents(to, bytes, &reason))
        return reason;
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                  QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    return {};
}

// Copies what the per-user folder lacks. Returns the first failure as a message, or empty;
// newSettings tells whether the settings file was among the copies.
QString fillMissing(const QString& installed, const QString& user, bool* newSettings) {
    QString problem;
    const QDir source(installed);
    QDirIterator files(installed, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString from = files.next();
        const QString relative = source.relativeFilePath(from);
        const QString to = user + relative;
        if (QFileInfo::exists(to))
            continue;
        QString reason;
        if (!QDir().mkpath(QFileInfo(to).absolutePath()))
            reason = QStringLiteral("cannot make its folder");
        else
            reason = copyWhole(from, to);
        if (reason.isEmpty() && relative == QLatin1String("Vorda2000.ini"))
            *newSettings = true;
        if (!reason.isEmpty() && problem.isEmpty())
            problem = QStringLiteral("Cannot copy %1 into the game folder %2: %3.")
                          .arg(relative, user, reason);
    }
    return problem;
}
} // namespace

QString ProgramFolder() {
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void SetProgramFolder(const QString& folderWithTrailingSlash) {
    overriddenFolder() = withSlash(folderWithTrailingSlash);
}

QString InstalledFilesFolder() {
    return installedFolder();
}

void SetInstalledFilesFolder(const QString& folderWithTrailingSlash) {
    installedFolder() = withSlash(folderWithTrailingSlash);
}

GameFolderChoice ChooseGameFolder(const QString& programFolder, const QString& dataHome) {
    GameFolderChoice choice;
    choice.folder = withSlash(programFolder);
    const QString installed = QDir::cleanPath(choice.folder + QStringLiteral("../share/") +
                                              QString::fromLatin1(kUserFolderName)) +
                              QLatin1Char('/');
    if (QFileInfo::exists(choice.folder + QStringLiteral("Vorda2000.ini")) ||
        !QFileInfo(installed).isDir())
        return choice;

    choice.installedFolder = installed;
    const QString user =
        QDir::cleanPath(dataHome + QLatin1Char('/') + QString::fromLatin1(kUserFolderName)) +
        QLatin1Char('/');
    if (dataHome.isEmpty() || !QDir().mkpath(user)) {
        choice.folder = installed;
        choice.problem = QStringLiteral("Cannot create the game folder %1. The game reads its "
                                        "files from %2 and cannot keep your settings and "
                                        "records.")
                             .arg(user, installed);
        return choice;
    }
    choice.folder = user;
    const QString problem = fillMissing(installed, user, &choice.newPlayer);
    if (!problem.isEmpty())
        choice.problem = problem + QStringLiteral(" The game goes on with the files it has.");
    return choice;
}

GameFolderChoice PrepareGameFolder() {
    GameFolderChoice choice =
        ChooseGameFolder(QCoreApplication::applicationDirPath(),
                         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (!choice.installedFolder.isEmpty() && choice.folder != choice.installedFolder) {
        QString problem;
        if (choice.newPlayer)
            problem = SetNewPlayerLanguage(choice.folder + QStringLiteral("Vorda2000.ini"),
                                           MessagesLocaleName());
        const QString updateProblem = UpdatePlayerFolder(choice.installedFolder, choice.folder);
        if (problem.isEmpty())
            problem = updateProblem;
        if (!problem.isEmpty())
            choice.problem +=
                (choice.problem.isEmpty() ? QString() : QStringLiteral(" ")) + problem;
    }
    SetProgramFolder(choice.folder);
    SetInstalledFilesFolder(choice.installedFolder);
    return choice;
}
