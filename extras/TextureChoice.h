#pragma once

#include "platform/ResourceBitmap.h"
#include "skin/TextureSlots.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <array>
#include <functional>
#include <string>
#include <vector>

// What dresses the windows, in one place: the settings read and write it, the textures
// window changes it.
struct TextureChoice {
    // The picture file chosen per slot (file name in Windows-1251, without folder); empty
    // means the built-in picture.
    std::string textureFiles[kTextureSlots];
    std::string skinName; // Windows-1251
    bool useSkins = true;
    QString texturesDir = QStringLiteral("Textures"); // the program's "Textures" folder

    // A picture decoded by a loading, with what its file was then.
    struct DecodedPicture {
        QString path;
        qint64 size = 0;
        QDateTime modified;
        QPixmap picture;
    };
    // The pictures of the last loading. A loading decodes again only a file that changed since,
    // so a choice in the textures window decodes the chosen file and not every slot's again. A
    // cache of textureBitmaps' sources, so it lives as long as they do.
    std::vector<DecodedPicture> decodedPictures;
};
// The skin of the process. At namespace scope beside the texture pictures it selects, because
// one skin dresses every window, those made before the main window and without it included
// (a textures window alone), and the skin's loading and the controls reach it where nothing
// can be handed down.
extern TextureChoice ChosenTextures;

// Module start-up, before any window exists: the resources, the empty slots and the textures
// folder (created when missing; a failure to create it is ignored).
void initTextures();

// Fills all ten slots. With useSkins, from the skin folder texturesDir/skinName (texturesDir
// itself when skinName is empty): the slot's skinPicture, else the built-in picture;
// textureFiles is left alone. Without skins, from texturesDir/textureFiles[i]:
// a name used by an earlier slot shares that slot's picture (the file is read once per pass),
// a missing file gives the built-in picture and its name is cleared. A picture that cannot be
// decoded shows "Unknown graphic format" in the error box once for its slot and gives the
// built-in picture, keeping its name; a picture too large or a file that cannot be read shows
// its own error the same way. Every other slot is still loaded. A file decoded by the pass
// before and not changed since is not decoded again. Returns the slots whose chosen file was
// missing, with the names they had, so the player can be told what was forgotten.
struct ForgottenPicture {
    int slot;
    std::string name; // Windows-1251, as the settings held it
};
std::vector<ForgottenPicture> loadTextures();

class GameServices;
// The message, in the current language, naming each forgotten picture and its slot; empty
// when none was.
QString forgottenPicturesMessage(const GameServices& services,
                                 const std::vector<ForgottenPicture>& forgotten);

// The folder of the current skin: texturesDir/skinName, or texturesDir when skinName is empty.
QString skinFolder();

// The picture of a slot in a skin folder: the file "<slot>.jpg", else "<slot>.bmp", the
// extension in any case ("0.JPG"); empty when the folder holds neither.
QString skinPicture(const QString& skinFolder, int slot);
// The same for every slot at once, from one reading of the folder.
std::array<QString, kTextureSlots> skinPictures(const QString& skinFolder);
// A folder is a skin when it holds the picture of at least one slot.
bool isSkinFolder(const QString& folder);

// Hands the slots to the controls of every window that exists (registerTextureClient,
// skin/TextureSlots.h).
void applyTextures();
