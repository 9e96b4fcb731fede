#pragma once

#include "platform/ResourceBitmap.h"

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <functional>
#include <string>
#include <vector>

// The ten texture slots that dress every window: 0 buttons, 1 field cell, 2 selected cell,
// 3 palette letter, 4 chosen letter, 5 main window background, 6 dialog background,
// 7 text areas, 8 word display, 9 word-sheet panels.
constexpr int kTextureSlots = 10;
constexpr int kButtonsSlot = 0;
constexpr int kCellSlot = 1;
constexpr int kSelectedCellSlot = 2;
constexpr int kLetterSlot = 3;
constexpr int kChosenLetterSlot = 4;
constexpr int kMainWallSlot = 5;
constexpr int kDialogWallSlot = 6;
constexpr int kTextAreaSlot = 7;
constexpr int kWordDisplaySlot = 8;
constexpr int kWordSheetSlot = 9;

// The pictures of the slots; filled by InitTextures (a pixmap cannot exist before the
// application object does).
extern std::vector<QPixmap> TextureBitmaps;
// The picture file chosen per slot (file name in Windows-1251, without folder); empty means
// the built-in picture.
extern std::string TextureFiles[kTextureSlots];
extern std::string SkinName;
extern bool UseSkins;
extern QString TexturesDir; // the program's "Textures" folder

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

// Hands the slots to the controls of every window that exists. Each window registers the
// function that dresses its own controls; it is dropped when the window is destroyed.
void ApplyTextures();
void RegisterTextureClient(QObject* window, std::function<void()> apply);

// The picture of a slot 0..9; another slot raises a range error.
const QPixmap& GetTexture(int slot);
