#include "canvas/itembounds.h"

#include "canvas/graphicsimageitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsuseitem.h"
#include "document/engravingattributes.h"
#include "document/node.h"

namespace ItemBounds {

std::optional<QRectF> drawnBounds(const QGraphicsItem *item)
{
    if (item->type() == GraphicsPathItem::Type) {
        const auto *path = static_cast<const GraphicsPathItem *>(item);
        return path->sceneTransform().mapRect(path->path().boundingRect());
    }
    if (item->type() == GraphicsUseItem::Type) {
        const auto *use = static_cast<const GraphicsUseItem *>(item);
        return use->sceneTransform().mapRect(use->path().boundingRect());
    }
    if (item->type() == GraphicsImageItem::Type) {
        const Node *node = static_cast<const Node *>(item->data(0).value<void *>());
        if (!node)
            return std::nullopt;
        const auto *image = static_cast<const GraphicsImageItem *>(item);
        // Until a bitmap has been traced its outline is empty; its own
        // rectangle bounds it then.
        if (node->element().attribute(EngravingAttributes::image) == EngravingAttributes::imageBw
            && !image->outline().isEmpty())
            return image->sceneTransform().mapRect(image->outline().boundingRect());
    }
    return item->sceneBoundingRect();
}

QRectF selectionBounds(const QList<QGraphicsItem *> &items)
{
    if (items.isEmpty())
        return QRectF(0, 0, 0, 0);
    double left = 100000;
    double top = 100000;
    double right = 0;
    double bottom = 0;
    for (const QGraphicsItem *item : items) {
        const std::optional<QRectF> drawn = drawnBounds(item);
        if (!drawn)
            continue;
        left = qMin(left, drawn->left());
        top = qMin(top, drawn->top());
        right = qMax(right, drawn->left() + drawn->width());
        bottom = qMax(bottom, drawn->top() + drawn->height());
    }
    return QRectF(left, top, right - left, bottom - top);
}

} // namespace ItemBounds
