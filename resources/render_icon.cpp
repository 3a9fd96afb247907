// Build-time helper: renders one SVG icon source to a square PNG, 64 x 64
// unless a size is given (the desktop icon is installed at several sizes).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int size = argc == 4 ? std::atoi(argv[3]) : 64;
    if ((argc != 3 && argc != 4) || size <= 0 || size > 4096) {
        std::fprintf(stderr, "usage: plimb-render-icon SOURCE.svg TARGET.png [SIZE]\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
