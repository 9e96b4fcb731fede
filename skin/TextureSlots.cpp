#include "skin/TextureSlots.h"

#include "platform/VordaError.h"

#include <vector>

std::vector<QPixmap> TextureBitmaps;

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

void RegisterTextureClient(QObject* window, std::function<void()> apply) {
    textureClients().push_back({window, std::move(apply)});
    QObject::connect(window, &QObject::destroyed, [window] {
        auto& clients = textureClients();
        std::erase_if(clients, [window](const TextureClient& c) { return c.window == window; });
    });
}

void ApplyTextureClients() {
    // A copy: a client may make or destroy windows.
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
