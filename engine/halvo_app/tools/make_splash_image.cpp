// Draws the default splash image of the Qt GL application:
//   hlv_app_make_splash_image <file.png>
// The committed resources/splash.png comes from it.
#include <cmath>
#include <cstdio>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.png>\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);

    QImage image(600, 200, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, image.height());
    background.setColorAt(0.0, QColor(12, 18, 38));
    background.setColorAt(1.0, QColor(28, 74, 110));
    painter.fillRect(image.rect(), background);

    // A few swells across the picture.
    for (int wave = 0; wave < 5; ++wave) {
        QPainterPath path;
        const double base = 70.0 + wave * 24.0;
        for (int x = 0; x <= image.width(); x += 4) {
            const double phase = x / 60.0 + wave * 0.9;
            const QPointF point(x, base + 10.0 * std::sin(phase) * (1.0 - wave * 0.12));
            if (x == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        painter.setPen(QPen(QColor(120 + wave * 20, 200, 230, 200 - wave * 30), 2.0));
        painter.drawPath(path);
    }
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
