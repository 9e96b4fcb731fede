#include "extras/SavedGameMessages.h"

#include "extras/GameServices.h"
#include "platform/Cp1251.h"
#include "platform/FileWriting.h"

#include <QDir>

namespace {
QString text(const GameServices& services, const char* key) {
    return cp1251ToUnicode(services.languageText(key));
}

// The game's own reasons in the player's language; the system's words stay as they are.
QString reasonText(const GameServices& services, const QString& reason) {
    if (reason == refusedFolderReason())
        return text(services, "NoFolderOfItsOwn");
    if (reason == notARegularFileReason())
        return text(services, "NotARegularFile");
    return reason;
}
} // namespace

QString savedGameLoadMessage(const GameServices& services, const SavedGameLoad& load) {
    switch (load.problem) {
    case SavedGameLoad::Problem::None:
        return QString();
    case SavedGameLoad::Problem::Unreadable:
        return text(services, "SavedGameUnreadable")
            .arg(load.path, reasonText(services, load.reason));
    case SavedGameLoad::Problem::Damaged:
        if (!load.keepFailure.isEmpty())
            return text(services, "SavedGameNotKept")
                .arg(load.path, load.reason, load.keptPath, reasonText(services, load.keepFailure));
        return text(services, "SavedGameDamaged").arg(load.path, load.reason, load.keptPath);
    }
    return QString();
}

QString savedGameSaveMessage(const GameServices& services, const QString& path,
                             const QString& reason) {
    return text(services, "SavedGameNotSaved")
        .arg(QDir::toNativeSeparators(path), reasonText(services, reason));
}
