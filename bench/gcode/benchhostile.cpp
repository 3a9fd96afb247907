// Times jobs of designs that are hard on the generator rather than large:
// outlines stacked by the thousand on a few spots, and filled paths longer
// than the SVG renderer reads. Prints wall and CPU time and peak memory; each
// case runs in its own process. Usage: bench-hostile [h1|h2]
#include "benchsupport.h"
#include "gcode/gcodegenerator.h"

#include <QGuiApplication>

#include <cmath>
#include <cstdio>

using namespace BenchSupport;

namespace {

int run(const QString &text)
{
    std::printf("  design text %.1f MB\n", text.size() / 1e6);
    GCodeGenerator generator;
    const Stopwatch watch;
    const QVector<GCodeBuffer> job = generator.generate(text);
    const GCodeGenerator::Summary &summary = generator.summary();
    std::printf("  %-20s wall %8.3f s   CPU %8.3f s   peak %7.1f MB  %d records, %d raster groups, %d outlines\n",
                "generate", watch.wallMs() / 1000, watch.cpuMs() / 1000, peakMegabytes(), summary.records,
                summary.rasterGroups, summary.outlines);
    for (const QString &note : summary.notes)
        std::printf("  note: %s\n", qPrintable(note));
    return job.isEmpty() ? 1 : 0;
}

// H1: a "use" doubling 20 levels deep over a short cut path: the expansion
// limit leaves half a million outlines on 21 spots.
int stackedOutlines()
{
    std::printf("H1 20-level use doubling of a cut path (target well under 35 s CPU)\n");
    QString d = QStringLiteral("M0,0");
    for (int i = 1; i < 4; ++i)
        d += QStringLiteral(" L%1,%2").arg(i % 50).arg(i % 7);
    QString body = QStringLiteral("<defs><path id='l0' style='fill:none;stroke:#000000' d='%1'/>").arg(d);
    for (int i = 1; i <= 20; ++i)
        body += QStringLiteral("<g id='l%1'><use xlink:href='#l%2'/><use xlink:href='#l%2' x='1'/></g>")
                        .arg(i)
                        .arg(i - 1);
    body += QStringLiteral("</defs><use xlink:href='#l20'/>");
    return run(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                              "xmlns:tolvenrik='urn:tolvenrik' width='2000' height='2000'><g>%1</g></svg>")
                       .arg(body));
}

// H2: one filled outline of 300 000 segments, 240 x 240 mm, at 0.1 mm.
int longFilledPath()
{
    std::printf("H2 filled path of 300 000 segments, 240 mm across, 0.1 mm\n");
    QString d = QStringLiteral("M");
    d.reserve(300000 * 20);
    for (int i = 0; i < 300000; ++i) {
        const double a = 2 * M_PI * i / 300000;
        const double r = 1400 + 60 * std::sin(50 * a);
        d += QString::number(1500 + r * std::cos(a), 'f', 2) + QLatin1Char(',')
                + QString::number(1500 + r * std::sin(a), 'f', 2) + QLatin1Char(' ');
    }
    return run(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' "
                              "width='3000' height='3000'><g><path style='fill:#000000' "
                              "tolvenrik:scanAccuracy='0.1' d='%1Z'/></g></svg>")
                       .arg(d));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication application(argc, argv);
    quietDebugOutput();
    return runCases(application, { { "h1", stackedOutlines }, { "h2", longFilledPath } },
                    "bench-hostile [h1|h2]");
}
