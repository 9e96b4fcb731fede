#include "platform/FileWriting.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char* const kTemporaryInfix = ".vorda-tmp-";

namespace {

QString& refusedFolder() {
    static QString folder;
    return folder;
}

// True when `path` lies below the folder that may not be written.
bool isBelowRefusedFolder(const QString& path) {
    const QString& folder = refusedFolder();
    return !folder.isEmpty() &&
           (QDir::cleanPath(QFileInfo(path).absoluteFilePath()) + QLatin1Char('/'))
               .startsWith(folder);
}

void setReason(QString* reason, const QString& text) {
    if (reason)
        *reason = text;
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The path a chain of symbolic links at `path` ends in, resolved link by link in bytes, so a
// folder that is reached through /proc/self/fd or whose name is not UTF-8 stays reachable.
QByteArray followLinks(QByteArray path) {
    for (int step = 0; step < 40; ++step) {
        char target[4096];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length <= 0 || length == ssize_t(sizeof target))
            return path;
        const QByteArray link(target, length);
        if (link.startsWith('/')) {
            path = link;
        } else {
            const qsizetype slash = path.lastIndexOf('/');
            path = (slash >= 0 ? path.left(slash + 1) : QByteArray()) + link;
        }
    }
    return path;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step =
            ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0) {
            if (step == 0)
                errno = ENOSPC;
            return false;
        }
        written += step;
    }
    return true;
}

// Reads up to `count` bytes into `to`: fewer only at the file's end. -1 on an error.
qsizetype readUpTo(int fd, char* to, qsizetype count) {
    qsizetype used = 0;
    while (used < count) {
        const ssize_t step = ::read(fd, to + used, size_t(count - used));
        if (step < 0 && errno == EINTR)
            continue;
        if (step < 0)
            return -1;
        if (step == 0)
            break;
        used += step;
    }
    return used;
}

// Reads the file to its end: straight into room for `expected` bytes (its size when it was
// looked at), and on in steps should it have grown meanwhile.
bool readAll(int fd, qint64 maxBytes, qint64 expected, QByteArray* bytes) {
    QByteArray data;
    data.resize(qsizetype(std::min(expected, maxBytes)) + 1);
    qsizetype used = 0;
    for (;;) {
        if (used == data.size())
            data.resize(data.size() + 65536);
        const qsizetype wanted = data.size() - used;
        const qsizetype step = readUpTo(fd, data.data() + used, wanted);
        if (step < 0)
            return false;
        used += step;
        if (used > maxBytes) {
            errno = EFBIG;
            return false;
        }
        if (step < wanted)
            break;
    }
    data.resize(used);
    *bytes = std::move(data);
    return true;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString notARegularFileReason() {
    return QStringLiteral("it is not a regular file (a folder, a device or a FIFO)");
}

bool isPresentButNotRegular(const QString& path) {
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

namespace {
// Opens a regular file for reading, its status in `info`; -1 and the reason otherwise.
int openRegularFile(const QString& path, struct stat& info, QString* reason) {
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &info) != 0) {
        setReason(reason, systemReason(errno));
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        setReason(reason, notARegularFileReason());
        return -1;
    }
    // Not blocking even if a FIFO took the file's place after the check above.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setReason(reason, systemReason(errno));
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        setReason(reason, S_ISREG(info.st_mode) ? systemReason(errno) : notARegularFileReason());
        ::close(fd);
        return -1;
    }
    return fd;
}
} // namespace

bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* reason) {
    struct stat info;
    const int fd = openRegularFile(path, info, reason);
    if (fd < 0)
        return false;
    bool read = false;
    if (qint64(info.st_size) > maxBytes)
        setReason(reason, QStringLiteral("it is larger than %1 bytes").arg(maxBytes));
    else if (!(read = readAll(fd, maxBytes, qint64(info.st_size), bytes)))
        setReason(reason, errno == EFBIG
                              ? QStringLiteral("it is larger than %1 bytes").arg(maxBytes)
                              : systemReason(errno));
    ::close(fd);
    return read;
}

bool readRegularFileStart(const QString& path, qint64 count, QByteArray* bytes) {
    struct stat info;
    const int fd = openRegularFile(path, info, nullptr);
    if (fd < 0)
        return false;
    QByteArray start(qsizetype(count), Qt::Uninitialized);
    const qsizetype used = readUpTo(fd, start.data(), start.size());
    ::close(fd);
    start.resize(std::max<qsizetype>(used, 0));
    *bytes = std::move(start);
    return true;
}

void refuseWritesBelow(const QString& folder) {
    refusedFolder() =
        folder.isEmpty() ? QString()
                         : QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/');
}

QString refusedFolderReason() {
    return QStringLiteral("the game keeps no files there, since it has no folder of its own");
}

bool replaceFileContents(const QString& path, const QByteArray& bytes, QString* reason) {
    if (isBelowRefusedFolder(path)) {
        setReason(reason, refusedFolderReason());
        return false;
    }
    const QByteArray target = followLinks(QFile::encodeName(path));
    struct stat old;
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT) {
        setReason(reason, systemReason(errno));
        return false;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        setReason(reason, notARegularFileReason());
        return false;
    }
    // A file the player made read-only stays as it is.
    if (exists && ::access(target.constData(), W_OK) != 0) {
        setReason(reason, systemReason(errno));
        return false;
    }
    QByteArray temporary = target + kTemporaryInfix + "XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        // A file whose folder may not be changed is not written in place either: a write cut
        // short there (a kill, a power cut) would leave part new and part old bytes.
        if (exists && (errno == EACCES || errno == EPERM || errno == EROFS))
            setReason(reason, unchangeableFolderReason(systemReason(errno)));
        else
            setReason(reason, systemReason(errno));
        return false;
    }
    ::fchmod(fd, exists ? old.st_mode & 07777 : newFileMode());
    // Run by root, the game leaves the player's file the player's.
    if (exists && ::geteuid() == 0) {
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    }
    // Every byte is on the disk before the rename, so a full disk or a crash never puts a
    // short file in place of the old one.
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        setReason(reason, systemReason(errno));
        ::close(fd);
        ::unlink(temporary.constData());
        return false;
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), target.constData()) != 0) {
        setReason(reason, systemReason(errno));
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

QString unchangeableFolderReason(const QString& systemWords) {
    return QStringLiteral("its folder may not be changed (%1), and the file is only ever replaced "
                          "whole, through a new file beside it")
        .arg(systemWords);
}

bool moveFileAside(const QString& from, const QString& to, QString* reason) {
    if (isBelowRefusedFolder(from) || isBelowRefusedFolder(to)) {
        setReason(reason, refusedFolderReason());
        return false;
    }
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        setReason(reason, systemReason(errno));
        return false;
    }
    return true;
}

bool appendToFile(const QString& path, const QByteArray& bytes, QString* reason) {
    if (isBelowRefusedFolder(path)) {
        setReason(reason, refusedFolderReason());
        return false;
    }
    QFile file(path);
    if (!file.exists()) {
        setReason(reason, QStringLiteral("the file does not exist"));
        return false;
    }
    if (isPresentButNotRegular(path)) {
        setReason(reason, notARegularFileReason());
        return false;
    }
    // Unbuffered, so that no byte waits in a buffer to reach the disk after a failure.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        setReason(reason, file.errorString());
        return false;
    }
    const qint64 formerSize = file.size();
    qint64 written = 0;
    while (written < bytes.size()) {
        // A short write is retried; the retry tells why the rest does not fit.
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            break;
        written += step;
    }
    if (written == bytes.size())
        return true;
    setReason(reason, file.errorString());
    // A part of the line may have reached the disk; it would join the next line added.
    if (!file.resize(formerSize) && reason)
        *reason += QStringLiteral("; the file could not be cut back to its former length: %1")
                       .arg(file.errorString());
    return false;
}

void removeStaleTemporaryFiles(const QStringList& paths) {
    // The temporary files lie beside the file a link leads to. Each folder is read once.
    std::map<QString, QStringList> prefixesByFolder;
    for (const QString& path : paths) {
        const QFileInfo target(QFile::decodeName(followLinks(QFile::encodeName(path))));
        prefixesByFolder[target.absolutePath()]
            << target.fileName() + QLatin1String(kTemporaryInfix);
    }
    const auto isStale = [](const QString& name, const QStringList& prefixes) {
        return std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& prefix) {
            if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
                return false;
            return std::all_of(name.end() - 6, name.end(), [](QChar c) {
                return c.unicode() < 128 && std::isalnum(static_cast<unsigned char>(c.unicode()));
            });
        });
    };
    for (const auto& [folder, prefixes] : prefixesByFolder) {
        QDirIterator entries(folder, QDir::Files | QDir::Hidden | QDir::System);
        while (entries.hasNext()) {
            entries.next();
            if (isStale(entries.fileName(), prefixes))
                QFile::remove(entries.filePath());
        }
    }
}
