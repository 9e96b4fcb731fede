#include "extras/ImagesUnit.h"

#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "platform/JpegReader.h"
#include "platform/ProgramFolder.h"
#include "platform/ResourceBitmap.h"
#include "platform/VordaError.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

std::string TextureFiles[kTextureSlots];
std::string SkinName;
bool UseSkins = true;
QString TexturesDir = QStringLiteral("Textures");

namespace {

const char* const kTextureResources[kTextureSlots] = {"BUTTONS", "POLE1",  "POLE2", "LETTER1",
                                                      "LETTER2", "WALL1",  "WALL2", "WALL3",
                                                      "BUTTONS", "BUTTONS"};

} // namespace

void InitTextures() {
    InitBuiltInResources();
    TextureBitmaps.assign(kTextureSlots, QPixmap());
    TexturesDir = ProgramFolder() + QStringLiteral("Textures");
    QDir().mkpath(TexturesDir);
}

namespace {

QPixmap builtInTexture(int slot) {
    return QPixmap::fromImage(LoadResourceBitmap(QString::fromLatin1(kTextureResources[slot])));
}

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

// Reads a picture file into a slot. An undecodable picture is reported in its own box and the
// slot takes its built-in picture; any other read error ends the pass.
void loadPictureIntoSlot(int slot, const QString& path) {
    QImage picture;
    if (ReadPictureFile(path, picture) == PictureReadResult::Decoded) {
        TextureBitmaps[slot] = QPixmap::fromImage(picture);
        return;
    }
    ShowErrorBox(QStringLiteral("Unknown graphic format"));
    TextureBitmaps[slot] = builtInTexture(slot);
}

// A skin picture of a slot: "<digit>.jpg" wins over "<digit>.bmp"; empty when neither exists.
QString skinPicture(const QString& skinFolder, int slot) {
    const QString stem = skinFolder + QLatin1Char('/') + QString::number(slot);
    QString found;
    if (isFile(stem + QStringLiteral(".bmp")))
        found = stem + QStringLiteral(".bmp");
    if (isFile(stem + QStringLiteral(".jpg")))
        found = stem + QStringLiteral(".jpg");
    return found;
}

} // namespace

QString SkinFolder() {
    return SkinName.empty() ? TexturesDir
                            : TexturesDir + QLatin1Char('/') + Cp1251ToUnicode(SkinName);
}

void LoadTextures() {
    TextureBitmaps.resize(kTextureSlots);
    if (UseSkins) {
        const QString folder = SkinFolder();
        for (int slot = 0; slot < kTextureSlots; ++slot) {
            const QString picture = skinPicture(folder, slot);
            if (picture.isEmpty())
                TextureBitmaps[slot] = builtInTexture(slot);
            else
                loadPictureIntoSlot(slot, picture);
        }
        return;
    }
    for (int slot = 0; slot < kTextureSlots; ++slot) {
        const std::string& name = TextureFiles[slot];
        const QString path = TexturesDir + QLatin1Char('/') + Cp1251ToUnicode(name);
        if (name.empty() || !isFile(path)) {
            // A file that has gone is forgotten, so the settings keep an empty value.
            TextureBitmaps[slot] = builtInTexture(slot);
            TextureFiles[slot].clear();
            continue;
        }
        // A file chosen for an earlier slot is not read again: the slot shares its picture.
        const auto earlier = std::find(TextureFiles, TextureFiles + slot, name);
        if (earlier != TextureFiles + slot)
            TextureBitmaps[slot] = TextureBitmaps[earlier - TextureFiles];
        else
            loadPictureIntoSlot(slot, path);
    }
}

void ApplyTextures() {
    ApplyTextureClients();
}
