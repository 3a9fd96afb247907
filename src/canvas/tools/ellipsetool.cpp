#include "canvas/tools/ellipsetool.h"

#include "canvas/graphicsellipseitem.h"
#include "canvas/canvascontext.h"
#include "document/documenttemplate.h"
#include "document/engravingattributes.h"
#include "document/node.h"

#include <QGraphicsSceneMouseEvent>

void EllipseTool::mousePress(QGraphicsSceneMouseEvent *event)
{
    // The view needs to know the canvas took the press.
    event->accept();
    QPointF p;
    if (event->button() != Qt::LeftButton || !layerPoint(event, &p))
        return;
    mOrigin = p;
    startElement(QStringLiteral("ellipse"),
                 {QStringLiteral("cx"), QStringLiteral("cy"), QStringLiteral("rx"),
                  QStringLiteral("ry"), QStringLiteral("style")},
                 {shortNumber(p.x()), shortNumber(p.y()), QStringLiteral("0"), QStringLiteral("0"),
                  ElementStyles::shape});
}

void EllipseTool::mouseMove(QGraphicsSceneMouseEvent *event)
{
    Node *node = drawingNode(NodeType::Ellipse);
    QPointF p;
    if (!node || !layerPoint(event, &p))
        return;
    auto *item = static_cast<GraphicsEllipseItem *>(itemOf(node));
    const double dx = mOrigin.x() - p.x();
    const double dy = mOrigin.y() - p.y();
    if (event->modifiers() == Qt::ControlModifier) {
        // The circle follows the axis the pointer went further along, up
        // and left counting as negative.
        const double m = dy >= dx ? dx : dy;
        item->setRect(0, 0, qAbs(m), qAbs(m));
    } else {
        item->setRect(0, 0, qAbs(dx), qAbs(dy));
    }
    item->setPos(qMin(mOrigin.x(), p.x()), qMin(mOrigin.y(), p.y()));
}

void EllipseTool::mouseRelease(QGraphicsSceneMouseEvent *)
{
    finish();
}

void EllipseTool::finish()
{
    Node *node = drawingNode(NodeType::Ellipse);
    if (!node)
        return;
    scene()->setDrawingNode(nullptr);
    const auto *item = static_cast<GraphicsEllipseItem *>(itemOf(node));
    const QPointF position = item->pos();
    const QSizeF size = item->rect().size();
    if (size.width() == 0 || size.height() == 0) {
        discard(node);
        return;
    }
    node->applyAttribute(QStringLiteral("cx"), formatFixed(position.x() + size.width() / 2));
    node->applyAttribute(QStringLiteral("cy"), formatFixed(position.y() + size.height() / 2));
    node->applyAttribute(QStringLiteral("rx"), formatFixed(size.width() / 2));
    node->applyAttribute(QStringLiteral("ry"), formatFixed(size.height() / 2));
    completed(node);
}
