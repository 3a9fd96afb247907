#pragma once

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QtMath>

class SVGView;

// Helpers shared by the design item classes.
namespace ItemSupport {

// How a right click on a design item opens the canvas menu. The design view
// sets it, so items need not know the view class; unset, nothing opens.
using ContextMenuOpener = void (*)(SVGView *view, const QPoint &screenPos);
inline ContextMenuOpener &contextMenuOpener()
{
    static ContextMenuOpener opener = nullptr;
    return opener;
}

// Item units per screen pixel under the painter's current matrix. The length
// of the mapped unit vector keeps rotated items right, where m11 alone is 0.
inline double inverseZoomOf(const QPainter *painter)
{
    const QTransform &m = painter->worldTransform();
    const double scale = qSqrt(m.m11() * m.m11() + m.m12() * m.m12());
    return scale > 0 ? 1.0 / scale : 1.0;
}

// Design items are drawn with a hairline of the pen's colour at any zoom.
inline void setCosmeticPen(QPainter *painter, QPen pen, const QBrush &brush)
{
    pen.setWidth(0);
    painter->setPen(pen);
    painter->setBrush(brush);
}

// An unfilled shape is picked along its outline only: a band 20 screen
// pixels wide, but never wider than 100 units.
inline QPainterPath hollowShape(const QPainterPath &outline, double inverseZoom)
{
    QPainterPathStroker stroker;
    stroker.setWidth(qMin(100.0, 20.0 * inverseZoom));
    return stroker.createStroke(outline);
}

// Items report presses to the scene instead of letting Qt select or drag
// them: right (any non-left) button, Control alone with the left button, or
// any other left press.
template <typename Item>
void reportPress(Item *item, QGraphicsSceneMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        emit item->rightSelected(item);
    else if (event->modifiers() == Qt::ControlModifier)
        emit item->leftCtlSelected(item);
    else
        emit item->leftSelected(item);
}

} // namespace ItemSupport
