// Times the raster side of G-code generation on generated inputs and prints
// wall time and peak memory (VmHWM). Each case runs in its own process so the
// peaks do not add up. Usage: bench-raster [b1|b2|b1-45]
#include "benchsupport.h"
#include "gcode/scanlinegenerator.h"
#include "import/bitmapprocessing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTextStream>

#include <cstdio>

using namespace BenchSupport;

namespace {

QImage greyIndexed(int width, int height)
{
    QImage image(width, height, QImage::Format_Indexed8);
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(i, i, i));
    image.setColorTable(palette);
    return image;
}

// B1: a filled rectangle covering 150 x 150 mm, scanned at 0.025 mm.
int filledRectangle(double angle)
{
    std::printf("B1 filled 6000 x 6000 raster at 0.025 mm, angle %g (target < 3 s, < 400 MB)\n",
                angle);
    QImage bitmap = greyIndexed(6000, 6000);
    bitmap.fill(0);
    std::printf("  bitmap ready, peak %.1f MB\n", peakMegabytes());

    ScanLineParameters parameters;
    parameters.pixelSize = 0.025f;
    parameters.overscan = 2;
    parameters.angle = angle;
    QElapsedTimer timer;
    timer.start();
    const QVector<GCodeBuffer> records = ScanLineGenerator(parameters).generate(bitmap);
    report("scan lines", timer, QStringLiteral("%1 records").arg(records.size()));
    return records.isEmpty();
}

// B2: a 100 x 100 mm photograph in grey levels at 0.05 mm.
int photograph()
{
    std::printf("B2 100 x 100 mm photograph, gray, 0.05 mm (target < 6 s, < 1.2 GB)\n");
    const QByteArray png = photographPng();
    const QString href = QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
    std::printf("  picture ready (%d KB PNG), peak %.1f MB\n", png.size() / 1024, peakMegabytes());

    QElapsedTimer timer;
    timer.start();
    // The picture at its displayed size, one pixel per design unit (0.08 mm).
    const QString processed = BitmapProcessing::gray(href, 1250, 1250);
    report("gray processing 1250 x 1250", timer);

    timer.restart();
    const QImage picture = BitmapProcessing::decodeHref(processed);
    // The group rendering resamples it to 0.05 mm pixels (factor 1.6).
    QImage bitmap = greyIndexed(2000, 2000);
    const QImage resampled = picture.convertToFormat(QImage::Format_Grayscale8)
                                     .scaled(2000, 2000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int y = 0; y < 2000; ++y)
        memcpy(bitmap.scanLine(y), resampled.constScanLine(y), 2000);
    report("decode and resample to 2000 x 2000", timer);

    ScanLineParameters parameters;
    parameters.pixelSize = 0.05f;
    parameters.overscan = 2;
    parameters.angle = 180;
    parameters.imageMode = QStringLiteral("gray");
    timer.restart();
    const QVector<GCodeBuffer> records = ScanLineGenerator(parameters).generate(bitmap);
    report("scan lines", timer, QStringLiteral("%1 records").arg(records.size()));

    timer.restart();
    const QList<GCodeBuffer> job = records.toList();
    report("copy to QList for the device thread", timer);
    return records.isEmpty() || job.isEmpty();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    return runCases(application,
                    { { "b1", [] { return filledRectangle(180); } },
                      { "b1-45", [] { return filledRectangle(45); } }, { "b2", photograph } },
                    "bench-raster [b1|b1-45|b2]");
}
