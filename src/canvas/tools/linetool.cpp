#include "canvas/tools/linetool.h"

#include "canvas/graphicspathitem.h"
#include "canvas/canvascontext.h"
#include "document/documenttemplate.h"
#include "document/node.h"

#include <QDebug>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>

void LineTool::mousePress(QGraphicsSceneMouseEvent *event)
{
    // The view needs to know the canvas took the press.
    event->accept();
    if (event->button() != Qt::LeftButton) {
        finish();
        return;
    }
    qDebug() << "Qt::LeftButton";
    QPointF p;
    if (!layerPoint(event, &p))
        return;
    if (!mActive) {
        if (!startElement(QStringLiteral("path"), {QStringLiteral("d"), QStringLiteral("style")},
                          {QStringLiteral("m") + shortNumber(p.x()) + QLatin1Char(',')
                                   + shortNumber(p.y()),
                           ElementStyles::path}))
            return;
        mSegmentPath = QPainterPath(p);
        mStart = p;
        mActive = true;
        return;
    }
    Node *node = drawingNode(NodeType::Path);
    if (!node) {
        mActive = false;
        return;
    }
    mSegmentPath.lineTo(p);
    static_cast<GraphicsPathItem *>(itemOf(node))->setPath(mSegmentPath);
}

void LineTool::mouseMove(QGraphicsSceneMouseEvent *event)
{
    Node *node = drawingNode(NodeType::Path);
    QPointF p;
    if (!mActive || !node || !layerPoint(event, &p))
        return;
    QPainterPath rubber = mSegmentPath.elementCount() > 0 ? mSegmentPath : QPainterPath(mStart);
    rubber.lineTo(p);
    static_cast<GraphicsPathItem *>(itemOf(node))->setPath(rubber);
}

void LineTool::mouseDoubleClick(QGraphicsSceneMouseEvent *event)
{
    // The first press of the double click already placed the last corner.
    event->accept();
    finish();
}

void LineTool::keyPress(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        if (mActive) {
            event->accept();
            finish();
            return;
        }
        break;
    default:
        break;
    }
    DrawingTool::keyPress(event);
}

void LineTool::finish()
{
    if (!mActive)
        return;
    mActive = false;
    Node *node = drawingNode(NodeType::Path);
    const QPainterPath path = mSegmentPath;
    mSegmentPath = QPainterPath();
    scene()->setDrawingNode(nullptr);
    if (!node)
        return;
    finishPath(node, path);
}
