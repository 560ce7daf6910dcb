#pragma once
// The demo's images, drawn in families that share a way of drawing. Each
// function returns its pictures with the file names the demo loads them by.
#include <string>
#include <vector>

#include <QImage>

namespace dmo_images {

struct NamedImage {
    std::string file;  // PNG or JPEG by its extension
    QImage image;
};

// "background1.png" .. "background4.png"/".jpg": 512 x 512, tileable.
std::vector<NamedImage> DrawBackgrounds();

// "alpha1.jpg": the soft round particle sprite, 128 x 128.
std::vector<NamedImage> DrawSprite();

// "overlay1.jpg", "overlay4.png", "overlay6.png": grain, vignette and light
// leak, 1024 x 576.
std::vector<NamedImage> DrawOverlays();

// "masks.png": the intro, outro and light masks in R, G and B, 1024 x 576.
std::vector<NamedImage> DrawMasks();

// "l.png": the knot logo, 512 x 512.
std::vector<NamedImage> DrawLogo();

// "demo.png", "gn.png", "code.png", "music.png" (1024 x 256) and the
// greetings "vOB2011.png" (1024 x 512). Needs the fonts of LoadFonts.
std::vector<NamedImage> DrawTextImages();

// Loads the DejaVu Sans faces from the Debian font package into the
// application's font database; false when a face is missing.
bool LoadFonts();

}  // namespace dmo_images
