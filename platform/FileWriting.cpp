#include "platform/FileWriting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace {
void setReason(QString* reason, const QString& text) {
    if (reason)
        *reason = text;
}
} // namespace

bool ReplaceFileContents(const QString& path, const QByteArray& bytes, QString* reason) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setReason(reason, file.errorString());
        return false;
    }
    // commit() alone may report success after its buffered write failed and rename an empty
    // file into place: the write is flushed and checked first.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        setReason(reason, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setReason(reason, file.errorString());
        return false;
    }
    return true;
}

bool AppendToFile(const QString& path, const QByteArray& bytes, QString* reason) {
    QFile file(path);
    if (!file.exists()) {
        setReason(reason, QStringLiteral("the file does not exist"));
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

void RemoveStaleTemporaryFiles(const QString& path) {
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QStringList candidates = folder.entryList({target.fileName() + QStringLiteral(".??????")},
                                                    QDir::Files | QDir::Hidden | QDir::System);
    // Our temporary names end in six random letters and digits; six small letters are far
    // more likely a name a player gave a copy ("Winners.backup"), so those stay.
    const QRegularExpression playersWord(QStringLiteral("\\.[a-z]{6}$"));
    for (const QString& name : candidates)
        if (temporary.match(name).hasMatch() && !playersWord.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
}
