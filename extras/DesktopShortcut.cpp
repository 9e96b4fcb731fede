#include "extras/DesktopShortcut.h"

#include "extras/TextureChoice.h"
#include "platform/DesktopEntry.h"
#include "platform/DrawingSurface.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>

const char* const kShortcutFileName = "Vorda 2000.desktop";
const char* const kShortcutIconName = "Vorda2000.png";
const char* const kInstalledIconName = "icons/hicolor/256x256/apps/org.example.vorda2000.png";

namespace {
constexpr int kIconSize = 64;

// The bouncing character of the About scene, centred on a square transparent icon.
QImage shortcutIcon() {
    const QImage ball =
        pictureWithBlackTransparent(loadResourceBitmap(QStringLiteral("ABOUT_BALL")));
    if (ball.isNull())
        return {};
    QImage icon(kIconSize, kIconSize, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawImage((kIconSize - ball.width()) / 2, (kIconSize - ball.height()) / 2, ball);
    return icon;
}
} // namespace

QString createDesktopShortcut() {
    const QString desktop = desktopFolder();
    const auto failed = [&desktop] {
        return VordaError(VordaError::Kind::InputOutput,
                          QStringLiteral("The shortcut could not be made in the desktop folder "
                                         "\"%1\".")
                              .arg(QDir::toNativeSeparators(desktop)));
    };
    if (desktop.isEmpty() || !QDir().mkpath(desktop))
        throw failed();

    DesktopEntry entry;
    entry.name = QStringLiteral("Vorda 2000");
    entry.program = QCoreApplication::applicationFilePath();
    entry.workingDirectory = gameFolder();
    if (!installedFilesFolder().isEmpty()) {
        // An installed program has its icon in the shared icon theme, beside its files.
        const QString installedIcon =
            QDir::cleanPath(installedFilesFolder() + QStringLiteral("../") +
                            QString::fromLatin1(kInstalledIconName));
        if (QFileInfo::exists(installedIcon))
            entry.icon = installedIcon;
    } else {
        const QString iconPath = gameFolder() + QString::fromLatin1(kShortcutIconName);
        if (writePngFile(iconPath, shortcutIcon()))
            entry.icon = iconPath;
    }
    const QString path = QDir(desktop).filePath(QString::fromLatin1(kShortcutFileName));
    if (!writeDesktopEntry(path, entry))
        throw failed();
    return path;
}
