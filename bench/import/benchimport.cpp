// Times drawing import and bitmap tracing on generated inputs and prints wall
// time, CPU time and peak memory. Usage: bench-import [dxf|texts|trace]
#include "benchsupport.h"
#include "canvas/drawingplacer.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/documenttemplate.h"
#include "import/bitmaptracer.h"
#include "import/drawingimport.h"
#include "import/dxfreader.h"

#include <QDomDocument>
#include <QApplication>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <sys/resource.h>

using namespace BenchSupport;

namespace {

// 100 000 entities of every kind the reader draws, a quarter of them in a
// block inserted 25 000 times: lines, circles, arcs, bulged polylines,
// ellipses and degree-3 splines.
QByteArray bigDxf()
{
    QByteArray text;
    QTextStream out(&text);
    auto pair = [&](int code, const QString &value) { out << code << '\n' << value << '\n'; };
    auto number = [&](int code, double value) { pair(code, QString::number(value, 'g', 10)); };
    pair(0, "SECTION");
    pair(2, "HEADER");
    pair(9, "$INSUNITS");
    number(70, 4);
    pair(0, "ENDSEC");
    pair(0, "SECTION");
    pair(2, "BLOCKS");
    pair(0, "BLOCK");
    pair(8, "0");
    pair(2, "HOLE");
    number(70, 0);
    number(10, 0);
    number(20, 0);
    pair(0, "CIRCLE");
    pair(8, "0");
    number(10, 0);
    number(20, 0);
    number(40, 1.5);
    pair(0, "ENDBLK");
    pair(8, "0");
    pair(0, "ENDSEC");
    pair(0, "SECTION");
    pair(2, "ENTITIES");
    for (int i = 0; i < 75000; ++i) {
        const double x = (i % 300) * 0.5;
        const double y = (i / 300) * 0.5;
        switch (i % 6) {
        case 0:
            pair(0, "LINE"); pair(8, "0");
            number(10, x); number(20, y); number(11, x + 0.4); number(21, y + 0.3);
            break;
        case 1:
            pair(0, "CIRCLE"); pair(8, "0");
            number(10, x); number(20, y); number(40, 0.2);
            break;
        case 2:
            pair(0, "ARC"); pair(8, "0");
            number(10, x); number(20, y); number(40, 0.2); number(50, 30); number(51, 300);
            break;
        case 3:
            pair(0, "LWPOLYLINE"); pair(8, "0"); number(90, 4); number(70, 1);
            number(10, x); number(20, y); number(42, 0.4);
            number(10, x + 0.4); number(20, y);
            number(10, x + 0.4); number(20, y + 0.4); number(42, -0.4);
            number(10, x); number(20, y + 0.4);
            break;
        case 4:
            pair(0, "ELLIPSE"); pair(8, "0");
            number(10, x); number(20, y); number(11, 0.1); number(21, 0.2);
            number(40, 0.5); number(41, 0); number(42, 6.283185307);
            break;
        default:
            pair(0, "SPLINE"); pair(8, "0"); number(70, 8); number(71, 3); number(72, 11);
            number(73, 7); number(74, 0);
            for (double k : {0, 0, 0, 0, 1, 2, 3, 4, 4, 4, 4})
                number(40, k);
            for (int p = 0; p < 7; ++p) {
                number(10, x + p * 0.06);
                number(20, y + (p % 2) * 0.3);
            }
        }
    }
    for (int i = 0; i < 25000; ++i) {
        pair(0, "INSERT"); pair(8, "0"); pair(2, "HOLE");
        number(10, (i % 160) * 1.0); number(20, 300 + (i / 160) * 1.0);
        number(50, i % 360);
    }
    pair(0, "ENDSEC");
    pair(0, "EOF");
    out.flush();
    return text;
}

int dxf()
{
    std::printf("DXF of 100 000 entities: read, converted and written as path data (target < 3 s)\n");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.dxf"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(bigDxf());
        std::printf("  file of %.1f MB written\n", file.size() / 1e6);
    }
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuSeconds();
    const ImportedDrawing drawing = DxfReader::read(path);
    report("read and converted", timer, QStringLiteral("%1 paths").arg(drawing.paths.size()));
    const QList<DrawingImport::PlacedElement> elements =
            DrawingImport::place(drawing, drawing.unit, QSizeF(2000, 2700));
    report("placed as path data", timer);
    QDomDocument design;
    design.setContent(newDocumentText());
    DrawingImport::appendToDesign(design, elements);
    report("added to a design", timer, QStringLiteral("CPU %1 s").arg(cpuSeconds() - cpu, 0, 'f', 3));

    // What Open does after the unit dialog: read again, then one element and
    // its canvas item per path.
    SVGView view;
    timer.restart();
    const double canvasCpu = cpuSeconds();
    const ImportedDrawing again = DxfReader::read(path);
    DrawingPlacer::addDrawing(view.scene(), again, again.unit);
    report("read and added to the canvas", timer,
           QStringLiteral("%1 items, CPU %2 s").arg(view.scene()->items().size())
                   .arg(cpuSeconds() - canvasCpu, 0, 'f', 3));
    return drawing.ok() ? 0 : 1;
}

// 20 000 TEXT entities of a few words each, in a text style.
int texts()
{
    std::printf("DXF of 20 000 TEXT entities: read and converted to outlines (target < 5 s)\n");
    QByteArray text;
    QTextStream out(&text);
    auto pair = [&](int code, const QString &value) { out << code << '\n' << value << '\n'; };
    pair(0, "SECTION");
    pair(2, "ENTITIES");
    for (int i = 0; i < 20000; ++i) {
        pair(0, "TEXT");
        pair(8, "0");
        pair(10, QString::number((i % 100) * 40));
        pair(20, QString::number((i / 100) * 5));
        pair(40, "2.5");
        pair(50, QString::number(i % 90));
        pair(1, QStringLiteral("Part %1 M6x20").arg(i));
    }
    pair(0, "ENDSEC");
    pair(0, "EOF");
    out.flush();
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuSeconds();
    const ImportedDrawing drawing = DxfReader::readData(text);
    report("read and converted", timer,
           QStringLiteral("%1 paths, %2 elements, CPU %3 s")
                   .arg(drawing.paths.size())
                   .arg(drawing.paths.isEmpty() ? 0 : drawing.paths.first().elementCount())
                   .arg(cpuSeconds() - cpu, 0, 'f', 3));
    return drawing.ok() ? 0 : 1;
}

// Shapes of every size, text and thin lines: what a logo or scan looks like.
QImage bigBitmap()
{
    QImage image(4000, 4000, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator random(11);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int i = 0; i < 1500; ++i) {
        const QPointF centre(random.bounded(4000.0), random.bounded(4000.0));
        const double r = 4 + random.bounded(60.0);
        if (i % 3 == 0)
            painter.drawEllipse(centre, r, r * 0.6);
        else if (i % 3 == 1)
            painter.drawRect(QRectF(centre, QSizeF(r, r * 1.5)));
        else
            painter.drawPie(QRectF(centre, QSizeF(2 * r, 2 * r)), 0, 270 * 16);
    }
    QFont font;
    font.setPixelSize(90);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int row = 0; row < 40; ++row)
        painter.drawText(QPointF(20, 100 * row + 90), QStringLiteral("Plimb traces outlines 0123456789 ABCDEFGHIJ"));
    painter.end();
    return image;
}

int trace()
{
    std::printf("Tracing a 4000 x 4000 bitmap (target: at most 1.2 x the potrace program)\n");
    const QImage bitmap = bigBitmap();
    QTemporaryDir dir;
    const QString pbm = dir.filePath(QStringLiteral("big.pbm"));
    bitmap.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).save(pbm, "PBM");

    // Best of three on each side: the machine is shared. The colour picture
    // and its 1-bit form, as users trace both.
    const QImage mono = bitmap.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    double ours = 1e9, oursCpu = 0;
    double monoWall = 1e9, monoCpu = 0;
    int paths = 0;
    for (int run = 0; run < 3; ++run) {
        for (const QImage *picture : {&bitmap, &mono}) {
            QElapsedTimer timer;
            timer.start();
            const double cpu = cpuSeconds();
            paths = BitmapTracer::tracePathList(*picture).size();
            const double wall = timer.nsecsElapsed() / 1e9;
            double &best = picture == &bitmap ? ours : monoWall;
            if (wall < best) {
                best = wall;
                (picture == &bitmap ? oursCpu : monoCpu) = cpuSeconds() - cpu;
            }
        }
    }
    std::printf("  %-34s %8.3f s   CPU %.3f s   %d paths\n", "tracePathList, 32-bit colour", ours,
                oursCpu, paths);
    std::printf("  %-34s %8.3f s   CPU %.3f s\n", "tracePathList, 1-bit", monoWall, monoCpu);

    const QString program = QStandardPaths::findExecutable(QStringLiteral("potrace"));
    if (program.isEmpty()) {
        std::printf("  potrace program not installed (scripts/deps.sh): comparison skipped\n");
        return 0;
    }
    double theirs = 1e9, theirsCpu = 0;
    for (int run = 0; run < 3; ++run) {
        rusage before;
        getrusage(RUSAGE_CHILDREN, &before);
        QElapsedTimer timer;
        timer.start();
        QProcess::execute(program, {QStringLiteral("-s"), pbm, QStringLiteral("-o"),
                                    dir.filePath(QStringLiteral("big.svg"))});
        const double wall = timer.nsecsElapsed() / 1e9;
        rusage after;
        getrusage(RUSAGE_CHILDREN, &after);
        auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
        const double cpu = seconds(after.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_utime)
                - seconds(before.ru_stime);
        if (wall < theirs) {
            theirs = wall;
            theirsCpu = cpu;
        }
    }
    std::printf("  %-34s %8.3f s   CPU %.3f s\n", "potrace -s (PBM in, SVG out)", theirs, theirsCpu);
    std::printf("  colour: ratio wall %.2f, CPU %.2f (target <= 1.2)\n", ours / theirs,
                theirsCpu > 0 ? oursCpu / theirsCpu : 0.0);
    std::printf("  1-bit:  ratio wall %.2f, CPU %.2f (target <= 1.2)\n", monoWall / theirs,
                theirsCpu > 0 ? monoCpu / theirsCpu : 0.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quietDebugOutput();
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (which == QLatin1String("dxf"))
        return dxf();
    if (which == QLatin1String("trace"))
        return trace();
    if (which == QLatin1String("texts"))
        return texts();
    int failed = 0;
    for (const char *name : {"dxf", "texts", "trace"}) {
        // Each case in its own process, so the peaks do not add up.
        failed |= QProcess::execute(QCoreApplication::applicationFilePath(), {QString::fromLatin1(name)});
    }
    return failed;
}
