#include "extras/ImagesUnit.h"

#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"

#include <QDir>

#include <vector>

std::vector<QPixmap> TextureBitmaps;
std::string TextureFiles[kTextureSlots];
std::string SkinName;
bool UseSkins = true;
QString TexturesDir = QStringLiteral("Textures");

namespace {

const char* const kTextureResources[kTextureSlots] = {"BUTTONS", "POLE1",  "POLE2", "LETTER1",
                                                      "LETTER2", "WALL1",  "WALL2", "WALL3",
                                                      "BUTTONS", "BUTTONS"};

struct TextureClient {
    QObject* window;
    std::function<void()> apply;
};

std::vector<TextureClient>& textureClients() {
    static std::vector<TextureClient> clients;
    return clients;
}

} // namespace

// The pictures are compiled into the static library, whose resources register on first use.
static void initBuiltInResources() {
#ifdef VORDA_HAVE_RESOURCES
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
#endif
}

QImage LoadResourceBitmap(const QString& name) {
    initBuiltInResources();
    return QImage(QStringLiteral(":/bitmaps/") + name);
}

void InitTextures() {
    initBuiltInResources();
    TextureBitmaps.assign(kTextureSlots, QPixmap());
    TexturesDir = ProgramFolder() + QStringLiteral("Textures");
    QDir().mkpath(TexturesDir);
}

void LoadTextures() {
    TextureBitmaps.resize(kTextureSlots);
    for (int slot = 0; slot < kTextureSlots; ++slot)
        TextureBitmaps[slot] =
            QPixmap::fromImage(LoadResourceBitmap(QString::fromLatin1(kTextureResources[slot])));
}

void RegisterTextureClient(QObject* window, std::function<void()> apply) {
    textureClients().push_back({window, std::move(apply)});
    QObject::connect(window, &QObject::destroyed, [window] {
        auto& clients = textureClients();
        std::erase_if(clients, [window](const TextureClient& c) { return c.window == window; });
    });
}

void ApplyTextures() {
    const auto clients = textureClients();
    for (const TextureClient& client : clients)
        client.apply();
}

const QPixmap& GetTexture(int slot) {
    if (slot < 0 || slot >= kTextureSlots)
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: texture slot %1").arg(slot));
    if (TextureBitmaps.size() != kTextureSlots)
        TextureBitmaps.resize(kTextureSlots);
    return TextureBitmaps[static_cast<size_t>(slot)];
}
