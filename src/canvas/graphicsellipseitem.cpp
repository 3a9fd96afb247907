#include "canvas/graphicsellipseitem.h"

#include "canvas/itemsupport.h"

GraphicsEllipseItem::GraphicsEllipseItem(SVGView *view, QGraphicsItem *parent)
    : QGraphicsEllipseItem(parent)
    , mView(view)
{
}

QRectF GraphicsEllipseItem::boundingRect() const
{
    return rect();
}

QPainterPath GraphicsEllipseItem::shape() const
{
    QPainterPath outline;
    outline.addEllipse(rect());
    if (mHollow == 1)
        return ItemSupport::hollowShape(outline, mInverseZoom);
    return outline;
}

void GraphicsEllipseItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    mInverseZoom = ItemSupport::inverseZoomOf(painter);
    QPen cosmetic = pen();
    cosmetic.setWidth(0);
    painter->setPen(cosmetic);
    painter->setBrush(brush());
    painter->drawEllipse(rect());
}

void GraphicsEllipseItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *) {}

void GraphicsEllipseItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    ItemSupport::reportPress(this, event);
}

void GraphicsEllipseItem::mouseMoveEvent(QGraphicsSceneMouseEvent *) {}

void GraphicsEllipseItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *) {}

QVariant GraphicsEllipseItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    return QGraphicsEllipseItem::itemChange(change, value);
}
