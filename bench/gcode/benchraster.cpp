// Times the raster side of G-code generation on generated inputs and prints
// wall time and peak memory (VmHWM). Each case runs in its own process so the
// peaks do not add up. Usage: bench-raster [b1|b2|b1-45]
#include "gcode/scanlinegenerator.h"
#include "import/bitmapprocessing.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

void report(const char *step, const QElapsedTimer &timer, const QString &extra = QString())
{
    std::printf("  %-34s %8.3f s   peak %7.1f MB  %s\n", step, timer.nsecsElapsed() / 1e9,
                peakMegabytes(), qPrintable(extra));
    std::fflush(stdout);
}

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
    // A camera-sized picture: gradients, rings and sensor noise.
    QImage photo(2400, 2400, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const double ring = 0.5 + 0.5 * std::sin(std::hypot(x - 1200, y - 900) / 40.0);
            const int noise = int(random.bounded(24)) - 12;
            const int r = qBound(0, int(255 * x / 2400.0 * 0.6 + 100 * ring) + noise, 255);
            const int g = qBound(0, int(255 * y / 2400.0 * 0.5 + 80 * ring) + noise, 255);
            const int b = qBound(0, int(180 * ring) + noise, 255);
            line[x] = qRgb(r, g, b);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    const QString href = QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
    photo = QImage();
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
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty()) {
        int failures = 0;
        for (const char *name : {"b1", "b1-45", "b2"})
            failures += QProcess::execute(application.applicationFilePath(),
                                          {QLatin1String(name)}) != 0;
        return failures;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("b1"))
        return filledRectangle(180);
    if (name == QLatin1String("b1-45"))
        return filledRectangle(45);
    if (name == QLatin1String("b2"))
        return photograph();
    std::fprintf(stderr, "usage: bench-raster [b1|b1-45|b2]\n");
    return 2;
}
