#include "platform/WebOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool OpenWebAddress(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}
