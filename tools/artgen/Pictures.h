// The table of built-in pictures and the generators that fill it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace art {

// How a picture is stored under resources/bitmaps. The textures keep the colour depths the game
// relies on: 8-bit bitmaps hold a 256-colour palette, 24-bit ones plain RGB.
enum class FileFormat { Bmp8, Bmp24, Png };

enum class Group { Texture, Face, About, Thumb, Menu };

struct Picture {
    QString alias;    // resource name: the program loads ":/<prefix>/<alias>"
    QString prefix;   // "bitmaps" or "menu"
    QString fileName; // path below resources/bitmaps
    FileFormat format;
    Group group;
    QImage image; // ARGB32 or RGB32 as drawn; converted to the file's depth when written
};

// The eight default textures, each a seamless tile.
std::vector<Picture> makeTextures();
// The computer's fourteen faces, 100 × 70.
std::vector<Picture> makeFaces();
// The About window's logo, banner and bouncing ball, black being transparent.
std::vector<Picture> makeAboutPictures();
// The track bar thumbs and the menu item images.
std::vector<Picture> makeSmallPictures();

// The program's icon, the About window's ball, on a transparent size × size square.
QImage makeIcon(int size);
// The same icon as SVG, drawn by the same code, for the hicolor theme's scalable folder.
QByteArray makeScalableIcon();

// A sheet showing every picture at 1× and 3×, textures tiled 3 × 3, and a mock-up of the main
// window dressed in the textures, for checking the pictures by eye.
QImage renderContactSheet(const std::vector<Picture>& pictures);

} // namespace art
