#pragma once

#include "canvas/graphicsellipseitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsrectitem.h"
#include "canvas/graphicstextitem.h"
#include "canvas/graphicsuseitem.h"
#include "canvas/itemfactory.h"
#include "document/node.h"
#include "gcode/gcodebuffer.h"
#include "gcodeinterpreter.h"
#include "jobfixtures.h"

#include <QGraphicsScene>
#include <QPainterPath>
#include <QRectF>
#include <QVector>

// What the canvas shows against what the laser burns, both in millimetres
// (0.08 mm per design unit).
namespace DrawnBounds {

constexpr double mmPerUnit = 0.08;

// The geometry of the shape items on the scene, without pen margins, as far
// as their clips let it show; empty shapes (a zero radius) draw nothing and
// count for nothing.
inline QRectF drawn(const QGraphicsScene *scene)
{
    QRectF bounds;
    for (const QGraphicsItem *item : scene->items()) {
        const Node *node = ItemFactory::nodeOf(item);
        if (!node)
            continue;
        QPainterPath own;
        switch (item->type()) {
        case GraphicsRectItem::Type:
            // Containers and pages are rectangle items too.
            if (node->type() != NodeType::Rect)
                continue;
            own.addRect(static_cast<const GraphicsRectItem *>(item)->rect());
            break;
        case GraphicsEllipseItem::Type:
            own.addEllipse(static_cast<const GraphicsEllipseItem *>(item)->rect());
            break;
        case GraphicsPathItem::Type:
            own = static_cast<const GraphicsPathItem *>(item)->path();
            break;
        case GraphicsUseItem::Type:
            own = static_cast<const GraphicsUseItem *>(item)->path();
            break;
        case GraphicsTextItem::Type:
            own = static_cast<const GraphicsTextItem *>(item)->outline();
            break;
        default:
            continue;
        }
        // What an enclosing viewport or clip cuts off is not shown.
        if (item->isClipped())
            own = own.intersected(item->clipPath());
        if (own.boundingRect().isEmpty())
            continue;
        bounds |= item->sceneTransform().mapRect(own.boundingRect());
    }
    return QRectF(bounds.topLeft() * mmPerUnit, bounds.bottomRight() * mmPerUnit);
}

// The box the job's burning moves cover, read by the independent interpreter.
inline QRectF burned(const QVector<GCodeBuffer> &records)
{
    GCodeInterpreter interpreter;
    interpreter.run(JobFixtures::linesOf(records));
    return interpreter.burnedBounds();
}

inline bool near(const QRectF &a, const QRectF &b, double tolerance)
{
    return qAbs(a.left() - b.left()) <= tolerance && qAbs(a.top() - b.top()) <= tolerance
            && qAbs(a.right() - b.right()) <= tolerance && qAbs(a.bottom() - b.bottom()) <= tolerance;
}

inline QString describe(const QRectF &r)
{
    return QStringLiteral("%1,%2 - %3,%4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

} // namespace DrawnBounds
