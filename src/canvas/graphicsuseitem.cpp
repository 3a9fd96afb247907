#include "canvas/graphicsuseitem.h"

#include "gcode/useinstance.h"

#include <QPainter>

GraphicsUseItem::GraphicsUseItem(SVGView *view, QGraphicsItem *parent)
    : HollowShapeItem(view, parent)
{
}

QPainterPath GraphicsUseItem::shape() const
{
    return hitShape(path());
}

void GraphicsUseItem::show(const UseInstance &instance, const PictureLoader &loadPicture)
{
    // setPath() announces the new geometry and schedules the repaint.
    setPath(instance.outline());
    setHollow(instance.isFilled() ? 0 : 1);
    // The item's own pen only sizes its bounds; each part brings its paint.
    setPen(QPen(Qt::black, 0));
    setBrush(Qt::NoBrush);
    mParts.build(instance, loadPicture);
}

void GraphicsUseItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    preparePainter(painter);
    mParts.paint(painter);
}
