// Draws the demo's fifteen images into the directory given on the command
// line (the demo's LocalData). Deterministic: every picture comes from fixed
// seeds, so a rerun writes the same files.
#include <cstdio>
#include <string>

#include <QByteArray>
#include <QGuiApplication>
#include <QImageWriter>
#include <QString>

#include "image_families.h"

namespace {

bool Save(const dmo_images::NamedImage& named, const std::string& directory)
{
    const std::string path = directory + "/" + named.file;
    const bool jpeg = named.file.ends_with(".jpg");
    QImageWriter writer(QString::fromStdString(path), jpeg ? "jpeg" : "png");
    if (jpeg) writer.setQuality(92);
    if (named.image.width() % 4 != 0) {
        std::fprintf(stderr, "%s: width %d is not a multiple of 4\n", path.c_str(), named.image.width());
        return false;
    }
    if (!writer.write(named.image)) {
        std::fprintf(stderr, "Could not write %s: %s\n", path.c_str(), writer.errorString().toStdString().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <image directory>\n", argv[0]);
        return 2;
    }
    // Fonts need a QGuiApplication; no display is needed to draw them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (!dmo_images::LoadFonts()) {
        std::fprintf(stderr, "The DejaVu Sans fonts (Debian package fonts-dejavu-core) are missing\n");
        return 1;
    }

    const std::string directory = argv[1];
    int failures = 0;
    for (const auto& family : {dmo_images::DrawBackgrounds, dmo_images::DrawSprite, dmo_images::DrawOverlays,
                               dmo_images::DrawMasks, dmo_images::DrawLogo, dmo_images::DrawTextImages}) {
        for (const dmo_images::NamedImage& named : family())
            if (!Save(named, directory)) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
