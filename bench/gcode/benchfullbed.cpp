// Full-bed photographs made into a job file: generation, saving the G-code
// and the preview, with the process's peak memory after each row. The rows
// grow, so each peak is that of its row or a smaller one before it.
// Targets: peak under 400 MB in every row; time per record about the same in
// every row.
// Usage: bench-fullbed [--no-preview]
#include "benchsupport.h"
#include "gcode/gcodefile.h"
#include "gcode/gcodegenerator.h"
#include "gcode/jobfile.h"
#include "gcode/previewimage.h"
#include "gcode/previewpaths.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

using namespace BenchSupport;

namespace {

// A grey picture with slow gradients and fine texture, like a photograph.
QString pictureDesign(int pixels, double millimetres, double lineInterval)
{
    QImage image(pixels, pixels, QImage::Format_Grayscale8);
    for (int j = 0; j < pixels; ++j) {
        uchar *row = image.scanLine(j);
        for (int i = 0; i < pixels; ++i)
            row[i] = uchar((i * 3 / 7 + j * 5 / 9 + ((i ^ j) & 15)) & 255);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const double units = millimetres * 12.5;
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                          "xmlns:tolvenrik='urn:tolvenrik' width='5000' height='5000'><g>"
                          "<image x='0' y='0' width='%1' height='%1' tolvenrik:image='gray' "
                          "tolvenrik:scanAccuracy='%2' tolvenrik:scanAngle='180' tolvenrik:scanTimes='1' "
                          "xlink:href='data:image/png;base64,%3'/></g></svg>")
            .arg(units)
            .arg(lineInterval)
            .arg(QString::fromLatin1(png.toBase64()));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    quietDebugOutput();
    const bool preview = !application.arguments().contains(QStringLiteral("--no-preview"));
    QTemporaryDir dir;

    struct Row
    {
        int pixels;
        double millimetres;
        double lineInterval;
    };
    for (const Row &row : { Row{ 2000, 100, 0.05 }, Row{ 4000, 200, 0.05 }, Row{ 4000, 400, 0.1 },
                            Row{ 8000, 400, 0.05 } }) {
        std::printf("%d x %d px over %.0f x %.0f mm at %.2f mm\n", row.pixels, row.pixels, row.millimetres,
                    row.millimetres, row.lineInterval);
        const QString design = pictureDesign(row.pixels, row.millimetres, row.lineInterval);

        Stopwatch step;
        GCodeGenerator generator;
        generator.setRecordLimit(GCodeGenerator::streamedRecordLimit);
        JobFile job;
        if (!job.open(dir.path())) {
            std::printf("  no job file: %s\n", qPrintable(job.errorString()));
            return 1;
        }
        generator.generate(design, job);
        const double records = double(job.size());
        std::printf("  %-10s %9.0f ms wall %9.0f ms cpu  %.1f M records, %.2f us per record, "
                    "%.0f MB file, peak %.0f MB\n",
                    "generate", step.wallMs(), step.cpuMs(), records / 1e6, step.wallMs() * 1000 / records,
                    job.bytes() / 1e6, peakMegabytes());

        step = Stopwatch();
        const QString path = dir.filePath(QStringLiteral("job.gc"));
        QString error;
        const bool saved = writeGCodeFile(path, job, &error);
        std::printf("  %-10s %9.0f ms wall %9.0f ms cpu  %s, peak %.0f MB\n", "save", step.wallMs(),
                    step.cpuMs(), saved ? "written" : qPrintable(error), peakMegabytes());
        QFile::remove(path);

        if (preview) {
            step = Stopwatch();
            PreviewPaths paths(1000);
            paths.drawJob(job);
            const QImage picture = PreviewImage::render(paths, PreviewImage::defaultWidth);
            std::printf("  %-10s %9.0f ms wall %9.0f ms cpu  (%d x %d), peak %.0f MB\n", "preview",
                        step.wallMs(), step.cpuMs(), picture.width(), picture.height(), peakMegabytes());
        }
        std::fflush(stdout);
    }
    return 0;
}
