#include "canvas/graphicsrectitem.h"

#include "canvas/itemsupport.h"

#include <QGraphicsSceneContextMenuEvent>

GraphicsRectItem::GraphicsRectItem(SVGView *view, QGraphicsItem *parent)
    : QGraphicsRectItem(parent)
    , mView(view)
{
}

void GraphicsRectItem::setCornerRadiusX(double radius)
{
    mCornerRadiusX = radius;
    update();
}

void GraphicsRectItem::setCornerRadiusY(double radius)
{
    mCornerRadiusY = radius;
    update();
}

QPainterPath GraphicsRectItem::roundedPath(const QRectF &rect, double rx, double ry)
{
    const double x = rect.x();
    const double y = rect.y();
    const double w = rect.width();
    const double h = rect.height();
    if (w < 2 * rx)
        rx = w / 2;
    if (h < 2 * ry)
        ry = h / 2;
    QPainterPath path;
    if (rx == 0 && ry == 0) {
        path.addRect(rect);
        return path;
    }
    path.moveTo(x, y + ry);
    path.lineTo(x, y + h - ry);
    path.arcTo(QRectF(x, y + h - 2 * ry, 2 * rx, 2 * ry), 180, 90);
    path.lineTo(x + w - rx, y + h);
    path.arcTo(QRectF(x + w - 2 * rx, y + h - 2 * ry, 2 * rx, 2 * ry), 270, 90);
    path.lineTo(x + w, y + ry);
    path.arcTo(QRectF(x + w - 2 * rx, y, 2 * rx, 2 * ry), 0, 90);
    path.lineTo(x + rx, y);
    path.arcTo(QRectF(x, y, 2 * rx, 2 * ry), 90, 90);
    path.closeSubpath();
    return path;
}

QPainterPath GraphicsRectItem::shape() const
{
    const QPainterPath outline = roundedPath(rect(), mCornerRadiusX, mCornerRadiusY);
    if (mHollow == 1)
        return ItemSupport::hollowShape(outline, mInverseZoom);
    return outline;
}

void GraphicsRectItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    mInverseZoom = ItemSupport::inverseZoomOf(painter);
    QPen cosmetic = pen();
    cosmetic.setWidth(0);
    painter->setPen(cosmetic);
    painter->setBrush(brush());
    painter->drawPath(roundedPath(rect(), mCornerRadiusX, mCornerRadiusY));
}

void GraphicsRectItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *event)
{
    // The design view's context menu is not part of this canvas yet.
    if (mPassThrough)
        QGraphicsRectItem::contextMenuEvent(event);
}

void GraphicsRectItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (mPassThrough) {
        QGraphicsItem::mousePressEvent(event);
        return;
    }
    ItemSupport::reportPress(this, event);
}

void GraphicsRectItem::mouseMoveEvent(QGraphicsSceneMouseEvent *) {}

void GraphicsRectItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *) {}

QVariant GraphicsRectItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    return QGraphicsRectItem::itemChange(change, value);
}
