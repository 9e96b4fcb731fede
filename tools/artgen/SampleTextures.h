// Sample pictures that accompany the game in its textures folder, for players to try in the
// textures window: two loose pictures and one small skin folder.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace art {

struct SampleFile {
    QString path; // below dist/Textures
    QByteArray bytes;
};

// "Sandstone.jpg", "Slate.bmp" and the skin "Meadow" with "0.jpg", "5.bmp" and "6.jpg".
// Each is a seamless tile of a few kilobytes.
std::vector<SampleFile> makeSampleTextures();

} // namespace art
