#include "platform/ResourceBitmap.h"

#include <QImageReader>

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

QImage LoadResourcePicture(const QString& path, const char* format) {
    InitBuiltInResources();
    // The format is named and never guessed: the names carry no suffix, and any guess, even
    // one beside a named format, loads every image format plug-in to ask it.
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage LoadResourceBitmap(const QString& name) {
    return LoadResourcePicture(QStringLiteral(":/bitmaps/") + name, "BMP");
}
