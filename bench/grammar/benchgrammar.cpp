// Throughput of the attribute grammars on generated input: a traced-photo-like
// path of 1 MB and 10 MB, and a mix of 100 000 style and transform values.
// Prints figures; run by hand from the build folder.

#include "benchsupport.h"
#include "document/svggrammar.h"

#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>

using BenchSupport::cpuSeconds;

namespace {

// Compact relative path data as tracers write it: many short cubic and line
// segments, numbers glued by their signs and leading dots ("c-1.2.4-2.6 1.9").
QString tracedPath(int bytes, quint32 seed)
{
    QRandomGenerator random(seed);
    QString d;
    d.reserve(bytes + 64);
    auto number = [&](QString &out, bool separate) {
        const double v = (int(random.bounded(4000)) - 2000) / 100.0;
        QString text = QString::number(v, 'f', v == int(v) ? 0 : 2);
        if (text.startsWith(QLatin1String("0.")))
            text.remove(0, 1);
        else if (text.startsWith(QLatin1String("-0.")))
            text.remove(1, 1);
        if (separate && !text.startsWith(QLatin1Char('-')))
            out += QLatin1Char(' ');
        out += text;
    };
    while (d.size() < bytes) {
        d += QStringLiteral("M%1 %2").arg(random.bounded(3000)).arg(random.bounded(3000));
        const int segments = 20 + int(random.bounded(200));
        for (int s = 0; s < segments; ++s) {
            const bool curve = random.bounded(4) != 0;
            d += curve ? QLatin1Char('c') : QLatin1Char('l');
            const int groups = 1 + int(random.bounded(4));
            for (int g = 0; g < groups; ++g) {
                for (int i = 0; i < (curve ? 6 : 2); ++i)
                    number(d, i > 0 || g > 0);
            }
        }
        d += QLatin1Char('z');
    }
    return d;
}

// Best of `runs` CPU times in seconds: the machine is shared, and CPU time
// is what the parser costs, not what the neighbours cost.
template<typename F>
double bestOf(int runs, F work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const double start = cpuSeconds();
        work();
        best = std::min(best, cpuSeconds() - start);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    // "path" or "mix" runs one half only (handy under a profiler).
    const QByteArray only = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    QTextStream out(stdout);
    if (only != "mix") {
    const QString small = tracedPath(1 << 20, 1);
    const QString large = tracedPath(10 << 20, 2);

    int elements = 0;
    const double smallTime = bestOf(7, [&] { elements = SvgGrammar::parsePath(small).elementCount(); });
    const int smallElements = elements;
    const double largeTime = bestOf(3, [&] { elements = SvgGrammar::parsePath(large).elementCount(); });
    const double mb = 1024.0 * 1024.0;
    out << QStringLiteral("path  1 MB: %1 chars, %2 elements, %3 ms, %4 MB/s\n")
               .arg(small.size()).arg(smallElements).arg(smallTime * 1e3, 0, 'f', 1).arg(small.size() / mb / smallTime, 0, 'f', 1);
    out << QStringLiteral("path 10 MB: %1 chars, %2 elements, %3 ms, %4 MB/s\n")
               .arg(large.size()).arg(elements).arg(largeTime * 1e3, 0, 'f', 1).arg(large.size() / mb / largeTime, 0, 'f', 1);
    out << QStringLiteral("10x data took %1x the time (per byte: %2)\n")
               .arg(largeTime / smallTime, 0, 'f', 2)
               .arg((largeTime / large.size()) / (smallTime / small.size()), 0, 'f', 2);

    }
    if (only == "path")
        return 0;

    // A mix of the values the document reads and writes for every element.
    QRandomGenerator random(3);
    const int count = 100000;
    QStringList styles;
    QStringList transforms;
    for (int i = 0; i < count; ++i) {
        styles << QStringLiteral("fill:#%1;stroke:rgb(%2,%3,0);stroke-width:%4mm;font-size:%5pt;font-family:Sans")
                      .arg(random.bounded(0x1000000), 6, 16, QLatin1Char('0'))
                      .arg(random.bounded(256)).arg(random.bounded(256))
                      .arg(random.bounded(100) / 10.0).arg(6 + random.bounded(30));
        transforms << QStringLiteral("translate(%1,%2) rotate(%3 %4 %5) scale(%6)")
                          .arg(random.bounded(5000) / 7.0).arg(random.bounded(5000) / 3.0)
                          .arg(random.bounded(360)).arg(random.bounded(100)).arg(random.bounded(100))
                          .arg(0.5 + random.bounded(100) / 50.0);
    }
    qint64 sink = 0;
    const double mixTime = bestOf(3, [&] {
        for (int i = 0; i < count; ++i) {
            const SvgGrammar::StyleMap style = SvgGrammar::parseStyleText(styles.at(i));
            sink += SvgGrammar::parseColor(style.value(QStringLiteral("fill"))).color().red();
            sink += SvgGrammar::parseColor(style.value(QStringLiteral("stroke"))).color().green();
            sink += qint64(SvgGrammar::parseLength(style.value(QStringLiteral("stroke-width"))));
            sink += qint64(SvgGrammar::styleFontSize(style));
            sink += SvgGrammar::styleToString(style).size();
            sink += qint64(SvgGrammar::parseTransform(transforms.at(i)).dx());
            QString moved = transforms.at(i);
            SvgGrammar::prependTranslate(moved, QStringLiteral("translate(1.5,2.5)"));
            SvgGrammar::prependTransformAsMatrix(moved, QStringLiteral("scale(1.1)"));
            sink += moved.size();
        }
    });
    out << QStringLiteral("style/transform mix: %1 elements in %2 ms, %3 elements/s (checksum %4)\n")
               .arg(count).arg(mixTime * 1e3, 0, 'f', 1).arg(count / mixTime, 0, 'f', 0).arg(sink);
    return 0;
}
