// The titles and credits: DejaVu Sans, letter-spaced, white with a soft cyan
// glow, on a clear ground. Each picture is a list of lines (and thin rules)
// placed on baselines; the glyphs keep crisp alpha, the glow lies beneath
// them at a lower alpha.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include "glow.h"
#include "image_families.h"
#include "layer.h"
#include "palette.h"

namespace dmo_images {

namespace {

QString g_family = QStringLiteral("DejaVu Sans");

struct TextLine {
    QString text;
    bool bold;
    float pixelSize;
    float spacing;  // between letters, in font sizes
    float baseline;
    Colour colour;
};

// A thin horizontal line, bright in its middle and fading to both ends.
struct Rule {
    float y, halfLength, thickness;
};

struct TextPicture {
    std::string file;
    int width, height;
    float maxTextWidth;  // wider lines are scaled down to this
    std::vector<TextLine> lines;
    std::vector<Rule> rules;
    GlowStyle glow;
};

constexpr Colour kLabel = Mix(kWhite, kCyan, 0.55f);

QColor ToQColor(Colour c, float alpha = 1.0f)
{
    return QColor::fromRgbF(std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f), std::clamp(c.b, 0.0f, 1.0f),
                            alpha);
}

void DrawLine(QPainter& painter, const TextPicture& picture, const TextLine& line)
{
    QFont font(g_family);
    font.setPixelSize(static_cast<int>(std::lround(line.pixelSize)));
    font.setWeight(line.bold ? QFont::Bold : QFont::Normal);
    font.setLetterSpacing(QFont::AbsoluteSpacing, line.spacing * line.pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(0.0, 0.0, font, line.text);
    // Centre the ink (the trailing letter space is not ink), shrink it to the
    // allowed width, and sit it on its baseline.
    const QRectF ink = path.boundingRect();
    const qreal scale = std::min<qreal>(1.0, picture.maxTextWidth / ink.width());
    painter.save();
    painter.translate(picture.width / 2.0, line.baseline);
    painter.scale(scale, scale);
    painter.translate(-ink.center().x(), 0.0);
    painter.fillPath(path, ToQColor(line.colour));
    painter.restore();
}

void DrawRule(QPainter& painter, const TextPicture& picture, const Rule& rule)
{
    const qreal centre = picture.width / 2.0;
    QLinearGradient fade(centre - rule.halfLength, 0.0, centre + rule.halfLength, 0.0);
    fade.setColorAt(0.0, ToQColor(kLabel, 0.0f));
    fade.setColorAt(0.5, ToQColor(kWhite, 1.0f));
    fade.setColorAt(1.0, ToQColor(kLabel, 0.0f));
    painter.fillRect(
        QRectF(centre - rule.halfLength, rule.y - rule.thickness / 2.0, 2.0 * rule.halfLength, rule.thickness), fade);
}

QImage Draw(const TextPicture& picture)
{
    QImage shapes(picture.width, picture.height, QImage::Format_ARGB32_Premultiplied);
    shapes.fill(Qt::transparent);
    QPainter painter(&shapes);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const TextLine& line : picture.lines) DrawLine(painter, picture, line);
    for (const Rule& rule : picture.rules) DrawRule(painter, picture, rule);
    painter.end();
    return WithGlow(Layer::FromImage(shapes), picture.glow).ToImage(QImage::Format_ARGB32, 201);
}

GlowStyle TitleGlow()
{
    GlowStyle glow;
    glow.sigma = 5.0f;
    glow.strength = 0.55f;
    glow.wideSigma = 13.0f;
    glow.wideStrength = 0.35f;
    return glow;
}

// A credit: a small label above a large name.
TextPicture Credit(std::string file, QString label, QString name)
{
    return {std::move(file),
            1024,
            256,
            860.0f,
            {{std::move(label), false, 34.0f, 0.45f, 82.0f, kLabel},
             {std::move(name), true, 118.0f, 0.12f, 192.0f, kWhite}},
            {},
            TitleGlow()};
}

std::vector<TextPicture> Pictures()
{
    GlowStyle greetingsGlow = TitleGlow();
    greetingsGlow.sigma = 3.5f;
    greetingsGlow.wideSigma = 10.0f;

    std::vector<TextPicture> pictures;
    pictures.push_back(
        {"demo.png", 1024, 256, 900.0f, {{"TIDAL KNOTS", true, 112.0f, 0.2f, 170.0f, kWhite}}, {}, TitleGlow()});
    pictures.push_back(
        {"gn.png",
         1024,
         256,
         820.0f,
         {{"a demo by", false, 30.0f, 0.5f, 78.0f, kLabel}, {"NIMRA", true, 108.0f, 0.42f, 180.0f, kWhite}},
         {{206.0f, 230.0f, 2.0f}},
         TitleGlow()});
    pictures.push_back(Credit("code.png", "code", "halvo"));
    pictures.push_back(Credit("music.png", "music", "vellomarch"));

    TextPicture greetings{
        "vOB2011.png", 1024, 512, 880.0f, {{"greetings", true, 66.0f, 0.22f, 104.0f, kWhite}}, {{134.0f, 170.0f, 2.0f}},
        greetingsGlow};
    const char* const lines[] = {"everyone who stays up for the compo",
                                 "the tracker crowd",
                                 "all pixel pushers",
                                 "night-shift coders",
                                 "the party organisers",
                                 "everyone still awake at the back",
                                 "you, for watching"};
    float baseline = 186.0f;
    for (const char* line : lines) {
        greetings.lines.push_back({line, false, 30.0f, 0.06f, baseline, Mix(kWhite, kCyan, 0.2f)});
        baseline += 42.0f;
    }
    pictures.push_back(std::move(greetings));
    return pictures;
}

}  // namespace

bool LoadFonts()
{
    const char* const faces[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                 "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};
    for (const char* face : faces) {
        const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(face));
        if (id < 0) return false;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty()) return false;
        g_family = families.front();
    }
    return true;
}

std::vector<NamedImage> DrawTextImages()
{
    std::vector<NamedImage> images;
    for (const TextPicture& picture : Pictures()) images.push_back({picture.file, Draw(picture)});
    return images;
}

}  // namespace dmo_images
