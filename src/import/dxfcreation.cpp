#include "import/dxfcreation.h"

#include "import/dxfsource.h"

#include <QDebug>
#include <cmath>


DxfCreation::DxfCreation()
{
    mBlock.append(DxfBlockRecord());
}

void DxfCreation::addBlock(const DL_BlockData &data)
{
    DxfBlockRecord &record = mBlock.last();
    record.name = QString::fromStdString(data.name);
    record.base = QPointF(data.bpx, data.bpy);
    record.drawn = false;
}

void DxfCreation::endBlock()
{
    mBlock.append(DxfBlockRecord());
}

void DxfCreation::addInsert(const DL_InsertData &data)
{
    // Every INSERT is kept: a block placed three times is drawn three times.
    DxfBlockRecord::Insert insert;
    insert.block = QString::fromStdString(data.name);
    insert.point = QPointF(data.ipx, data.ipy);
    insert.scaleX = data.sx;
    insert.scaleY = data.sy;
    insert.rotationDegrees = data.angle;
    insert.columns = data.cols;
    insert.rows = data.rows;
    insert.columnSpacing = data.colSp;
    insert.rowSpacing = data.rowSp;
    insert.mirrored = seenFromBelow();
    mBlock.last().inserts.append(insert);
}

void DxfCreation::addLine(const DL_LineData &data)
{
    mBlock.last().lines.append({QPointF(data.x1, data.y1), QPointF(data.x2, data.y2)});
}

void DxfCreation::addCircle(const DL_CircleData &data)
{
    const double x = seenFromBelow() ? -data.cx : data.cx;
    mBlock.last().circles.append({QPointF(x, data.cy), data.radius});
}

void DxfCreation::addArc(const DL_ArcData &data)
{
    if (seenFromBelow()) {
        // Mirrored in x, the arc runs the other way round.
        mBlock.last().arcs.append({QPointF(-data.cx, data.cy), data.radius, 180 - data.angle2, 180 - data.angle1});
        return;
    }
    mBlock.last().arcs.append({QPointF(data.cx, data.cy), data.radius, data.angle1, data.angle2});
}

void DxfCreation::addEllipse(const DL_EllipseData &data)
{
    // Centre and axis are world coordinates; seen from below, the minor
    // axis points the other way.
    const double ratio = seenFromBelow() ? -data.ratio : data.ratio;
    mBlock.last().ellipses.append({QPointF(data.cx, data.cy), QPointF(data.mx, data.my), ratio,
                                   data.angle1, data.angle2});
}

void DxfCreation::addPolyline(const DL_PolylineData &data)
{
    DxfBlockRecord::Polyline polyline;
    polyline.closed = (data.flags & 1) != 0;
    polyline.mirrored = seenFromBelow();
    mBlock.last().polylines.append(polyline);
}

void DxfCreation::addVertex(const DL_VertexData &data)
{
    if (mBlock.last().polylines.isEmpty()) {
        qDebug() << "mBlock.back().polylineentities.isEmpty()";
        return;
    }
    DxfBlockRecord::Polyline &polyline = mBlock.last().polylines.last();
    polyline.vertices.append(QPointF(polyline.mirrored ? -data.x : data.x, data.y));
    polyline.bulges.append(polyline.mirrored ? -data.bulge : data.bulge);
}

void DxfCreation::addSpline(const DL_SplineData &data)
{
    DxfBlockRecord::Spline spline;
    spline.degree = int(data.degree);
    spline.flags = data.flags;
    spline.startTangent = QPointF(data.tangentStartX, data.tangentStartY);
    spline.endTangent = QPointF(data.tangentEndX, data.tangentEndY);
    mBlock.last().splines.append(spline);
}

void DxfCreation::addControlPoint(const DL_ControlPointData &data)
{
    if (mBlock.last().splines.isEmpty()) {
        qDebug() << "control point without a spline";
        return;
    }
    DxfBlockRecord::Spline &spline = mBlock.last().splines.last();
    spline.controlPoints.append(QPointF(data.x, data.y));
    spline.weights.append(data.w);
}

void DxfCreation::addFitPoint(const DL_FitPointData &data)
{
    if (mBlock.last().splines.isEmpty()) {
        qDebug() << "fit point without a spline";
        return;
    }
    mBlock.last().splines.last().fitPoints.append(QPointF(data.x, data.y));
}

void DxfCreation::addKnot(const DL_KnotData &data)
{
    if (mBlock.last().splines.isEmpty()) {
        qDebug() << "knot without a spline";
        return;
    }
    mBlock.last().splines.last().knots.append(data.k);
}

void DxfCreation::addPoint(const DL_PointData &data)
{
    // Points are not drawn; the prepared source's markers stand for the
    // entities the reader interprets itself.
    if (getAttributes().getLayer() != DxfSource::markerLayer())
        return;
    if (data.x >= 0 && data.x < 2147483647.0)
        mBlock.last().raw.append(int(data.x));
}

bool DxfCreation::seenFromBelow()
{
    const DL_Extrusion *extrusion = getExtrusion();
    return extrusion && extrusion->getDirection()[2] < 0;
}

void DxfCreation::setVariableInt(const std::string &key, int value, int)
{
    if (key == "$INSUNITS")
        mInsUnits = value;
}
