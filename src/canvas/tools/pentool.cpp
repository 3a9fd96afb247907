#include "canvas/tools/pentool.h"

#include "canvas/graphicspathitem.h"
#include "canvas/canvascontext.h"
#include "document/documenttemplate.h"
#include "document/node.h"

#include <QGraphicsSceneMouseEvent>
#include <QLineF>

namespace {

constexpr int groupSize = 16;

// Where both lengths are 0 (the pointer came back to the same spot) the
// split falls in the middle instead of dividing 0 by 0.
double split(double first, double second)
{
    const double sum = first + second;
    return sum > 0 ? first / sum : 0.5;
}

} // namespace

void PenTool::addSmoothedSegment(QPainterPath &path, const QList<QPointF> &points)
{
    if (points.size() < 13)
        return;
    const QPointF p0 = points.at(0);
    const QPointF p1 = points.at(4);
    const QPointF p2 = points.at(8);
    const QPointF p3 = points.at(12);
    const QPointF m01 = (p0 + p1) / 2;
    const QPointF m12 = (p1 + p2) / 2;
    const QPointF m23 = (p2 + p3) / 2;
    const double l01 = QLineF(p0, p1).length();
    const double l12 = QLineF(p1, p2).length();
    const double l23 = QLineF(p2, p3).length();
    const double k1 = split(l01, l12);
    const double k2 = split(l12, l23);
    const QPointF b1 = m01 + (m12 - m01) * k1;
    const QPointF b2 = m12 + (m23 - m12) * k2;
    const QPointF c1 = p1 + (m12 - b1) * 0.3;
    const QPointF c2 = p2 + (m12 - b2) * 0.3;
    path.cubicTo(c1, c2, p2);
}

void PenTool::mousePress(QGraphicsSceneMouseEvent *event)
{
    // The view needs to know the canvas took the press.
    event->accept();
    QPointF p;
    if (event->button() != Qt::LeftButton || mActive || !layerPoint(event, &p))
        return;
    if (!startElement(QStringLiteral("path"), {QStringLiteral("d"), QStringLiteral("style")},
                      {QStringLiteral("m") + shortNumber(p.x()) + QLatin1Char(',') + shortNumber(p.y()),
                       ElementStyles::path}))
        return;
    mActive = true;
    mDrawPath = QPainterPath(p);
    // The press point counts twice towards the first group.
    mPoints = {p, p};
}

void PenTool::mouseMove(QGraphicsSceneMouseEvent *event)
{
    Node *node = drawingNode(NodeType::Path);
    QPointF p;
    if (!mActive || !node || !layerPoint(event, &p))
        return;
    if (p == mPoints.last())
        return;
    mPoints.append(p);
    if (mPoints.size() < groupSize)
        return;
    addSmoothedSegment(mDrawPath, mPoints);
    static_cast<GraphicsPathItem *>(itemOf(node))->setPath(mDrawPath);
    mPoints.erase(mPoints.begin(), mPoints.begin() + 4);
}

void PenTool::mouseRelease(QGraphicsSceneMouseEvent *event)
{
    QPointF p;
    if (mActive && drawingNode(NodeType::Path) && layerPoint(event, &p) && p != mPoints.last())
        mPoints.append(p);
    finish();
}

void PenTool::finish()
{
    if (!mActive)
        return;
    mActive = false;
    Node *node = drawingNode(NodeType::Path);
    // The points after the last smoothed group are joined straight, so the
    // stroke ends where the pointer was released.
    // After a group the path ends at point 4 of what is kept; before the
    // first, at the press point, which stands twice at the start.
    const int first = mDrawPath.elementCount() > 1 ? 5 : 2;
    for (int i = first; i < mPoints.size(); ++i)
        mDrawPath.lineTo(mPoints.at(i));
    const QPainterPath path = mDrawPath;
    mDrawPath = QPainterPath();
    mPoints.clear();
    scene()->setDrawingNode(nullptr);
    if (!node)
        return;
    finishPath(node, path);
}
