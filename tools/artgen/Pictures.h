// The table of built-in pictures and the generators that fill it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace art {

// How a picture is stored under resources/bitmaps. The textures keep the colour depths the game
// relies on: 8-bit bitmaps hold a 256-colour palette, 24-bit ones plain RGB.
// The 2× pictures are PNG files, 8-bit with a palette where the 1× picture is an 8-bit bitmap.
enum class FileFormat { Bmp8, Bmp24, Png, Png8 };

enum class Group { Texture, Face, About, Thumb, Menu };

struct Picture {
    QString alias;    // resource name: the program loads ":/<prefix>/<alias>"
    QString prefix;   // "bitmaps" or "menu"
    QString fileName; // path below resources/bitmaps
    FileFormat format;
    Group group;
    QImage image; // ARGB32 or RGB32 as drawn; converted to the file's depth when written
};

// Every maker draws its pictures for a pixel ratio: 1 for ordinary screens, 2 for screens of
// twice the density, where the same picture is drawn afresh at twice the width and height.

// The eight default textures, each a seamless tile.
std::vector<Picture> makeTextures(int ratio);
// The computer's twelve faces, 100 × 70 at ratio 1.
std::vector<Picture> makeFaces(int ratio);
// The About window's logo, banner and bouncing ball, black being transparent.
std::vector<Picture> makeAboutPictures(int ratio);
// The menu item images and, at ratio 1 only, the track bar thumbs.
std::vector<Picture> makeSmallPictures(int ratio);

// The program's icon, the About window's ball, on a transparent size × size square.
QImage makeIcon(int size);
// The same icon as SVG, drawn by the same code, for the hicolor theme's scalable folder.
QByteArray makeScalableIcon();

// A sheet showing every picture at 1× and 3×, textures tiled 3 × 3, and a mock-up of the main
// window dressed in the textures, for checking the pictures by eye.
QImage renderContactSheet(const std::vector<Picture>& pictures);

} // namespace art
