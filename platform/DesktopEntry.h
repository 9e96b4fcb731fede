#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The user's desktop folder, where a desktop entry puts the program in reach: the folder set
// by setDesktopFolder if any, else the system's desktop location. Tests set their own folder,
// so that they never touch the real home.
QString desktopFolder();
// An empty folder goes back to the system's desktop location.
void setDesktopFolder(const QString& folder);

// A desktop entry that starts a program.
struct DesktopEntry {
    QString name;             // shown under the icon
    QString program;          // full path of the executable
    QString workingDirectory; // the program's current directory when started
    QString icon;             // full path of a picture, or empty
};

// The text of a ".desktop" file for the entry (UTF-8), with the program quoted for Exec= and
// every value escaped as the desktop entry format requires.
QByteArray desktopEntryText(const DesktopEntry& entry);

// Writes the entry to filePath, replacing a file of that name in one step (a failure leaves
// the old file untouched), and makes it executable, which desktops require before they launch
// an entry. Returns false when the file cannot be written.
bool writeDesktopEntry(const QString& filePath, const DesktopEntry& entry);

// Writes a picture as a PNG file, replacing one of that name in one step. Returns false when
// the file cannot be written.
bool writePngFile(const QString& filePath, const QImage& picture);
