#include "extras/ImagesUnit.h"

#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "platform/FileWriting.h"
#include "platform/JpegReader.h"
#include "platform/ProgramFolder.h"
#include "platform/ResourceBitmap.h"
#include "platform/VordaError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

TTextureChoice TextureChoice;

namespace {

const char* const kTextureResources[kTextureSlots] = {"BUTTONS", "POLE1",  "POLE2", "LETTER1",
                                                      "LETTER2", "WALL1",  "WALL2", "WALL3",
                                                      "BUTTONS", "BUTTONS"};

} // namespace

void InitTextures() {
    InitBuiltInResources();
    TextureBitmaps.assign(kTextureSlots, QPixmap());
    TextureChoice.TexturesDir = ProgramFolder() + QStringLiteral("Textures");
    QDir().mkpath(TextureChoice.TexturesDir);
}

namespace {

QPixmap builtInTexture(int slot) {
    return QPixmap::fromImage(LoadResourceBitmapForRatio(
        QString::fromLatin1(kTextureResources[slot]), PictureRatio(), PictureUse::Tile));
}

// A picture decoded by a pass, with what its file was then.
struct DecodedPicture {
    QString path;
    qint64 size = 0;
    QDateTime modified;
    QPixmap picture;
};

// The pictures of the last pass. A pass decodes again only a file that changed since, so a
// choice in the textures window decodes the chosen file and not every slot's again. A cache
// of TextureBitmaps' sources, so it lives as long as they do.
std::vector<DecodedPicture> lastPassPictures;

// Reads a picture file into a slot. A picture that cannot be decoded, is too large or cannot
// be read is reported in its own box and the slot takes its built-in picture; the pass goes
// on with the next slot.
void loadPictureIntoSlot(int slot, const QString& path, std::vector<DecodedPicture>& decoded) {
    // A FIFO would block the reading, a device (a link to /dev/zero) would never end it.
    if (IsPresentButNotRegular(path)) {
        ShowErrorBox(QStringLiteral("Cannot read the picture \"%1\": %2.")
                         .arg(QDir::toNativeSeparators(path), NotARegularFileReason()));
        TextureBitmaps[slot] = builtInTexture(slot);
        return;
    }
    const QFileInfo file(path);
    for (const DecodedPicture& known : lastPassPictures) {
        if (known.path == path && known.size == file.size() &&
            known.modified == file.lastModified()) {
            TextureBitmaps[slot] = known.picture;
            decoded.push_back(known);
            return;
        }
    }
    QImage picture;
    bool decodedNow = false;
    const bool read = RunReportingErrors(
        [&] { decodedNow = ReadPictureFile(path, picture) == PictureReadResult::Decoded; });
    if (decodedNow) {
        // A player's picture has one size; on a denser screen it is enlarged smoothly here
        // rather than pixel by pixel when drawn.
        TextureBitmaps[slot] =
            QPixmap::fromImage(ScaledForRatio(picture, PictureRatio(), PictureUse::Tile));
        decoded.push_back({path, file.size(), file.lastModified(), TextureBitmaps[slot]});
        return;
    }
    if (read)
        ShowErrorBox(QStringLiteral("Unknown graphic format"));
    TextureBitmaps[slot] = builtInTexture(slot);
}

} // namespace

QString SkinPicture(const QString& skinFolder, int slot) {
    const QString digit = QString::number(slot);
    QString bmp, jpg;
    const QStringList names =
        QDir(skinFolder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (name.compare(digit + QStringLiteral(".jpg"), Qt::CaseInsensitive) == 0 && jpg.isEmpty())
            jpg = name;
        else if (name.compare(digit + QStringLiteral(".bmp"), Qt::CaseInsensitive) == 0 &&
                 bmp.isEmpty())
            bmp = name;
    }
    const QString& found = jpg.isEmpty() ? bmp : jpg;
    return found.isEmpty() ? QString() : skinFolder + QLatin1Char('/') + found;
}

bool IsSkinFolder(const QString& folder) {
    for (int slot = 0; slot < kTextureSlots; ++slot)
        if (!SkinPicture(folder, slot).isEmpty())
            return true;
    return false;
}

QString SkinFolder() {
    return TextureChoice.SkinName.empty() ? TextureChoice.TexturesDir
                                          : TextureChoice.TexturesDir + QLatin1Char('/') +
                                                Cp1251ToUnicode(TextureChoice.SkinName);
}

void LoadTextures() {
    TextureBitmaps.resize(kTextureSlots);
    std::vector<DecodedPicture> decoded;
    if (TextureChoice.UseSkins) {
        const QString folder = SkinFolder();
        for (int slot = 0; slot < kTextureSlots; ++slot) {
            const QString picture = SkinPicture(folder, slot);
            if (picture.isEmpty())
                TextureBitmaps[slot] = builtInTexture(slot);
            else
                loadPictureIntoSlot(slot, picture, decoded);
        }
    } else {
        for (int slot = 0; slot < kTextureSlots; ++slot) {
            const std::string& name = TextureChoice.TextureFiles[slot];
            const QString path =
                TextureChoice.TexturesDir + QLatin1Char('/') + Cp1251ToUnicode(name);
            if (name.empty() || !QFileInfo(path).isFile()) {
                // A file that has gone is forgotten, so the settings keep an empty value.
                TextureBitmaps[slot] = builtInTexture(slot);
                TextureChoice.TextureFiles[slot].clear();
                continue;
            }
            // A file chosen for an earlier slot is not read again: the slot shares its picture.
            const auto earlier =
                std::find(TextureChoice.TextureFiles, TextureChoice.TextureFiles + slot, name);
            if (earlier != TextureChoice.TextureFiles + slot)
                TextureBitmaps[slot] = TextureBitmaps[earlier - TextureChoice.TextureFiles];
            else
                loadPictureIntoSlot(slot, path, decoded);
        }
    }
    lastPassPictures = std::move(decoded);
}

void ApplyTextures() {
    ApplyTextureClients();
}
