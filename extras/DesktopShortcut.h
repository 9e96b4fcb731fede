#pragma once

#include <QString>

// The name of the desktop entry in the user's desktop folder, of the icon written into the
// game folder, and of the installed icon below the installed files' "share" folder.
extern const char* const kShortcutFileName;  // "Vorda 2000.desktop"
extern const char* const kShortcutIconName;  // "Vorda2000.png"
extern const char* const kInstalledIconName; // "icons/hicolor/256x256/apps/<id>.png"

// Puts a desktop entry "Vorda 2000.desktop" into the user's desktop folder (desktopFolder(),
// made if missing) that starts the program with the game folder as its current directory,
// replacing an entry of that name. An installed program's entry names the installed icon;
// otherwise the icon, the game's ball picture, is written into the game folder. Without an
// icon file the entry goes without one. Returns the entry's path; raises VordaError naming the
// folder when the entry cannot be written.
QString createDesktopShortcut();
