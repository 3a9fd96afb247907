#pragma once

#include <QLineF>
#include <QPainterPath>
#include <QTransform>
#include <QtMath>
#include <limits>

// Geometry probes for imported and traced outlines.
namespace PathProbe {

// Shortest distance from `point` to the outline, flattened finely enough
// that the flattening itself stays far below the tolerances tested.
inline double distance(const QPainterPath &path, const QPointF &point)
{
    constexpr double fine = 1000;
    double best = std::numeric_limits<double>::max();
    const QPointF target = point * fine;
    for (const QPolygonF &polygon : path.toSubpathPolygons(QTransform::fromScale(fine, fine))) {
        for (int i = 0; i + 1 < polygon.size(); ++i) {
            const QPointF a = polygon.at(i), b = polygon.at(i + 1);
            const QPointF ab = b - a;
            const double squared = QPointF::dotProduct(ab, ab);
            const double t = squared > 0 ? qBound(0.0, QPointF::dotProduct(target - a, ab) / squared, 1.0) : 0;
            best = qMin(best, QLineF(target, a + ab * t).length());
        }
    }
    return best / fine;
}

// Area enclosed by one subpath (shoelace over its flattened outline).
inline double area(const QPolygonF &polygon)
{
    double twice = 0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF &a = polygon.at(i);
        const QPointF &b = polygon.at((i + 1) % polygon.size());
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return qAbs(twice) / 2;
}

// Sum over the subpaths, each flattened finely.
inline double area(const QPainterPath &path)
{
    constexpr double fine = 1000;
    double sum = 0;
    for (const QPolygonF &polygon : path.toSubpathPolygons(QTransform::fromScale(fine, fine)))
        sum += area(polygon);
    return sum / (fine * fine);
}

} // namespace PathProbe
