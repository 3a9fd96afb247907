// Loads designs the way the Open command does and prints the time until the
// element tree and every graphics item exist, with the process's peak memory.
//
//   bench-loaddesign paths N      generated design of N path elements
//   bench-loaddesign photo W H    one embedded W x H photo-like PNG
//   bench-loaddesign big MB       a generated file of about MB megabytes
//   bench-loaddesign files F...   every file given: loaded, failed and why
//
// Peak memory (VmHWM) covers the whole process, so run one size per call.
#include "benchsupport.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QApplication>
#include <QBuffer>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsItem>
#include <QImage>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

using namespace BenchSupport;

namespace {

const char *header = "<svg xmlns='http://www.w3.org/2000/svg' "
                     "xmlns:xlink='http://www.w3.org/1999/xlink' width='2000' height='2000'>\n<g>\n";

QByteArray pathsDesign(int count)
{
    QByteArray text = header;
    QRandomGenerator random(7);
    for (int i = 0; i < count; ++i) {
        const int x = random.bounded(1800);
        const int y = random.bounded(1800);
        text += "<path style='fill:none;stroke:#000000;stroke-width:0.264583' d='m " + QByteArray::number(x)
                + "," + QByteArray::number(y) + " c 10,-20 30,-20 40,0 l 0,30 -40,0 z'/>\n";
    }
    return text + "</g>\n</svg>\n";
}

QByteArray photoDesign(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(40));
            line[x] = qRgb((x * 255 / width + noise) & 255, (y * 255 / height + noise) & 255, noise * 4);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    return QByteArray(header) + "<image x='0' y='0' width='" + QByteArray::number(width / 2)
           + "' height='" + QByteArray::number(height / 2)
           + "' tolvenrik:image='gray' xlink:href='data:image/png;base64," + png.toBase64()
           + "'/>\n</g>\n</svg>\n";
}

// About `megabytes` of mixed shapes with long path data.
QByteArray bigDesign(int megabytes)
{
    QByteArray text = header;
    QByteArray data = "M 0,0";
    for (int i = 0; i < 2000; ++i)
        data += " L " + QByteArray::number(i % 97) + "," + QByteArray::number(i % 89);
    int n = 0;
    while (text.size() < megabytes * 1000000) {
        text += "<path id='p" + QByteArray::number(n++) + "' d='" + data + "'/>\n";
        text += "<rect x='" + QByteArray::number(n % 1000) + "' width='10' height='10' fill='red'/>\n";
    }
    return text + "</g>\n</svg>\n";
}

int countItems(SVGView &view)
{
    return view.scene()->items().size();
}

// Shapes in the DOM, and shape items on the canvas.
int drawableElements(SVGView &view)
{
    static const QStringList tags{"rect", "circle", "ellipse", "line", "polyline",
                                  "polygon", "path", "text", "image"};
    int count = 0;
    for (const QString &tag : tags)
        count += view.document()->domDocument().elementsByTagName(tag).count();
    return count;
}

int drawableItems(SVGView &view)
{
    int count = 0;
    for (QGraphicsItem *item : view.scene()->items()) {
        const Node *node = static_cast<const Node *>(item->data(0).value<void *>());
        if (node && node->type() >= NodeType::Rect && node->type() <= NodeType::Image
            && node->type() != NodeType::A)
            ++count;
    }
    return count;
}

bool timeLoad(const QString &path, const QString &label)
{
    SVGView view;
    view.setSceneBound(1875, 1875);
    QElapsedTimer timer;
    timer.start();
    const bool opened = view.openFile(path);
    const double ms = milliseconds(timer);
    std::printf("%s: %s in %.0f ms, %d items, peak memory %.1f MB\n", qPrintable(label),
                opened ? "loaded" : "not opened", ms, countItems(view), peakMegabytes());
    return opened;
}

QString writeTemporary(QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath(QStringLiteral("design.svg"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

int loadFiles(const QStringList &files)
{
    QMap<QString, int> reasons;
    int loaded = 0;
    int totalItems = 0;
    QElapsedTimer timer;
    timer.start();
    SVGView view;
    for (const QString &path : files) {
        QFile file(path);
        QString reason;
        if (!file.open(QIODevice::ReadOnly)) {
            reason = QStringLiteral("unreadable");
        } else {
            QDomDocument check;
            QString error;
            if (!check.setContent(file.readAll(), false, &error))
                reason = QStringLiteral("XML error: ") + error;
            else if (check.documentElement().tagName() != QLatin1String("svg"))
                reason = QStringLiteral("root is <") + check.documentElement().tagName() + ">";
        }
        if (!view.openFile(path) && reason.isEmpty())
            reason = QStringLiteral("not opened");
        if (reason.isEmpty() && !view.document()->svgElement())
            reason = QStringLiteral("no svg element");
        if (reason.isEmpty() && drawableElements(view) > 0 && drawableItems(view) == 0)
            reason = QStringLiteral("loaded, but none of its shapes is on the canvas");
        if (reason.isEmpty() && !view.currentLayer())
            reason = QStringLiteral("loaded and shown, but no g to draw into");
        if (reason.isEmpty()) {
            ++loaded;
            totalItems += countItems(view);
        } else {
            ++reasons[reason];
            std::printf("  %s: %s\n", qPrintable(path), qPrintable(reason));
        }
    }
    std::printf("%d files: %d loaded with a drawing layer (%d items in all), %d otherwise, "
                "%.0f ms, peak memory %.1f MB\n",
                int(files.size()), loaded, totalItems, int(files.size()) - loaded,
                milliseconds(timer), peakMegabytes());
    for (auto it = reasons.constBegin(); it != reasons.constEnd(); ++it)
        std::printf("  %4d  %s\n", it.value(), qPrintable(it.key()));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTemporaryDir dir;
    if (args.size() == 2 && args.at(0) == QLatin1String("paths")) {
        const int count = args.at(1).toInt();
        return timeLoad(writeTemporary(dir, pathsDesign(count)), QStringLiteral("%1 paths").arg(count)) ? 0 : 1;
    }
    if (args.size() == 3 && args.at(0) == QLatin1String("photo")) {
        const int width = args.at(1).toInt();
        const int height = args.at(2).toInt();
        const QString path = writeTemporary(dir, photoDesign(width, height));
        return timeLoad(path, QStringLiteral("%1 x %2 photo (%3 MB file)")
                                      .arg(width).arg(height).arg(QFileInfo(path).size() / 1e6, 0, 'f', 1))
                       ? 0 : 1;
    }
    if (args.size() == 2 && args.at(0) == QLatin1String("big")) {
        const QString path = writeTemporary(dir, bigDesign(args.at(1).toInt()));
        return timeLoad(path, QStringLiteral("%1 MB file").arg(QFileInfo(path).size() / 1e6, 0, 'f', 1)) ? 0 : 1;
    }
    if (args.size() >= 2 && args.at(0) == QLatin1String("files"))
        return loadFiles(args.mid(1));
    std::fprintf(stderr, "usage: bench-loaddesign paths N | photo W H | big MB | files F...\n");
    return 2;
}
