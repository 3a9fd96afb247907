#include "import/dxfhatch.h"

#include "import/dxfgeometry.h"

#include <QTransform>
#include <QtMath>
#include <cmath>

namespace DxfHatch {

namespace {

// Reads a hatch's groups in the order they are written; a group that is
// not where it belongs reads as its default.
class Cursor
{
public:
    explicit Cursor(const QList<DxfGroup> &groups)
        : mGroups(groups)
    {
    }

    bool atEnd() const { return mAt >= mGroups.size(); }
    int code() const { return atEnd() ? -1 : mGroups.at(mAt).code; }

    double take(int code, double fallback = 0)
    {
        if (this->code() != code)
            return fallback;
        bool ok = false;
        const double value = mGroups.at(mAt++).value.trimmed().toDouble(&ok);
        return ok && std::isfinite(value) ? value : fallback;
    }
    QPointF point(int xCode)
    {
        const double x = take(xCode);
        const double y = take(xCode + 10);
        return QPointF(x, y);
    }
    // Moves to the next group with `code`; false at the end.
    bool seek(int code)
    {
        while (!atEnd() && mGroups.at(mAt).code != code)
            ++mAt;
        return !atEnd();
    }
    void skip() { ++mAt; }

private:
    const QList<DxfGroup> &mGroups;
    int mAt = 0;
};

void edgeArc(QPainterPath &loop, const QPointF &centre, const QPointF &major, double ratio,
             double startDegrees, double endDegrees, bool counterClockwise)
{
    double start = qDegreesToRadians(startDegrees);
    double end = qDegreesToRadians(endDegrees);
    // Clockwise edges store their angles mirrored.
    if (!counterClockwise) {
        start = -start;
        end = -end;
    }
    double sweep = end - start;
    if (counterClockwise) {
        while (sweep <= 0)
            sweep += 2 * M_PI;
        while (sweep > 2 * M_PI + 1e-9)
            sweep -= 2 * M_PI;
    } else {
        while (sweep >= 0)
            sweep -= 2 * M_PI;
        while (sweep < -2 * M_PI - 1e-9)
            sweep += 2 * M_PI;
    }
    DxfGeometry::appendEllipticArc(loop, centre, major, ratio, start, sweep, loop.elementCount() == 0);
}

QPainterPath polylineLoop(Cursor &cursor)
{
    cursor.take(72);
    cursor.take(73);
    cursor.take(93);
    DxfBlockRecord::Polyline polyline;
    polyline.closed = true;
    while (cursor.code() == 10) {
        polyline.vertices.append(cursor.point(10));
        polyline.bulges.append(cursor.code() == 42 ? cursor.take(42) : 0);
    }
    // A last vertex repeating the first adds nothing to a closed loop.
    if (polyline.vertices.size() > 2 && polyline.vertices.first() == polyline.vertices.last()) {
        polyline.vertices.removeLast();
        polyline.bulges.removeLast();
    }
    return DxfGeometry::polyline(polyline);
}

QPainterPath edgeLoop(Cursor &cursor)
{
    QPainterPath loop;
    const int edges = int(cursor.take(93));
    for (int e = 0; e < edges && cursor.code() == 72; ++e) {
        const int type = int(cursor.take(72));
        if (type == 1) {
            const QPointF from = cursor.point(10);
            const QPointF to = cursor.point(11);
            if (loop.elementCount() == 0)
                loop.moveTo(from);
            else
                loop.lineTo(from);
            loop.lineTo(to);
        } else if (type == 2) {
            const QPointF centre = cursor.point(10);
            const double radius = cursor.take(40);
            const double start = cursor.take(50);
            const double end = cursor.take(51);
            const bool ccw = cursor.take(73, 1) != 0;
            if (radius > 0)
                edgeArc(loop, centre, QPointF(radius, 0), 1, start, end, ccw);
        } else if (type == 3) {
            const QPointF centre = cursor.point(10);
            const QPointF major = cursor.point(11);
            const double ratio = cursor.take(40, 1);
            const double start = cursor.take(50);
            const double end = cursor.take(51);
            const bool ccw = cursor.take(73, 1) != 0;
            if (std::hypot(major.x(), major.y()) > 0 && ratio > 0)
                edgeArc(loop, centre, major, ratio, start, end, ccw);
        } else if (type == 4) {
            DxfBlockRecord::Spline spline;
            spline.degree = int(cursor.take(94, 3));
            cursor.take(73);
            cursor.take(74);
            cursor.take(95);
            cursor.take(96);
            while (cursor.code() == 40 || cursor.code() == 10 || cursor.code() == 42) {
                if (cursor.code() == 40)
                    spline.knots.append(cursor.take(40));
                else if (cursor.code() == 10)
                    spline.controlPoints.append(cursor.point(10));
                else
                    spline.weights.append(cursor.take(42, 1));
            }
            if (cursor.code() == 97) {
                const int fits = int(cursor.take(97));
                for (int f = 0; f < fits && cursor.code() == 11; ++f)
                    spline.fitPoints.append(cursor.point(11));
                if (cursor.code() == 12)
                    cursor.point(12);
                if (cursor.code() == 13)
                    cursor.point(13);
            }
            const QPainterPath curve = DxfGeometry::spline(spline);
            if (!curve.isEmpty()) {
                if (loop.elementCount() == 0)
                    loop = curve;
                else
                    loop.connectPath(curve);
            }
        } else {
            break;
        }
    }
    return loop;
}

} // namespace

QPainterPath area(const DxfRawEntity &entity)
{
    Cursor cursor(entity.groups);
    QPainterPath area;
    area.setFillRule(Qt::OddEvenFill);
    bool mirrored = false;
    for (const DxfGroup &group : entity.groups) {
        if (group.code == 230) {
            mirrored = group.value.trimmed().toDouble() < 0;
            break;
        }
    }
    if (!cursor.seek(91))
        return area;
    const int paths = int(cursor.take(91));
    for (int p = 0; p < paths && cursor.seek(92); ++p) {
        const int flags = int(cursor.take(92));
        QPainterPath loop = (flags & 2) ? polylineLoop(cursor) : edgeLoop(cursor);
        if (loop.elementCount() < 2)
            continue;
        loop.closeSubpath();
        area.addPath(loop);
    }
    // Seen from below (extrusion 0, 0, -1) the hatch's x axis points left.
    if (!mirrored)
        return area;
    QPainterPath flipped = QTransform::fromScale(-1, 1).map(area);
    flipped.setFillRule(Qt::OddEvenFill);
    return flipped;
}

} // namespace DxfHatch
