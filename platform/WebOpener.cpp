#include "platform/WebOpener.h"

#include <QDesktopServices>
#include <QUrl>

void OpenWebAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}
