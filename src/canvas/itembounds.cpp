#include "canvas/itembounds.h"

#include "canvas/graphicsimageitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsuseitem.h"
#include "document/engravingattributes.h"
#include "document/node.h"

namespace ItemBounds {

QRectF selectionBounds(const QList<QGraphicsItem *> &items)
{
    if (items.isEmpty())
        return QRectF(0, 0, 0, 0);
    double left = 100000;
    double top = 100000;
    double right = 0;
    double bottom = 0;
    for (const QGraphicsItem *item : items) {
        QRectF bounds;
        if (item->type() == GraphicsPathItem::Type) {
            const auto *path = static_cast<const GraphicsPathItem *>(item);
            bounds = path->sceneTransform().mapRect(path->path().boundingRect());
        } else if (item->type() == GraphicsUseItem::Type) {
            const auto *use = static_cast<const GraphicsUseItem *>(item);
            bounds = use->sceneTransform().mapRect(use->path().boundingRect());
        } else if (item->type() == GraphicsImageItem::Type) {
            const Node *node = static_cast<const Node *>(item->data(0).value<void *>());
            if (!node)
                continue;
            const auto *image = static_cast<const GraphicsImageItem *>(item);
            // Until a bitmap has been traced its outline is empty; its own
            // rectangle bounds it then.
            if (node->element().attribute(EngravingAttributes::image) == EngravingAttributes::imageBw
                && !image->outline().isEmpty())
                bounds = image->sceneTransform().mapRect(image->outline().boundingRect());
            else
                bounds = item->sceneBoundingRect();
        } else {
            bounds = item->sceneBoundingRect();
        }
        left = qMin(left, bounds.left());
        top = qMin(top, bounds.top());
        right = qMax(right, bounds.left() + bounds.width());
        bottom = qMax(bottom, bounds.top() + bounds.height());
    }
    return QRectF(left, top, right - left, bottom - top);
}

} // namespace ItemBounds
