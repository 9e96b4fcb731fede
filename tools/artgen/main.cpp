// vorda2000-artgen: writes every built-in picture of the game under resources/bitmaps, the
// resource list resources/resources.qrc, the nine sounds under dist/Textures/sounds, the
// sample textures under dist/Textures and the program's icons under packaging/icons.
//
//   vorda2000-artgen <repository root>           generate everything
//   vorda2000-artgen --sheet <file.png>          render a contact sheet of all pictures
//
// Output depends only on this code, Qt and the DejaVu fonts: no clock, no locale, fixed seeds.
#include "ArtCommon.h"
#include "Pictures.h"
#include "SampleTextures.h"
#include "Sounds.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <iterator>
#include <stdexcept>

namespace {

// The program's icon in the sizes desktops ask for, installed into the hicolor icon theme.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr const char* kIconFileName = "org.example.vorda2000.png";
constexpr const char* kScalableIconFileName = "org.example.vorda2000.svg";

// The pictures for one pixel ratio. The 2× pictures take the 1× names with "@2x" added and are
// PNG files: the game chooses them by the screen's pixel ratio and draws them at the 1× size.
std::vector<art::Picture> allPictures(int ratio) {
    std::vector<art::Picture> all;
    for (auto maker :
         {art::makeTextures, art::makeFaces, art::makeAboutPictures, art::makeSmallPictures}) {
        auto pictures = maker(ratio);
        all.insert(all.end(), std::make_move_iterator(pictures.begin()),
                   std::make_move_iterator(pictures.end()));
    }
    if (ratio == 2) {
        for (auto& picture : all) {
            const QString base = picture.fileName.left(picture.fileName.lastIndexOf('.'));
            picture.alias += QStringLiteral("@2x");
            picture.fileName = base + QStringLiteral("@2x.png");
            picture.format = picture.format == art::FileFormat::Bmp8 ? art::FileFormat::Png8
                                                                     : art::FileFormat::Png;
        }
    }
    return all;
}

// Writes through a temporary file that replaces the old one only when complete.
void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 file.errorString().toStdString());
}

QByteArray encode(const art::Picture& picture) {
    QImage image;
    const char* format = "BMP";
    switch (picture.format) {
    case art::FileFormat::Bmp8:
        image = art::toIndexed8(picture.image);
        break;
    case art::FileFormat::Bmp24:
        image = picture.image.convertToFormat(QImage::Format_RGB32);
        break;
    case art::FileFormat::Png:
        // Opaque pictures are written without an alpha channel.
        image = picture.image.convertToFormat(
            picture.image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        format = "PNG";
        break;
    case art::FileFormat::Png8:
        image = art::toIndexed8(picture.image);
        format = "PNG";
        break;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode " + picture.alias.toStdString() + ": " +
                                 writer.errorString().toStdString());
    return bytes;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG"))
        throw std::runtime_error("cannot encode a PNG picture");
    return bytes;
}

QByteArray resourceList(const std::vector<art::Picture>& pictures) {
    QByteArray text;
    text += "<!DOCTYPE RCC>\n<!-- Written by tools/artgen; regenerate instead of editing. -->\n";
    text += "<RCC version=\"1.0\">\n";
    for (const char* prefix : {"bitmaps", "menu"}) {
        text += QByteArray("    <qresource prefix=\"/") + prefix + "\">\n";
        for (const auto& picture : pictures) {
            if (picture.prefix != QLatin1String(prefix))
                continue;
            text += "        <file alias=\"" + picture.alias.toUtf8() + "\">bitmaps/" +
                    picture.fileName.toUtf8() + "</file>\n";
        }
        text += "    </qresource>\n";
    }
    text += "</RCC>\n";
    return text;
}

void generate(const QString& root) {
    if (!QFileInfo(root + QStringLiteral("/.clang-format")).exists() &&
        !QFileInfo(root + QStringLiteral("/.git")).exists())
        throw std::runtime_error(root.toStdString() + " does not look like the repository root");
    auto pictures = allPictures(1);
    auto doubled = allPictures(2);
    pictures.insert(pictures.end(), std::make_move_iterator(doubled.begin()),
                    std::make_move_iterator(doubled.end()));
    for (const auto& picture : pictures)
        writeFile(root + QStringLiteral("/resources/bitmaps/") + picture.fileName, encode(picture));
    writeFile(root + QStringLiteral("/resources/resources.qrc"), resourceList(pictures));
    for (const auto& sound : art::makeSounds())
        writeFile(root + QStringLiteral("/dist/Textures/sounds/") + sound.fileName,
                  art::encodeWav(sound));
    const auto samples = art::makeSampleTextures();
    for (const auto& sample : samples)
        writeFile(root + QStringLiteral("/dist/Textures/") + sample.path, sample.bytes);
    for (const int size : kIconSizes) {
        writeFile(root + QStringLiteral("/packaging/icons/hicolor/%1x%1/apps/").arg(size) +
                      QLatin1String(kIconFileName),
                  pngBytes(art::makeIcon(size)));
    }
    writeFile(root + QStringLiteral("/packaging/icons/hicolor/scalable/apps/") +
                  QLatin1String(kScalableIconFileName),
              art::makeScalableIcon());
    std::printf("wrote %zu pictures, resources/resources.qrc, the sounds, %zu sample "
                "textures and %zu icons and the scalable one\n",
                pictures.size(), samples.size(), std::size(kIconSizes));
}

void writeSheet(const QString& path) {
    const QImage sheet = art::renderContactSheet(allPictures(1));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    sheet.save(&buffer, "PNG");
    writeFile(path, bytes);
    std::printf("wrote %s (%d x %d)\n", qPrintable(path), sheet.width(), sheet.height());
}

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application, but no display is needed or wanted.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == QLatin1String("--sheet")) {
            writeSheet(args[2]);
        } else if (args.size() == 2 && !args[1].startsWith(QLatin1Char('-'))) {
            generate(QDir(args[1]).absolutePath());
        } else {
            std::fprintf(stderr, "usage: vorda2000-artgen <repository root>\n"
                                 "       vorda2000-artgen --sheet <contact-sheet.png>\n");
            return 2;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vorda2000-artgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
