#include "platform/DesktopEntry.h"

#include "platform/FileWriting.h"

#include <QBuffer>
#include <QFile>
#include <QStandardPaths>

namespace {
QString& desktopFolderOverride() {
    static QString folder;
    return folder;
}

// A value of the string type: backslashes and line breaks are escaped.
QString escapeValue(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else
            escaped += c;
    }
    return escaped;
}

// One argument of Exec=: in double quotes, with ", `, $ and \ escaped by a backslash and a
// literal % doubled (field codes start with %). The value escaping comes on top of this.
QString quoteExecArgument(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

bool saveAtomically(const QString& filePath, const QByteArray& bytes) {
    return replaceFileContents(filePath, bytes, nullptr);
}
} // namespace

QString desktopFolder() {
    if (!desktopFolderOverride().isEmpty())
        return desktopFolderOverride();
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

void setDesktopFolder(const QString& folder) {
    desktopFolderOverride() = folder;
}

QByteArray desktopEntryText(const DesktopEntry& entry) {
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Version=1.0\n");
    text += QStringLiteral("Name=") + escapeValue(entry.name) + QLatin1Char('\n');
    text +=
        QStringLiteral("Exec=") + escapeValue(quoteExecArgument(entry.program)) + QLatin1Char('\n');
    text += QStringLiteral("Path=") + escapeValue(entry.workingDirectory) + QLatin1Char('\n');
    if (!entry.icon.isEmpty())
        text += QStringLiteral("Icon=") + escapeValue(entry.icon) + QLatin1Char('\n');
    text += QStringLiteral("Terminal=false\n"
                           "Categories=Game;\n");
    return text.toUtf8();
}

bool writeDesktopEntry(const QString& filePath, const DesktopEntry& entry) {
    if (!saveAtomically(filePath, desktopEntryText(entry)))
        return false;
    return QFile::setPermissions(filePath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadUser | QFile::WriteUser | QFile::ExeUser |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther);
}

bool writePngFile(const QString& filePath, const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "PNG"))
        return false;
    return saveAtomically(filePath, bytes);
}
