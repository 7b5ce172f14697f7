// Renders an SVG picture into a PNG of the given size. The program ships the
// PNGs, so it needs neither the SVG module nor its plugins at run time.
//   svg2png input.svg output.png width height

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: svg2png input.svg output.png width height\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int w = std::atoi(argv[3]);
    const int h = std::atoi(argv[4]);
    if (!svg.isValid() || w <= 0 || h <= 0) {
        std::fprintf(stderr, "svg2png: cannot render %s\n", argv[1]);
        return 1;
    }
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    return img.save(QString::fromLocal8Bit(argv[2]), "PNG", 9) ? 0 : 1;
}
