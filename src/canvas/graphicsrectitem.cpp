#include "canvas/graphicsrectitem.h"

#include <QGraphicsSceneContextMenuEvent>

GraphicsRectItem::GraphicsRectItem(SVGView *view, QGraphicsItem *parent)
    : HollowShapeItem(view, parent)
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
    // A clipped group clips what it holds to the clip alone.
    if (mPassThrough && hasClipRegion())
        return clipRegion();
    return closedHitShape(roundedPath(rect(), mCornerRadiusX, mCornerRadiusY));
}

void GraphicsRectItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    preparePainter(painter);
    drawShape(painter, roundedPath(rect(), mCornerRadiusX, mCornerRadiusY));
}

void GraphicsRectItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *event)
{
    if (mPassThrough)
        QGraphicsRectItem::contextMenuEvent(event);
    else
        HollowShapeItem::contextMenuEvent(event);
}

void GraphicsRectItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (mPassThrough)
        QGraphicsItem::mousePressEvent(event);
    else
        HollowShapeItem::mousePressEvent(event);
}
