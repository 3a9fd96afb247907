#include "canvas/graphicspathitem.h"

#include "canvas/itemsupport.h"

GraphicsPathItem::GraphicsPathItem(SVGView *view, QGraphicsItem *parent)
    : QGraphicsPathItem(parent)
    , mView(view)
{
}

QPainterPath GraphicsPathItem::shape() const
{
    if (mHollow == 1)
        return ItemSupport::hollowShape(path(), mInverseZoom);
    return path();
}

void GraphicsPathItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    mInverseZoom = ItemSupport::inverseZoomOf(painter);
    QPen cosmetic = pen();
    cosmetic.setWidth(0);
    painter->setPen(cosmetic);
    painter->setBrush(brush());
    painter->drawPath(path());
}

void GraphicsPathItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *) {}

void GraphicsPathItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    ItemSupport::reportPress(this, event);
}

void GraphicsPathItem::mouseMoveEvent(QGraphicsSceneMouseEvent *) {}

void GraphicsPathItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *) {}

QVariant GraphicsPathItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    return QGraphicsPathItem::itemChange(change, value);
}
