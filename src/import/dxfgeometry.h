#pragma once

#include "import/dxfblockrecord.h"

#include <QPainterPath>

// The painter paths of DXF entities, in the file's coordinates (y up). Angles
// run counter-clockwise as DXF has them.
namespace DxfGeometry {

// An elliptic arc around `centre` with semi-axes along `majorAxis` and
// `ratio` × its length perpendicular to it, from parameter `start` through
// the signed `sweep` (radians), as cubic curves of at most a quarter turn.
// Continues the path with a line to the start unless `moveToStart`.
void appendEllipticArc(QPainterPath &path, const QPointF &centre, const QPointF &majorAxis,
                       double ratio, double start, double sweep, bool moveToStart);

QPainterPath line(const DxfBlockRecord::Line &line);
QPainterPath circle(const DxfBlockRecord::Circle &circle);
// Counter-clockwise from the start angle to the end angle.
QPainterPath arc(const DxfBlockRecord::Arc &arc);
QPainterPath ellipse(const DxfBlockRecord::Ellipse &ellipse);
// Bulged segments are circular arcs (bulge = tan(included angle / 4)).
QPainterPath polyline(const DxfBlockRecord::Polyline &polyline);
// A B-spline of its control points, knots and weights as Bezier segments;
// with no usable control points, a smooth curve through its fit points.
QPainterPath spline(const DxfBlockRecord::Spline &spline);

// The curve CAD programs draw through fit points: a C2 cubic spline over
// chord-length parameters whose end tangents are the given ones (when not
// null) or the first and last chords' directions, as cubic curves.
QPainterPath throughPoints(const QList<QPointF> &points, const QPointF &startTangent = QPointF(),
                           const QPointF &endTangent = QPointF());

// The point of a (rational) B-spline at parameter u, by de Boor's algorithm.
// `knots` must hold controlPoints + degree + 1 values.
QPointF splinePoint(int degree, const QList<QPointF> &controlPoints, const QList<double> &weights,
                    const QList<double> &knots, double u);

} // namespace DxfGeometry
