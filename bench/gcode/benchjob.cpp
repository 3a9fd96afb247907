// Times whole jobs through GCodeGenerator::generate on generated designs and
// prints wall time and peak memory (VmHWM). Each case runs in its own process
// so the peaks do not add up. Usage: bench-job [b1|b2|b3|b4|b5|b6]
#include "benchsupport.h"
#include "gcode/gcodefile.h"
#include "gcode/gcodegenerator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

using namespace BenchSupport;

namespace {

QString design(double widthMm, double heightMm, const QString &body)
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink' xmlns:tolvenrik='urn:tolvenrik' "
                          "width='%1' height='%2'><g tolvenrik:label='label 1'>%3</g></svg>")
            .arg(widthMm * 12.5)
            .arg(heightMm * 12.5)
            .arg(body);
}

int run(const QString &text)
{
    std::printf("  design text %.1f MB\n", text.size() / 1e6);
    GCodeGenerator generator;
    QElapsedTimer timer;
    timer.start();
    const QVector<GCodeBuffer> job = generator.generate(text);
    const GCodeGenerator::Summary &summary = generator.summary();
    report("generate", timer,
           QStringLiteral("%1 records, %2 raster groups, %3 outlines")
                   .arg(summary.records)
                   .arg(summary.rasterGroups)
                   .arg(summary.outlines));
    for (const QString &note : summary.notes)
        std::printf("  note: %s\n", qPrintable(note));

    timer.restart();
    const QString path = QDir::temp().filePath(QStringLiteral("bench-job.gc"));
    const bool written = writeGCodeFile(path, job);
    report("write .gc file", timer,
           QStringLiteral("%1 MB").arg(QFileInfo(path).size() / 1e6, 0, 'f', 1));
    QFile::remove(path);
    return written && !job.isEmpty() ? 0 : 1;
}

// B1: a filled rectangle covering 150 x 150 mm at 0.025 mm (6000 x 6000 raster).
int filledRectangle()
{
    std::printf("B1 filled 150 x 150 mm rectangle at 0.025 mm, angle 180 (target < 3 s, < 400 MB)\n");
    return run(design(150, 150,
                      "<rect x='0' y='0' width='1875' height='1875' style='fill:#80000000' "
                      "tolvenrik:scanAccuracy='0.025' tolvenrik:scanAngle='180' "
                      "tolvenrik:scanBuffer='2'/>"));
}

// B2: a 100 x 100 mm greyscale photograph in "gray" mode at 0.05 mm.
int photograph()
{
    std::printf("B2 100 x 100 mm photograph, gray, 0.05 mm (target < 6 s, < 1.2 GB)\n");
    const QByteArray png = photographPng();
    return run(design(100, 100,
                      "<image x='0' y='0' width='1250' height='1250' tolvenrik:image='gray' "
                      "tolvenrik:scanAccuracy='0.05' tolvenrik:scanAngle='180' "
                      "tolvenrik:scanBuffer='2' xlink:href='data:image/png;base64,"
                              + QString::fromLatin1(png.toBase64()) + "'/>"));
}

// B3: 5 000 small closed outlines on a grid, every fifth cell a frame with a
// shape inside it.
int outlines()
{
    std::printf("B3 5 000 outline paths on a grid, some nested (target < 2 s)\n");
    QString body;
    int count = 0;
    for (int cell = 0; count < 5000; ++cell) {
        const double x = (cell % 80) * 20 + 5;
        const double y = (cell / 80) * 20 + 5;
        const QString attributes = QStringLiteral(" style='fill:none' tolvenrik:scanSpeed='60'/>");
        switch (cell % 5) {
        case 0:
            body += QStringLiteral("<rect x='%1' y='%2' width='14' height='14'").arg(x).arg(y) + attributes;
            body += QStringLiteral("<circle cx='%1' cy='%2' r='4'").arg(x + 7).arg(y + 7) + attributes;
            count += 2;
            break;
        case 1:
            body += QStringLiteral("<ellipse cx='%1' cy='%2' rx='7' ry='4'").arg(x + 7).arg(y + 7)
                    + attributes;
            ++count;
            break;
        case 2:
            body += QStringLiteral("<path d='M %1 %2 l 14 0 l -7 12 z'").arg(x).arg(y) + attributes;
            ++count;
            break;
        case 3:
            body += QStringLiteral("<path d='M %1 %2 c 0 -8 14 -8 14 0 c 0 8 -14 8 -14 0 z'")
                            .arg(x)
                            .arg(y + 7)
                    + attributes;
            ++count;
            break;
        default:
            body += QStringLiteral("<polygon points='%1,%2 %3,%2 %3,%4 %1,%4'")
                            .arg(x)
                            .arg(y)
                            .arg(x + 12)
                            .arg(y + 12)
                    + attributes;
            ++count;
        }
    }
    return run(design(140, 140, body));
}

// B4: 2 000 characters of text in outline mode, 20 lines of 100.
int text()
{
    std::printf("B4 2 000 characters of text in outline mode (target < 2 s)\n");
    const QString line = QStringLiteral("Plimb cuts every glyph outline: 0123456789 abcdefghij "
                                        "ABCDEFGHIJ klmnopqrst KLMNOPQRST uvwxyz UVWXYZ!? ");
    QString body;
    for (int i = 0; i < 20; ++i)
        body += QStringLiteral("<text x='20' y='%1' style='font-size:20px;font-family:sans-serif;"
                               "fill:none'>%2</text>")
                        .arg(20 + i * 40)
                        .arg(line.left(100));
    return run(design(200, 80, body));
}

// B5: a drawing from another program: 20 000 "use" instances of one symbol,
// its paint from a style sheet class.
int useInstances()
{
    std::printf("B5 20 000 use instances of one symbol, style sheet paint (target < 2 s)\n");
    QString body = QStringLiteral("<style>.cut { fill: none; stroke: #000 }</style>"
                                  "<defs><symbol id='mark' viewBox='0 0 10 10'>"
                                  "<path class='cut' d='M 1 1 L 9 1 L 9 9 L 1 9 Z'/>"
                                  "<circle class='cut' cx='5' cy='5' r='3'/></symbol></defs>");
    for (int i = 0; i < 20000; ++i)
        body += QStringLiteral("<use href='#mark' x='%1' y='%2' width='8' height='8'/>")
                        .arg((i % 200) * 10)
                        .arg((i / 200) * 10);
    return run(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='2000' height='1000'>%1</svg>")
                       .arg(body));
}

// B6: the shape of a PDF export: 20 000 paths, each clipped by its own
// rectangle, half of them filled and half cut as outlines.
int clippedPaths()
{
    std::printf("B6 20 000 paths each clipped by its own rectangle (target < 3 s)\n");
    QString body;
    for (int i = 0; i < 20000; ++i) {
        const int x = (i % 200) * 10;
        const int y = (i / 200) * 10;
        body += QStringLiteral("<clipPath id='c%1'><rect x='%2' y='%3' width='6' height='6'/></clipPath>"
                               "<path clip-path='url(#c%1)' d='M %2 %3 l 8 0 l 0 8 l -8 0 z' %4/>")
                        .arg(i)
                        .arg(x)
                        .arg(y)
                        .arg(i % 2 ? QStringLiteral("fill='none' stroke='#000'") : QStringLiteral("fill='#000'"));
    }
    return run(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='2000' height='1000'>%1</svg>")
                       .arg(body));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication application(argc, argv);
    quietDebugOutput();
    return runCases(application,
                    { { "b1", filledRectangle }, { "b2", photograph }, { "b3", outlines }, { "b4", text },
                      { "b5", useInstances }, { "b6", clippedPaths } },
                    "bench-job [b1|b2|b3|b4|b5|b6]");
}
