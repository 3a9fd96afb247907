#include "import/dxfgeometry.h"

#include <QtMath>
#include <QDebug>
#include <QLineF>
#include <algorithm>
#include <cmath>

namespace DxfGeometry {

namespace {

constexpr double twoPi = 2 * M_PI;

QPointF ellipsePoint(const QPointF &centre, const QPointF &major, const QPointF &minor, double t)
{
    return centre + major * std::cos(t) + minor * std::sin(t);
}

QPointF ellipseTangent(const QPointF &major, const QPointF &minor, double t)
{
    return -major * std::sin(t) + minor * std::cos(t);
}

// Sweep from `start` to `end` counter-clockwise, in (0, 2π].
double counterClockwiseSweep(double start, double end)
{
    double sweep = std::fmod(end - start, twoPi);
    if (sweep < 0)
        sweep += twoPi;
    if (sweep < 1e-12)
        sweep = twoPi;
    return sweep;
}

struct Homogeneous
{
    double x = 0, y = 0, w = 1;
};

Homogeneous blend(const Homogeneous &a, const Homogeneous &b, double alpha)
{
    return {a.x * (1 - alpha) + b.x * alpha, a.y * (1 - alpha) + b.y * alpha,
            a.w * (1 - alpha) + b.w * alpha};
}

QPointF projected(const Homogeneous &p)
{
    return QPointF(p.x / p.w, p.y / p.w);
}

// Knots of `count` control points that DXF files leave out or get wrong:
// clamped and uniform.
QList<double> clampedUniformKnots(int degree, int count)
{
    QList<double> knots;
    const int spans = count - degree;
    for (int i = 0; i <= degree; ++i)
        knots.append(0);
    for (int i = 1; i < spans; ++i)
        knots.append(double(i) / spans);
    for (int i = 0; i <= degree; ++i)
        knots.append(1);
    return knots;
}

bool usableKnots(const QList<double> &knots, int degree, int count)
{
    if (knots.size() != count + degree + 1)
        return false;
    for (int i = 1; i < knots.size(); ++i) {
        if (!(knots.at(i) >= knots.at(i - 1)))
            return false;
    }
    return knots.at(count) > knots.at(degree);
}

// Boehm's knot insertion, in homogeneous coordinates.
void insertKnot(QList<double> &knots, QList<Homogeneous> &points, int degree, double u)
{
    int span = degree;
    while (span + 1 < points.size() && knots.at(span + 1) <= u)
        ++span;
    QList<Homogeneous> inserted;
    inserted.reserve(points.size() + 1);
    for (int i = 0; i <= span - degree; ++i)
        inserted.append(points.at(i));
    for (int i = span - degree + 1; i <= span; ++i) {
        const double denominator = knots.at(i + degree) - knots.at(i);
        const double alpha = denominator > 0 ? (u - knots.at(i)) / denominator : 0;
        inserted.append(blend(points.at(i - 1), points.at(i), alpha));
    }
    for (int i = span; i < points.size(); ++i)
        inserted.append(points.at(i));
    points = inserted;
    knots.insert(span + 1, u);
}

// A rational Bezier segment's point by de Casteljau.
QPointF bezierPoint(QList<Homogeneous> points, double t)
{
    for (int level = points.size() - 1; level > 0; --level) {
        for (int i = 0; i < level; ++i)
            points[i] = blend(points.at(i), points.at(i + 1), t);
    }
    return projected(points.first());
}

void appendBezier(QPainterPath &path, const QList<Homogeneous> &points, bool rational)
{
    const int degree = points.size() - 1;
    if (path.elementCount() == 0)
        path.moveTo(projected(points.first()));
    if (!rational && degree == 1) {
        path.lineTo(projected(points.at(1)));
    } else if (!rational && degree == 2) {
        path.quadTo(projected(points.at(1)), projected(points.at(2)));
    } else if (!rational && degree == 3) {
        path.cubicTo(projected(points.at(1)), projected(points.at(2)), projected(points.at(3)));
    } else {
        // Rational and higher-degree segments have no painter-path form.
        constexpr int steps = 32;
        for (int i = 1; i <= steps; ++i)
            path.lineTo(bezierPoint(points, double(i) / steps));
    }
}

QPointF unit(const QPointF &v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

} // namespace

QPainterPath throughPoints(const QList<QPointF> &given, const QPointF &startTangent, const QPointF &endTangent)
{
    // Repeated points would give zero-length spans.
    QList<QPointF> points;
    for (const QPointF &point : given) {
        if (points.isEmpty() || QLineF(points.last(), point).length() > 1e-12)
            points.append(point);
    }
    QPainterPath path;
    const int n = points.size();
    if (n < 2)
        return path;
    // A cubic spline, twice continuously differentiable, parametrised by
    // chord length, with unit end tangents: along the given ones, else
    // along the first and last chords.
    QVector<double> h(n - 1);
    for (int i = 0; i + 1 < n; ++i)
        h[i] = QLineF(points.at(i), points.at(i + 1)).length();
    QPointF first = unit(startTangent);
    QPointF last = unit(endTangent);
    if (first.isNull())
        first = unit(points.at(1) - points.at(0));
    if (last.isNull())
        last = unit(points.at(n - 1) - points.at(n - 2));
    // Tangents m at the points from the continuity of the second
    // derivative (a tridiagonal system, solved by the Thomas algorithm).
    QVector<double> lower(n), diagonal(n), upper(n);
    QVector<QPointF> right(n);
    diagonal[0] = 1;
    right[0] = first;
    diagonal[n - 1] = 1;
    right[n - 1] = last;
    for (int i = 1; i + 1 < n; ++i) {
        lower[i] = h[i];
        diagonal[i] = 2 * (h[i - 1] + h[i]);
        upper[i] = h[i - 1];
        right[i] = 3 * (h[i] / h[i - 1] * (points.at(i) - points.at(i - 1))
                        + h[i - 1] / h[i] * (points.at(i + 1) - points.at(i)));
    }
    for (int i = 1; i < n; ++i) {
        const double factor = lower[i] / diagonal[i - 1];
        diagonal[i] -= factor * upper[i - 1];
        right[i] -= factor * right[i - 1];
    }
    QVector<QPointF> m(n);
    m[n - 1] = right[n - 1] / diagonal[n - 1];
    for (int i = n - 2; i >= 0; --i)
        m[i] = (right[i] - upper[i] * m[i + 1]) / diagonal[i];
    path.moveTo(points.first());
    for (int i = 0; i + 1 < n; ++i)
        path.cubicTo(points.at(i) + m[i] * h[i] / 3, points.at(i + 1) - m[i + 1] * h[i] / 3, points.at(i + 1));
    return path;
}


void appendEllipticArc(QPainterPath &path, const QPointF &centre, const QPointF &majorAxis,
                       double ratio, double start, double sweep, bool moveToStart)
{
    const QPointF minor(-majorAxis.y() * ratio, majorAxis.x() * ratio);
    const QPointF first = ellipsePoint(centre, majorAxis, minor, start);
    if (moveToStart || path.elementCount() == 0)
        path.moveTo(first);
    else
        path.lineTo(first);
    const int pieces = std::max(1, int(std::ceil(std::abs(sweep) / (M_PI / 2) - 1e-9)));
    const double step = sweep / pieces;
    // Handle length of the cubic that best matches a circular arc of `step`.
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    double t = start;
    for (int i = 0; i < pieces; ++i) {
        const double next = t + step;
        const QPointF p0 = ellipsePoint(centre, majorAxis, minor, t);
        const QPointF p3 = ellipsePoint(centre, majorAxis, minor, next);
        path.cubicTo(p0 + ellipseTangent(majorAxis, minor, t) * k,
                     p3 - ellipseTangent(majorAxis, minor, next) * k, p3);
        t = next;
    }
}

QPainterPath line(const DxfBlockRecord::Line &line)
{
    QPainterPath path;
    path.moveTo(line.start);
    path.lineTo(line.end);
    return path;
}

QPainterPath circle(const DxfBlockRecord::Circle &circle)
{
    QPainterPath path;
    if (circle.radius > 0) {
        appendEllipticArc(path, circle.centre, QPointF(circle.radius, 0), 1, 0, twoPi, true);
        path.closeSubpath();
    }
    return path;
}

QPainterPath arc(const DxfBlockRecord::Arc &arc)
{
    QPainterPath path;
    if (arc.radius <= 0)
        return path;
    const double start = qDegreesToRadians(arc.startDegrees);
    const double sweep = counterClockwiseSweep(start, qDegreesToRadians(arc.endDegrees));
    appendEllipticArc(path, arc.centre, QPointF(arc.radius, 0), 1, start, sweep, true);
    return path;
}

QPainterPath ellipse(const DxfBlockRecord::Ellipse &ellipse)
{
    QPainterPath path;
    if (QLineF(QPointF(), ellipse.majorAxis).length() <= 0 || !(std::abs(ellipse.ratio) > 0))
        return path;
    const double sweep = counterClockwiseSweep(ellipse.startParameter, ellipse.endParameter);
    appendEllipticArc(path, ellipse.centre, ellipse.majorAxis, ellipse.ratio,
                      ellipse.startParameter, sweep, true);
    if (sweep >= twoPi - 1e-9)
        path.closeSubpath();
    return path;
}

QPainterPath polyline(const DxfBlockRecord::Polyline &polyline)
{
    QPainterPath path;
    const QList<QPointF> &vertices = polyline.vertices;
    if (vertices.size() < 2)
        return path;
    path.moveTo(vertices.first());
    const int segments = polyline.closed ? vertices.size() : vertices.size() - 1;
    for (int i = 0; i < segments; ++i) {
        const QPointF &from = vertices.at(i);
        const QPointF &to = vertices.at((i + 1) % vertices.size());
        const double bulge = i < polyline.bulges.size() ? polyline.bulges.at(i) : 0;
        const QPointF chord = to - from;
        const double length = std::hypot(chord.x(), chord.y());
        if (std::abs(bulge) < 1e-12 || length <= 0) {
            path.lineTo(to);
            continue;
        }
        // The centre lies on the chord's perpendicular bisector, to the left
        // for a counter-clockwise (positive) bulge.
        const QPointF left(-chord.y() / length, chord.x() / length);
        const QPointF centre = (from + to) / 2 + left * (length * (1 - bulge * bulge) / (4 * bulge));
        const QPointF radius = from - centre;
        const double start = std::atan2(radius.y(), radius.x());
        appendEllipticArc(path, centre, QPointF(std::hypot(radius.x(), radius.y()), 0), 1, start,
                          4 * std::atan(bulge), false);
        // Land exactly on the vertex, whatever the rounding.
        const QPointF end = path.currentPosition();
        if (end != to)
            path.setElementPositionAt(path.elementCount() - 1, to.x(), to.y());
    }
    if (polyline.closed)
        path.closeSubpath();
    return path;
}

QPointF splinePoint(int degree, const QList<QPointF> &controlPoints, const QList<double> &weights,
                    const QList<double> &knots, double u)
{
    const int count = controlPoints.size();
    int span = degree;
    while (span + 1 < count && knots.at(span + 1) <= u)
        ++span;
    QList<Homogeneous> d;
    for (int j = 0; j <= degree; ++j) {
        const int i = span - degree + j;
        const double w = i < weights.size() && weights.at(i) > 0 ? weights.at(i) : 1;
        d.append({controlPoints.at(i).x() * w, controlPoints.at(i).y() * w, w});
    }
    for (int r = 1; r <= degree; ++r) {
        for (int j = degree; j >= r; --j) {
            const int i = span - degree + j;
            const double denominator = knots.at(i + degree - r + 1) - knots.at(i);
            const double alpha = denominator > 0 ? (u - knots.at(i)) / denominator : 0;
            d[j] = blend(d.at(j - 1), d.at(j), alpha);
        }
    }
    return projected(d.at(degree));
}

QPainterPath spline(const DxfBlockRecord::Spline &spline)
{
    const int degree = spline.degree;
    const int count = spline.controlPoints.size();
    if (degree < 1 || degree > 10 || count < degree + 1)
        return throughPoints(spline.fitPoints, spline.startTangent, spline.endTangent);

    QList<Homogeneous> points;
    bool rational = false;
    for (int i = 0; i < count; ++i) {
        const double w = i < spline.weights.size() && spline.weights.at(i) > 0 ? spline.weights.at(i) : 1;
        rational = rational || std::abs(w - 1) > 1e-12;
        points.append({spline.controlPoints.at(i).x() * w, spline.controlPoints.at(i).y() * w, w});
    }
    QList<double> knots = usableKnots(spline.knots, degree, count)
            ? spline.knots
            : clampedUniformKnots(degree, count);
    if (knots != spline.knots)
        qDebug() << "spline knots replaced by clamped uniform ones";

    // Raise every knot of the curve's domain to multiplicity `degree`: the
    // control points of each span are then that span's Bezier points.
    const double first = knots.at(degree);
    const double last = knots.at(count);
    QList<double> values;
    for (double k : knots) {
        if (k >= first && k <= last && (values.isEmpty() || values.last() != k))
            values.append(k);
    }
    for (double value : values) {
        const int present = int(std::count(knots.cbegin(), knots.cend(), value));
        for (int i = present; i < degree; ++i)
            insertKnot(knots, points, degree, value);
    }

    QPainterPath path;
    for (int span = degree; span + 1 < knots.size() - degree; ++span) {
        if (!(knots.at(span) < knots.at(span + 1)) || knots.at(span) < first || knots.at(span + 1) > last)
            continue;
        appendBezier(path, points.mid(span - degree, degree + 1), rational);
    }
    return path;
}

} // namespace DxfGeometry
