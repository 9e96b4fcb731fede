#pragma once

#include <QObject>
#include <QPixmap>

#include <functional>
#include <vector>

// The texture slots the skinned windows wear. Reading and choosing their pictures is
// extras/ChosenTextures.h's work.

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

// The pictures of the slots; filled by initTextures (a pixmap cannot exist before the
// application object does). One set for the process, at namespace scope, because every
// window and control of the game wears the same pictures and dresses itself from them when it
// is made, wherever that happens.
extern std::vector<QPixmap> textureBitmaps;

// The picture of a slot 0..9; another slot raises a range error.
const QPixmap& getTexture(int slot);

// The windows that dress their controls from the texture slots. Each registers the function
// that dresses its own controls; it is dropped when the window is destroyed. applyTextures
// (extras/ChosenTextures.h) hands the slots to them all through applyTextureClients.
void registerTextureClient(QObject* window, std::function<void()> apply);
void applyTextureClients();
