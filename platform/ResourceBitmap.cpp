#include "platform/ResourceBitmap.h"

// The pictures are compiled into the static library, whose resources register on first use.
// Q_INIT_RESOURCE must be called outside any namespace.
void InitBuiltInResources() {
#ifdef VORDA_HAVE_RESOURCES
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
#endif
}

QImage LoadResourceBitmap(const QString& name) {
    InitBuiltInResources();
    return QImage(QStringLiteral(":/bitmaps/") + name);
}
