#pragma once

#include "platform/ResourceBitmap.h"
#include "skin/TextureSlots.h"

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <functional>
#include <string>
#include <vector>

// What dresses the windows, in one place: the settings read and write it, the textures
// window changes it.
struct TTextureChoice {
    // The picture file chosen per slot (file name in Windows-1251, without folder); empty
    // means the built-in picture.
    std::string TextureFiles[kTextureSlots];
    std::string SkinName; // Windows-1251
    bool UseSkins = true;
    QString TexturesDir = QStringLiteral("Textures"); // the program's "Textures" folder
};
// The skin of the process. At namespace scope beside the texture pictures it selects, because
// one skin dresses every window, those made before the main window and without it included
// (a textures window alone), and the skin's loading and the controls reach it where nothing
// can be handed down.
extern TTextureChoice TextureChoice;

// Module start-up, before any window exists: the resources, the empty slots and the textures
// folder (created when missing; a failure to create it is ignored).
void InitTextures();

// Fills all ten slots. With UseSkins, from the skin folder TexturesDir/SkinName (TexturesDir
// itself when SkinName is empty): the slot's SkinPicture, else the built-in picture;
// TextureFiles is left alone. Without skins, from TexturesDir/TextureFiles[i]:
// a name used by an earlier slot shares that slot's picture (the file is read once per pass),
// a missing file gives the built-in picture and its name is cleared. A picture that cannot be
// decoded shows "Unknown graphic format" in the error box once for its slot and gives the
// built-in picture, keeping its name; a picture too large or a file that cannot be read shows
// its own error the same way. Every other slot is still loaded. A file decoded by the pass
// before and not changed since is not decoded again.
void LoadTextures();

// The folder of the current skin: TexturesDir/SkinName, or TexturesDir when SkinName is empty.
QString SkinFolder();

// The picture of a slot in a skin folder: the file "<slot>.jpg", else "<slot>.bmp", the
// extension in any case ("0.JPG"); empty when the folder holds neither.
QString SkinPicture(const QString& skinFolder, int slot);
// A folder is a skin when it holds the picture of at least one slot.
bool IsSkinFolder(const QString& folder);

// Hands the slots to the controls of every window that exists (RegisterTextureClient,
// skin/TextureSlots.h).
void ApplyTextures();
