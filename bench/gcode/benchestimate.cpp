// The job time estimate of the B2 photograph in the background: how long it
// takes, what the time of every record costs in memory, and what a burst of
// edits costs when each new request supersedes the running one, and what
// reading the design's text costs the window's thread.
// Usage: bench-estimate
#include "benchsupport.h"
#include "document/svgdocument.h"
#include "gcode/backgroundestimate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

using namespace BenchSupport;

namespace {

// Waits for the next report; its seconds and the size of its record times.
std::pair<double, int> waitForEstimate(BackgroundEstimate &background)
{
    QEventLoop loop;
    std::pair<double, int> result;
    const QMetaObject::Connection c = QObject::connect(
            &background, &BackgroundEstimate::estimated,
            [&](int, const JobTimeEstimator::Estimate &estimate, const QVector<float> &times) {
                result = {estimate.seconds, times.size()};
                loop.quit();
            });
    loop.exec();
    QObject::disconnect(c);
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    quietDebugOutput();
    const QString svg = photographDesign();
    const GCodeGenerator generator;
    BackgroundEstimate background;
    std::printf("B2 100 x 100 mm photograph, gray, 0.05 mm, in the background\n");

    // What the window's thread pays per estimate: a copy of the document
    // (the worker writes its text), against writing the text itself.
    QElapsedTimer timer;
    QDomDocument copy;
    {
        const SVGDocument document(svg);
        timer.start();
        copy = document.domDocument().cloneNode(true).toDocument();
        std::printf("  %-34s %8.1f ms  (on the window's thread)\n", "document copy",
                    milliseconds(timer));
        timer.restart();
        const int length = document.toSvgText().size();
        std::printf("  %-34s %8.1f ms  (%d characters, for comparison)\n", "design text",
                    milliseconds(timer), length);
    }

    timer.restart();
    double cpu = cpuSeconds();
    background.requestDesign(generator, copy, JobTimeEstimator::Machine());
    const double seconds = waitForEstimate(background).first;
    report("design estimate", timer, QStringLiteral("job %1, cpu %2 s")
                                             .arg(JobTimeEstimator::formatDuration(seconds))
                                             .arg(cpuSeconds() - cpu, 0, 'f', 2));

    const QVector<GCodeBuffer> job = GCodeGenerator(generator).generate(svg);
    timer.restart();
    cpu = cpuSeconds();
    background.requestJob(job, JobTimeEstimator::Machine());
    const int times = waitForEstimate(background).second;
    report("job estimate with record times", timer,
           QStringLiteral("%1 records, %2 MB of times, cpu %3 s")
                   .arg(job.size())
                   .arg(times * sizeof(float) / 1e6, 0, 'f', 1)
                   .arg(cpuSeconds() - cpu, 0, 'f', 2));

    // Ten edits 100 ms apart, each superseding the computation before it.
    timer.restart();
    cpu = cpuSeconds();
    for (int i = 0; i < 10; ++i) {
        background.requestDesign(generator, svg, JobTimeEstimator::Machine());
        QEventLoop pause;
        QTimer::singleShot(100, &pause, &QEventLoop::quit);
        pause.exec();
    }
    waitForEstimate(background);
    report("ten superseding requests", timer,
           QStringLiteral("cpu %1 s (one estimate alone above)").arg(cpuSeconds() - cpu, 0, 'f', 2));
    return 0;
}
