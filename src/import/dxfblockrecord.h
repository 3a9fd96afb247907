#pragma once

#include <QList>
#include <QPointF>
#include <QString>

// What the DXF reader keeps of one block, or of the ENTITIES section
// (name "entities"), in the file's own coordinates. Plain data: dxflib's
// types stay inside the creation adapter.
struct DxfBlockRecord
{
    struct Line
    {
        QPointF start, end;
    };
    struct Circle
    {
        QPointF centre;
        double radius = 0;
    };
    struct Arc
    {
        QPointF centre;
        double radius = 0;
        double startDegrees = 0, endDegrees = 0;
    };
    struct Ellipse
    {
        QPointF centre;
        // End of the major axis, relative to the centre.
        QPointF majorAxis;
        double ratio = 1;
        double startParameter = 0, endParameter = 0;
    };
    struct Polyline
    {
        bool closed = false;
        QList<QPointF> vertices;
        // One per vertex: the bulge of the segment that starts there.
        QList<double> bulges;
        // Extrusion (0, 0, -1): its vertices arrive mirrored in x.
        bool mirrored = false;
    };
    struct Spline
    {
        int degree = 3;
        int flags = 0;
        QList<QPointF> controlPoints;
        QList<double> weights;
        QList<QPointF> fitPoints;
        QList<double> knots;
        // Of the curve through the fit points; null when the file has none.
        QPointF startTangent, endTangent;
    };
    struct Insert
    {
        QString block;
        QPointF point;
        double scaleX = 1, scaleY = 1;
        double rotationDegrees = 0;
        int columns = 1, rows = 1;
        double columnSpacing = 0, rowSpacing = 0;
        // Seen from below (extrusion 0, 0, -1): the block lands mirrored in x.
        bool mirrored = false;
    };

    QString name = QStringLiteral("entities");
    QPointF base;
    // "entities" records are drawn; a named block only where an INSERT names it.
    bool drawn = true;
    QList<Line> lines;
    QList<Circle> circles;
    QList<Arc> arcs;
    QList<Ellipse> ellipses;
    QList<Polyline> polylines;
    QList<Spline> splines;
    QList<Insert> inserts;
    // Entities the reader interprets itself (texts, hatches, dimensions):
    // indices into the prepared source's raw entities.
    QList<int> raw;
};
