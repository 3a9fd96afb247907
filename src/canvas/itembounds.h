#pragma once

#include <QList>
#include <QRectF>

#include <optional>

class QGraphicsItem;

// Bounds of design items as the selection frame, groups and alignment use
// them, from the items alone.
namespace ItemBounds {

// Union of the items' bounds, starting from left = top = 100000 and
// right = bottom = 0; (0, 0, 0, 0) for no items. Paths and instances count
// their outline without the pen; a traced bitmap its outline.
QRectF selectionBounds(const QList<QGraphicsItem *> &items);

// One item's bounds as above; none for an image whose element is gone.
std::optional<QRectF> drawnBounds(const QGraphicsItem *item);

} // namespace ItemBounds
