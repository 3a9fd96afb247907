#include "import/dxfcreation.h"

#include <QDebug>
#include <QTextCodec>

namespace {

QString fromUtf8OrGbk(const std::string &bytes)
{
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString text = utf8->toUnicode(bytes.data(), int(bytes.size()), &state);
    if (state.invalidChars == 0)
        return text;
    // Drawings from Chinese CAD programs store their texts in GBK.
    if (QTextCodec *gbk = QTextCodec::codecForName("GBK"))
        return gbk->toUnicode(bytes.data(), int(bytes.size()));
    return text;
}

} // namespace

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
    mBlock.last().inserts.append(insert);
}

void DxfCreation::addLine(const DL_LineData &data)
{
    mBlock.last().lines.append({QPointF(data.x1, data.y1), QPointF(data.x2, data.y2)});
}

void DxfCreation::addCircle(const DL_CircleData &data)
{
    mBlock.last().circles.append({QPointF(data.cx, data.cy), data.radius});
}

void DxfCreation::addArc(const DL_ArcData &data)
{
    mBlock.last().arcs.append({QPointF(data.cx, data.cy), data.radius, data.angle1, data.angle2});
}

void DxfCreation::addEllipse(const DL_EllipseData &data)
{
    mBlock.last().ellipses.append({QPointF(data.cx, data.cy), QPointF(data.mx, data.my), data.ratio,
                                   data.angle1, data.angle2});
}

void DxfCreation::addPolyline(const DL_PolylineData &data)
{
    DxfBlockRecord::Polyline polyline;
    polyline.closed = (data.flags & 1) != 0;
    mBlock.last().polylines.append(polyline);
}

void DxfCreation::addVertex(const DL_VertexData &data)
{
    if (mBlock.last().polylines.isEmpty()) {
        qDebug() << "mBlock.back().polylineentities.isEmpty()";
        return;
    }
    DxfBlockRecord::Polyline &polyline = mBlock.last().polylines.last();
    polyline.vertices.append(QPointF(data.x, data.y));
    polyline.bulges.append(data.bulge);
}

void DxfCreation::addSpline(const DL_SplineData &data)
{
    qDebug() << "spline.flags" << data.flags;
    qDebug() << "spline.startPoint" << data.tangentStartX << data.tangentStartY;
    DxfBlockRecord::Spline spline;
    spline.degree = int(data.degree);
    spline.flags = data.flags;
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

void DxfCreation::addMText(const DL_MTextData &data)
{
    DxfBlockRecord::MText text;
    text.insertion = QPointF(data.ipx, data.ipy);
    text.height = data.height;
    text.width = data.width;
    text.attachmentPoint = data.attachmentPoint;
    text.text = fromUtf8OrGbk(data.text);
    text.style = QString::fromStdString(data.style);
    mBlock.last().texts.append(text);
}

void DxfCreation::setVariableInt(const std::string &key, int value, int)
{
    if (key == "$INSUNITS")
        mInsUnits = value;
}
