#include "skin/TextureSlots.h"

#include "platform/VordaError.h"

#include <vector>

std::vector<QPixmap> textureBitmaps;

namespace {
struct TextureClient {
    QObject* window;
    std::function<void()> apply;
};

std::vector<TextureClient>& textureClients() {
    static std::vector<TextureClient> clients;
    return clients;
}
} // namespace

void registerTextureClient(QObject* window, std::function<void()> apply) {
    textureClients().push_back({window, std::move(apply)});
    QObject::connect(window, &QObject::destroyed, [window] {
        auto& clients = textureClients();
        std::erase_if(clients, [window](const TextureClient& c) { return c.window == window; });
    });
}

void applyTextureClients() {
    // A copy: a client may make or destroy windows.
    const auto clients = textureClients();
    for (const TextureClient& client : clients)
        client.apply();
}

const QPixmap& getTexture(int slot) {
    if (slot < 0 || slot >= kTextureSlots)
        throw VordaError(VordaError::Kind::Range,
                         QStringLiteral("Range check error: texture slot %1").arg(slot));
    if (textureBitmaps.size() != kTextureSlots)
        textureBitmaps.resize(kTextureSlots);
    return textureBitmaps[static_cast<size_t>(slot)];
}
