#include "canvas/rulergraduation.h"

#include <cmath>

namespace {

// Millimetres between labelled ticks.
constexpr double rulerScale[] = { 1,    2,    5,     10,    25,    50,    100,   250,
                                  500,  1000, 2500,  5000,  10000, 25000, 50000, 100000 };
// Ticks per labelled step at each level.
constexpr int subdivide[] = { 1, 5, 10, 50, 100 };
constexpr int scaleCount = int(sizeof rulerScale / sizeof rulerScale[0]);
constexpr double millimetresPerUnit = 0.08;

} // namespace

QString RulerGraduation::label(double millimetres, bool vertical)
{
    qint64 n = qint64(millimetres);
    if (vertical)
        n = -n;
    if (std::llabs(n) >= 2000 && n % 1000 == 0)
        return QString::asprintf("%lldk", n / 1000);
    return QString::asprintf("%lld", n);
}

QVector<RulerGraduation::Mark> RulerGraduation::marks(bool vertical, double lower, double upper,
                                                      double maxSize, int length, int thickness,
                                                      int fontHeight)
{
    QVector<Mark> result;
    const double low = lower * millimetresPerUnit;
    const double high = upper * millimetresPerUnit;
    if (high - low == 0 || !std::isfinite(high - low))
        return result;
    // Pixels per millimetre; negative on a left ruler.
    const double inc = length / (high - low);
    const double labelSize =
            QString::number(qint64(std::ceil(maxSize))).size() * double(fontHeight) + 1;

    int s = scaleCount - 1;
    for (int i = 0; i < scaleCount; ++i) {
        if (rulerScale[i] * std::fabs(inc) > 2 * labelSize) {
            s = i;
            break;
        }
    }
    const double spacing = std::fabs(rulerScale[s] * inc / subdivide[0]);

    int tickLength = 0;
    for (int level = 4; level >= 0; --level) {
        const double step = (s == 1 && level == 1) ? 1.0 : rulerScale[s] / subdivide[level];
        // Ticks closer than 5 pixels are not drawn.
        if (step * std::fabs(inc) <= 5)
            continue;
        const int ideal = thickness / (level + 1) - 1;
        tickLength = qMax(ideal, tickLength + 1);
        const double from = qMin(low, high);
        const double to = qMax(low, high);
        const double start = std::floor(from / step) * step;
        const double end = std::ceil(to / step) * step;
        // Counted, not summed, so a long ruler does not drift off its values.
        for (qint64 tick = 0;; ++tick) {
            const double value = start + tick * step;
            if (value > end)
                break;
            Mark mark;
            mark.level = level;
            mark.position = qRound((value - low) * inc + 1e-12);
            mark.length = tickLength;
            if (level == 0
                && (spacing > 6 * fontHeight || tick % 2 == 0 || value == 0)
                && (spacing > 3 * fontHeight || tick % 4 == 0 || value == 0))
                mark.label = label(value, vertical);
            result.append(mark);
        }
    }
    return result;
}
