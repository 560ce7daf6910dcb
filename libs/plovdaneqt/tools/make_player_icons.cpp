// Draws the nine player-button glyphs, each in a normal and a "_blue"
// highlight colour, as 32 x 32 PNG files named "control_<name>.png" and
// "control_<name>_blue.png" in the directory given on the command line.
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

constexpr int kSize = 32;

using Glyph = std::function<void(QPainter&, const QColor&)>;

void FillTriangle(QPainter& painter, QPointF a, QPointF b, QPointF c) { painter.drawPolygon(QPolygonF({a, b, c})); }

std::vector<std::pair<const char*, Glyph>> Glyphs()
{
    return {
        {"play",
         [](QPainter& p, const QColor&) {
             FillTriangle(p, {10, 7}, {10, 25}, {25, 16});
         }},
        {"pause",
         [](QPainter& p, const QColor&) {
             p.drawRect(QRectF(9, 8, 5, 16));
             p.drawRect(QRectF(18, 8, 5, 16));
         }},
        {"stop", [](QPainter& p, const QColor&) { p.drawRect(QRectF(9, 9, 14, 14)); }},
        {"record", [](QPainter& p, const QColor&) { p.drawEllipse(QPointF(16, 16), 8, 8); }},
        {"rewind",
         [](QPainter& p, const QColor&) {
             FillTriangle(p, {16, 8}, {16, 24}, {5, 16});
             FillTriangle(p, {27, 8}, {27, 24}, {16, 16});
         }},
        {"fastforward",
         [](QPainter& p, const QColor&) {
             FillTriangle(p, {5, 8}, {5, 24}, {16, 16});
             FillTriangle(p, {16, 8}, {16, 24}, {27, 16});
         }},
        {"start",
         [](QPainter& p, const QColor&) {
             p.drawRect(QRectF(7, 8, 3, 16));
             FillTriangle(p, {24, 8}, {24, 24}, {11, 16});
         }},
        {"end",
         [](QPainter& p, const QColor&) {
             FillTriangle(p, {8, 8}, {8, 24}, {21, 16});
             p.drawRect(QRectF(22, 8, 3, 16));
         }},
        {"repeat",
         [](QPainter& p, const QColor& colour) {
             // Three quarters of a ring with an arrowhead at its open end.
             p.save();
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(colour, 3.0, Qt::SolidLine, Qt::FlatCap));
             p.drawArc(QRectF(8, 8, 16, 16), 90 * 16, 270 * 16);
             p.restore();
             FillTriangle(p, {16, 3}, {16, 13}, {22, 8});
         }},
    };
}

QImage Draw(const Glyph& glyph, const QColor& colour)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    glyph(painter, colour);
    painter.end();
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <icon directory>\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    const std::pair<const char*, QColor> variants[] = {{"", QColor(0x3c, 0x3c, 0x3c)},
                                                       {"_blue", QColor(0x1f, 0x6f, 0xd0)}};
    int failures = 0;
    for (const auto& [name, glyph] : Glyphs()) {
        for (const auto& [suffix, colour] : variants) {
            const std::string path = directory + "/control_" + name + suffix + ".png";
            if (!Draw(glyph, colour).save(QString::fromStdString(path), "PNG")) {
                std::fprintf(stderr, "Could not write %s\n", path.c_str());
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
