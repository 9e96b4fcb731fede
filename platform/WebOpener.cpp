#include "platform/WebOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool openWebAddress(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}
