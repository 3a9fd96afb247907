// A 20 x 20 material test grid with labels in each mode: making the design,
// generating its job, drawing the preview and estimating the time. Target:
// under 2 s for the three together.
// Usage: bench-testgrid
#include "benchsupport.h"
#include "gcode/gcodegenerator.h"
#include "gcode/jobtimeestimator.h"
#include "gcode/previewimage.h"
#include "gcode/previewpaths.h"
#include "material/testgrid.h"

#include <QGuiApplication>

#include <cstdio>

using namespace BenchSupport;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication application(argc, argv);
    quietDebugOutput();

    for (const TestGrid::Mode mode : {TestGrid::Mode::Outline, TestGrid::Mode::Fill, TestGrid::Mode::GreyPicture}) {
        TestGrid::Settings settings;
        settings.rows = {5, 100, 20};
        settings.columns = {5, 100, 20};
        settings.mode = mode;
        settings.labels = true;
        std::printf("20 x 20 grid, %s, 5 mm cells, 0.1 mm lines, labels\n",
                    qPrintable(TestGrid::modeName(mode)));
        const Stopwatch total;

        Stopwatch step;
        const QString design = TestGrid::designText(settings);
        std::printf("  %-20s %9.1f ms wall %9.1f ms cpu  (%d characters)\n", "design", step.wallMs(),
                    step.cpuMs(), int(design.size()));

        step = Stopwatch();
        GCodeGenerator generator;
        const QVector<GCodeBuffer> job = generator.generate(design);
        std::printf("  %-20s %9.1f ms wall %9.1f ms cpu  (%d records, %d raster groups)\n", "generate",
                    step.wallMs(), step.cpuMs(), int(job.size()), generator.summary().rasterGroups);

        step = Stopwatch();
        PreviewPaths paths(1000);
        paths.draw(job);
        const QImage picture = PreviewImage::render(paths, PreviewImage::defaultWidth);
        std::printf("  %-20s %9.1f ms wall %9.1f ms cpu  (%d x %d)\n", "preview", step.wallMs(), step.cpuMs(),
                    picture.width(), picture.height());

        step = Stopwatch();
        const double seconds = JobTimeEstimator::estimate(job).seconds;
        std::printf("  %-20s %9.1f ms wall %9.1f ms cpu  (%s to engrave)\n", "estimate", step.wallMs(),
                    step.cpuMs(), qPrintable(JobTimeEstimator::formatDuration(seconds)));
        std::printf("  %-20s %9.1f ms wall %9.1f ms cpu  (target 2000 ms)  peak %.1f MB\n", "total",
                    total.wallMs(), total.cpuMs(), peakMegabytes());
        std::fflush(stdout);
    }
    return 0;
}
