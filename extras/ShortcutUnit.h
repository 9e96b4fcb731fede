#pragma once

#include <QString>

// The name of the desktop entry in the user's desktop folder, and of the icon written beside
// the program.
extern const char* const kShortcutFileName; // "Vorda 2000.desktop"
extern const char* const kShortcutIconName; // "Vorda2000.png"

// Puts a desktop entry "Vorda 2000.desktop" into the user's desktop folder (DesktopFolder(),
// made if missing) that starts the program with the program's folder as its current
// directory, replacing an entry of that name. The icon, the game's ball picture, is written
// beside the program; if it cannot be, the entry goes without one. Shows nothing either way:
// a failure passes in silence.
void CreateDesktopShortcut();
