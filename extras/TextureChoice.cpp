#include "extras/TextureChoice.h"

#include "extras/GameServices.h"

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
#include <array>
#include <string_view>
#include <vector>

TextureChoice ChosenTextures;

namespace {

const char* const kTextureResources[kTextureSlots] = {"BUTTONS", "POLE1",  "POLE2", "LETTER1",
                                                      "LETTER2", "WALL1",  "WALL2", "WALL3",
                                                      "BUTTONS", "BUTTONS"};

} // namespace

void initTextures() {
    initBuiltInResources();
    textureBitmaps.assign(kTextureSlots, QPixmap());
    ChosenTextures.texturesDir = gameFolder() + QStringLiteral("Textures");
    QDir().mkpath(ChosenTextures.texturesDir);
}

namespace {

// The built-in pictures of one loading; slots that wear the same picture share one decoding.
class BuiltInTextures {
public:
    QPixmap forSlot(int slot) {
        const std::string_view name = kTextureResources[slot];
        for (int earlier = 0; earlier < slot; ++earlier)
            if (!made_[earlier].isNull() && kTextureResources[earlier] == name)
                return made_[slot] = made_[earlier];
        return made_[slot] = QPixmap::fromImage(loadResourceBitmapForRatio(
                   QString::fromLatin1(name), pictureRatio(), PictureUse::Tile));
    }

private:
    std::array<QPixmap, kTextureSlots> made_;
};

using DecodedPicture = TextureChoice::DecodedPicture;

// Reads a picture file into a slot. A picture that cannot be decoded, is too large or cannot
// be read is reported in its own box and the slot takes its built-in picture; the pass goes
// on with the next slot.
void loadPictureIntoSlot(int slot, const QString& path, std::vector<DecodedPicture>& decoded,
                         BuiltInTextures& builtIns) {
    // A FIFO would block the reading, a device (a link to /dev/zero) would never end it.
    if (isPresentButNotRegular(path)) {
        showErrorBox(QStringLiteral("Cannot read the picture \"%1\": %2.")
                         .arg(QDir::toNativeSeparators(path), notARegularFileReason()));
        textureBitmaps[slot] = builtIns.forSlot(slot);
        return;
    }
    const QFileInfo file(path);
    for (const DecodedPicture& known : ChosenTextures.decodedPictures) {
        if (known.path == path && known.size == file.size() &&
            known.modified == file.lastModified()) {
            textureBitmaps[slot] = known.picture;
            decoded.push_back(known);
            return;
        }
    }
    QImage picture;
    bool decodedNow = false;
    const bool read = runReportingErrors(
        [&] { decodedNow = readPictureFile(path, picture) == PictureReadResult::Decoded; });
    if (decodedNow) {
        // A player's picture has one size; on a denser screen it is enlarged smoothly here
        // rather than pixel by pixel when drawn.
        textureBitmaps[slot] =
            QPixmap::fromImage(scaledForRatio(picture, pictureRatio(), PictureUse::Tile));
        decoded.push_back({path, file.size(), file.lastModified(), textureBitmaps[slot]});
        return;
    }
    if (read)
        showErrorBox(QStringLiteral("Unknown graphic format"));
    textureBitmaps[slot] = builtIns.forSlot(slot);
}

} // namespace

std::array<QString, kTextureSlots> skinPictures(const QString& skinFolder) {
    // One reading of the folder for every slot.
    std::array<QString, kTextureSlots> jpg, bmp;
    const QStringList names =
        QDir(skinFolder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        bool isNumber = false;
        const int slot = name.left(dot).toInt(&isNumber);
        if (dot < 0 || !isNumber || slot < 0 || slot >= kTextureSlots ||
            name.left(dot) != QString::number(slot))
            continue;
        const QStringView extension = QStringView(name).mid(dot + 1);
        if (extension.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0 &&
            jpg[slot].isEmpty())
            jpg[slot] = name;
        else if (extension.compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0 &&
                 bmp[slot].isEmpty())
            bmp[slot] = name;
    }
    std::array<QString, kTextureSlots> found;
    for (int slot = 0; slot < kTextureSlots; ++slot) {
        const QString& name = jpg[slot].isEmpty() ? bmp[slot] : jpg[slot];
        if (!name.isEmpty())
            found[slot] = skinFolder + QLatin1Char('/') + name;
    }
    return found;
}

QString skinPicture(const QString& skinFolder, int slot) {
    return skinPictures(skinFolder)[slot];
}

bool isSkinFolder(const QString& folder) {
    const std::array<QString, kTextureSlots> pictures = skinPictures(folder);
    return std::any_of(pictures.begin(), pictures.end(),
                       [](const QString& picture) { return !picture.isEmpty(); });
}

QString skinFolder() {
    return ChosenTextures.skinName.empty() ? ChosenTextures.texturesDir
                                           : ChosenTextures.texturesDir + QLatin1Char('/') +
                                                 cp1251ToUnicode(ChosenTextures.skinName);
}

std::vector<ForgottenPicture> loadTextures() {
    std::vector<ForgottenPicture> forgotten;
    textureBitmaps.resize(kTextureSlots);
    std::vector<DecodedPicture> decoded;
    BuiltInTextures builtIns;
    if (ChosenTextures.useSkins) {
        const std::array<QString, kTextureSlots> pictures = skinPictures(skinFolder());
        for (int slot = 0; slot < kTextureSlots; ++slot) {
            const QString& picture = pictures[slot];
            if (picture.isEmpty())
                textureBitmaps[slot] = builtIns.forSlot(slot);
            else
                loadPictureIntoSlot(slot, picture, decoded, builtIns);
        }
    } else {
        for (int slot = 0; slot < kTextureSlots; ++slot) {
            const std::string& name = ChosenTextures.textureFiles[slot];
            const QString path =
                ChosenTextures.texturesDir + QLatin1Char('/') + cp1251ToUnicode(name);
            if (name.empty() || !QFileInfo(path).isFile()) {
                // A file that has gone is forgotten, so the settings keep an empty value; the
                // player is told, once.
                textureBitmaps[slot] = builtIns.forSlot(slot);
                if (!name.empty())
                    forgotten.push_back({slot, name});
                ChosenTextures.textureFiles[slot].clear();
                continue;
            }
            // A file chosen for an earlier slot is not read again: the slot shares its picture.
            const auto earlier =
                std::find(ChosenTextures.textureFiles, ChosenTextures.textureFiles + slot, name);
            if (earlier != ChosenTextures.textureFiles + slot)
                textureBitmaps[slot] = textureBitmaps[earlier - ChosenTextures.textureFiles];
            else
                loadPictureIntoSlot(slot, path, decoded, builtIns);
        }
    }
    ChosenTextures.decodedPictures = std::move(decoded);
    return forgotten;
}

QString forgottenPicturesMessage(const GameServices& services,
                                 const std::vector<ForgottenPicture>& forgotten) {
    QStringList lines;
    for (const ForgottenPicture& picture : forgotten)
        lines << cp1251ToUnicode(services.languageText("PictureMissing"))
                     .arg(cp1251ToUnicode(picture.name),
                          cp1251ToUnicode(
                              services.languageText("Slot" + std::to_string(picture.slot))));
    return lines.join(QLatin1Char('\n'));
}

void applyTextures() {
    applyTextureClients();
}
