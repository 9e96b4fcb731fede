#include "platform/ProgramFolder.h"

#include "platform/FileWriting.h"
#include "platform/PlayerFolderUpdate.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // Larger than any file the game comes with.
    constexpr qint64 kMaxAccompanyingBytes = 64 << 20;
    QByteArray bytes;
    QString reason;
    if (!readRegularFile(from, kMaxAccompanyingBytes, &bytes, &reason))
        return reason;
    if (!replaceFileContents(to, bytes, &reason))
        return reason;
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                  QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    return {};
}

// Removes what a start killed while it copied the installed files, or while it noted them,
// left beside their copies in the per-user folder: our temporary files, nothing else.
void removeStaleCopies(const QString& installed, const QString& user) {
    QStringList copies = {user + QLatin1String(kInstalledStampName)};
    const QDir source(installed);
    QDirIterator files(installed, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext())
        copies << user + source.relativeFilePath(files.next());
    removeStaleTemporaryFiles(copies);
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

QString gameFolder() {
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void setGameFolder(const QString& folderWithTrailingSlash) {
    overriddenFolder() = withSlash(folderWithTrailingSlash);
}

QString installedFilesFolder() {
    return installedFolder();
}

void setInstalledFilesFolder(const QString& folderWithTrailingSlash) {
    installedFolder() = withSlash(folderWithTrailingSlash);
}

namespace {

bool isUtf8Path(const QByteArray& path) {
    return QFile::encodeName(QFile::decodeName(path)) == path;
}

// The folder's path as text: the same path when its bytes are UTF-8, else the path of an open
// handle of the folder, which lives as long as the process. Empty when it cannot be opened.
QString folderFromBytes(const QByteArray& folder) {
    if (isUtf8Path(folder))
        return QFile::decodeName(folder);
    const int handle = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return {};
    return QStringLiteral("/proc/self/fd/%1").arg(handle);
}

// Makes the folder and those above it, in path bytes.
void makeFolders(const QByteArray& folder) {
    for (qsizetype slash = folder.indexOf('/', 1); slash > 0;
         slash = folder.indexOf('/', slash + 1))
        ::mkdir(folder.left(slash).constData(), 0777);
    ::mkdir(folder.constData(), 0777);
}

// The parent folder of path bytes without a trailing "/".
QByteArray parentOf(const QByteArray& folder) {
    QByteArray path = folder;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

GameFolderChoice chooseGameFolder(const QString& programFolder, const QString& installed,
                                  const QString& dataHome);

} // namespace

GameFolderChoice decideGameFolder(const QString& programFolder, const QString& dataHome) {
    const QString installed =
        QDir::cleanPath(withSlash(programFolder) + QStringLiteral("../share/") +
                        QString::fromLatin1(kUserFolderName)) +
        QLatin1Char('/');
    return chooseGameFolder(programFolder, installed, dataHome);
}

GameFolderChoice decideGameFolder(const QByteArray& programFolder, const QByteArray& dataHome) {
    GameFolderChoice choice;
    const QString program = folderFromBytes(programFolder);
    if (program.isEmpty()) {
        // A folder that does not exist and cannot be made: nothing is written anywhere else.
        choice.folder = QStringLiteral("/proc/self/fd/-1/");
        choice.problem = QStringLiteral("Cannot open the game folder %1: the game cannot read "
                                        "or keep its files.")
                             .arg(QString::fromLocal8Bit(programFolder));
        return choice;
    }
    if (QFileInfo::exists(withSlash(program) + QStringLiteral("Vorda2000.ini")))
        return chooseGameFolder(program, QString(), QString());
    const QByteArray installedBytes =
        parentOf(programFolder) + QByteArrayLiteral("/share/") + kUserFolderName;
    struct stat info;
    const QString installed =
        ::stat(installedBytes.constData(), &info) == 0 && S_ISDIR(info.st_mode)
            ? withSlash(folderFromBytes(installedBytes))
            : QString();
    QString home;
    if (!dataHome.isEmpty() && !installed.isEmpty()) {
        if (!isUtf8Path(dataHome))
            makeFolders(dataHome);
        home = folderFromBytes(dataHome);
    }
    return chooseGameFolder(program, installed, home);
}

QByteArray dataHomeFolder(const QByteArray& xdgDataHome, const QByteArray& home) {
    if (xdgDataHome.startsWith('/'))
        return xdgDataHome;
    // Only below a home folder that is there: the game never makes the player's home, which
    // as root would leave a chain of folders wherever HOME points.
    struct stat info;
    if (home.isEmpty() || ::stat(home.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return {};
    return home + QByteArrayLiteral("/.local/share");
}

namespace {
GameFolderChoice chooseGameFolder(const QString& programFolder, const QString& installed,
                                  const QString& dataHome) {
    GameFolderChoice choice;
    choice.folder = withSlash(programFolder);
    if (installed.isEmpty() || QFileInfo::exists(choice.folder + QStringLiteral("Vorda2000.ini")) ||
        !QFileInfo(installed).isDir())
        return choice;

    choice.installedFolder = installed;
    const QString user =
        QDir::cleanPath(dataHome + QLatin1Char('/') + QString::fromLatin1(kUserFolderName)) +
        QLatin1Char('/');
    if (dataHome.isEmpty() || !QDir().mkpath(user)) {
        choice.folder = installed;
        choice.readOnly = true;
        const QString why =
            dataHome.isEmpty()
                ? QStringLiteral("There is no folder for your files: HOME names no folder that "
                                 "exists, and XDG_DATA_HOME no absolute path.")
                : QStringLiteral("Cannot create the game folder %1.").arg(user);
        choice.problem = why + QStringLiteral(" The game reads its files from %1 and keeps "
                                              "nothing there: not your settings, records or "
                                              "game.")
                                   .arg(installed);
        return choice;
    }
    choice.folder = user;
    removeStaleCopies(installed, user);
    const QString problem = fillMissing(installed, user, &choice.newPlayer);
    if (!problem.isEmpty())
        choice.problem = problem + QStringLiteral(" The game goes on with the files it has.");
    return choice;
}
} // namespace

GameFolderChoice prepareGameFolder() {
    // The program's own path bytes: Qt's text for a folder named in another encoding than
    // UTF-8 leads nowhere.
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    const QByteArray program = length > 0 && length < ssize_t(sizeof path)
                                   ? parentOf(QByteArray(path, length))
                                   : QFile::encodeName(QCoreApplication::applicationDirPath());
    GameFolderChoice choice =
        decideGameFolder(program, dataHomeFolder(qgetenv("XDG_DATA_HOME"), qgetenv("HOME")));
    if (!choice.installedFolder.isEmpty() && choice.folder != choice.installedFolder) {
        QString problem;
        if (choice.newPlayer)
            problem = setNewPlayerLanguage(choice.folder + QStringLiteral("Vorda2000.ini"),
                                           messagesLocaleName());
        const QString updateProblem = updatePlayerFolder(choice.installedFolder, choice.folder);
        if (problem.isEmpty())
            problem = updateProblem;
        if (!problem.isEmpty())
            choice.problem +=
                (choice.problem.isEmpty() ? QString() : QStringLiteral(" ")) + problem;
    }
    setGameFolder(choice.folder);
    setInstalledFilesFolder(choice.installedFolder);
    refuseWritesBelow(choice.readOnly ? choice.folder : QString());
    return choice;
}
