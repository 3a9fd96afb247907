#include "canvas/tools/rectangletool.h"

#include "canvas/graphicsrectitem.h"
#include "canvas/canvascontext.h"
#include "document/documenttemplate.h"
#include "document/engravingattributes.h"
#include "document/rectelement.h"

#include <QGraphicsSceneMouseEvent>

void RectangleTool::mousePress(QGraphicsSceneMouseEvent *event)
{
    // The view needs to know the canvas took the press.
    event->accept();
    QPointF p;
    if (event->button() != Qt::LeftButton || !layerPoint(event, &p))
        return;
    mOrigin = p;
    startElement(QStringLiteral("rect"),
                 {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("width"),
                  QStringLiteral("height"), QStringLiteral("style")},
                 {shortNumber(p.x()), shortNumber(p.y()), QStringLiteral("0"), QStringLiteral("0"),
                  ElementStyles::shape});
}

void RectangleTool::mouseMove(QGraphicsSceneMouseEvent *event)
{
    Node *node = drawingNode(NodeType::Rect);
    QPointF p;
    if (!node || !layerPoint(event, &p))
        return;
    auto *item = static_cast<GraphicsRectItem *>(itemOf(node));
    item->setRect(0, 0, qAbs(mOrigin.x() - p.x()), qAbs(mOrigin.y() - p.y()));
    item->setPos(qMin(mOrigin.x(), p.x()), qMin(mOrigin.y(), p.y()));
}

void RectangleTool::mouseRelease(QGraphicsSceneMouseEvent *)
{
    finish();
}

void RectangleTool::finish()
{
    Node *node = drawingNode(NodeType::Rect);
    if (!node)
        return;
    scene()->setDrawingNode(nullptr);
    const auto *item = static_cast<GraphicsRectItem *>(itemOf(node));
    const QPointF position = item->pos();
    const QSizeF size = item->rect().size();
    if (size.width() == 0 || size.height() == 0) {
        discard(node);
        return;
    }
    // Through the element's own rules, so its cached geometry follows.
    node->applyAttribute(QStringLiteral("x"), formatFixed(position.x()));
    node->applyAttribute(QStringLiteral("y"), formatFixed(position.y()));
    node->applyAttribute(QStringLiteral("width"), formatFixed(size.width()));
    node->applyAttribute(QStringLiteral("height"), formatFixed(size.height()));
    completed(node);
}
