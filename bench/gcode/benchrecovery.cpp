// Times what an interruption costs the device thread on a photograph's job:
// mapping its rows, finding the resume unit halfway, and building the resumed
// job. Prints wall time and peak memory (VmHWM). Usage: bench-recovery
#include "benchsupport.h"
#include "gcode/jobmap.h"
#include "gcode/resumejob.h"
#include "gcode/scanlinegenerator.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

using namespace BenchSupport;

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    quietDebugOutput();
    std::printf("R1 2400 x 2400 photograph in grey levels at 0.05 mm: map, resume point, resumed job\n");
    const QImage photo = QImage::fromData(photographPng()).convertToFormat(QImage::Format_Grayscale8);
    ScanLineParameters parameters;
    parameters.pixelSize = 0.05f;
    parameters.imageMode = QStringLiteral("gray");
    parameters.overscan = 2;
    ScanLineGenerator generator(parameters);
    // The laser mode comes from the job's head.
    QList<GCodeBuffer> job = generator.generate(photo).toList();
    job.prepend(GCodeBuffer::m(4));
    QElapsedTimer timer;
    timer.start();
    const JobMap map(job);
    report("map", timer, QStringLiteral("%1 records, %2 rows").arg(job.size()).arg(map.units().size()));
    timer.start();
    const int unit = map.resumeUnit(job, job.size() / 2, 16);
    if (unit < 0)
        return 1;
    report("resume point", timer, QStringLiteral("row %1").arg(map.units().at(unit).number));
    timer.start();
    const QList<GCodeBuffer> resumed = ResumeJob::build(job, map.units().at(unit));
    report("resumed job", timer, QStringLiteral("%1 records").arg(resumed.size()));
    return 0;
}
