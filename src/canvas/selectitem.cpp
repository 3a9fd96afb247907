#include "canvas/selectitem.h"

#include "canvas/canvascontext.h"
#include "canvas/graphicsellipseitem.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/graphicsimageitem.h"
#include "canvas/graphicslineitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsrectitem.h"
#include "canvas/graphicstextitem.h"
#include "canvas/graphicsuseitem.h"
#include "canvas/itemfactory.h"
#include "canvas/resizepoint.h"
#include "canvas/transformwriter.h"
#include "document/attributeundo.h"
#include "document/node.h"

#include <QPen>
#include <cmath>

namespace {

// Below this an extent counts as none: dividing by it would write inf or NaN.
constexpr double minimumExtent = 1e-6;

double factor(double numerator, double denominator)
{
    if (std::abs(denominator) < minimumExtent)
        return 1;
    const double f = numerator / denominator;
    return std::isfinite(f) ? f : 1;
}

} // namespace

SelectItem::SelectItem(const QRectF &rect, CanvasContext *scene, const QList<QGraphicsItem *> &items)
    : QGraphicsRectItem(rect)
    , mItems(items)
    , mScene(scene)
{
    setFlag(ItemIsMovable, false);
    setFlag(ItemIsSelectable, false);
    setAcceptedMouseButtons(Qt::NoButton);
    setBrush(Qt::transparent);
    setPen(QPen(QColor(0xff, 0x00, 0x00), 0, Qt::DashLine));
    // Above every layer, so the handles are hit before the items.
    setZValue(1e9);
    setPos(0, 0);
    scene->graphicsScene()->addItem(this);
    layoutHandles();
}

QList<QGraphicsItem *> SelectItem::flatten(const QList<QGraphicsItem *> &items)
{
    QList<QGraphicsItem *> flat;
    QList<QGraphicsItem *> pending = items;
    while (!pending.isEmpty()) {
        QGraphicsItem *item = pending.takeFirst();
        if (item->type() == GraphicsGroupItem::Type)
            pending = static_cast<GraphicsGroupItem *>(item)->members() + pending;
        else
            flat.append(item);
    }
    return flat;
}

namespace {

template <typename Function>
auto withDesignItem(QGraphicsItem *item, Function f)
{
    switch (item ? item->type() : 0) {
    case GraphicsGroupItem::Type: return f(static_cast<GraphicsGroupItem *>(item));
    case GraphicsRectItem::Type: return f(static_cast<GraphicsRectItem *>(item));
    case GraphicsEllipseItem::Type: return f(static_cast<GraphicsEllipseItem *>(item));
    case GraphicsLineItem::Type: return f(static_cast<GraphicsLineItem *>(item));
    case GraphicsPathItem::Type: return f(static_cast<GraphicsPathItem *>(item));
    case GraphicsImageItem::Type: return f(static_cast<GraphicsImageItem *>(item));
    case GraphicsTextItem::Type: return f(static_cast<GraphicsTextItem *>(item));
    case GraphicsUseItem::Type: return f(static_cast<GraphicsUseItem *>(item));
    default: return f(static_cast<GraphicsGroupItem *>(nullptr));
    }
}

} // namespace

GraphicsGroupItem *SelectItem::ownerGroupOf(const QGraphicsItem *item)
{
    return withDesignItem(const_cast<QGraphicsItem *>(item), [](auto *designItem) {
        return designItem ? designItem->ownerGroup() : nullptr;
    });
}

void SelectItem::setOwnerGroupOf(QGraphicsItem *item, GraphicsGroupItem *group)
{
    withDesignItem(item, [group](auto *designItem) {
        if (designItem)
            designItem->setOwnerGroup(group);
        return 0;
    });
}

resizePoint *SelectItem::handle(int kind) const
{
    for (resizePoint *point : mHandles) {
        if (point->kind() == kind)
            return point;
    }
    return nullptr;
}

void SelectItem::layoutHandles()
{
    if (mHandles.isEmpty()) {
        for (int kind : {1, 2, 3, 4, 5, 6, 7, 8, 10}) {
            auto *point = new resizePoint(this, kind);
            QObject::connect(point, &resizePoint::resize, mScene->graphicsScene(),
                             [canvas = mScene] { canvas->resize(); });
            mHandles.append(point);
        }
    }
    const QRectF r = boundingRect();
    const double x = r.x();
    const double y = r.y();
    const double w = r.width();
    const double h = r.height();
    for (resizePoint *point : qAsConst(mHandles)) {
        switch (point->kind()) {
        case 1: point->place(x, y); break;
        case 2: point->place(x + w / 2, y); break;
        case 3: point->place(x + w, y); break;
        case 4: point->place(x + w, y + h / 2); break;
        case 5: point->place(x + w, y + h); break;
        case 6: point->place(x + w / 2, y + h); break;
        case 7: point->place(x, y + h); break;
        case 8: point->place(x, y + h / 2); break;
        default: point->place(x + w, y); break;
        }
    }
}

void SelectItem::setItems(const QList<QGraphicsItem *> &items)
{
    mItems = flatten(items);
    setRect(mScene->selectionBounds(mItems));
    setPos(0, 0);
    layoutHandles();
}

void SelectItem::refit()
{
    setItems(mItems);
}

void SelectItem::saveTransforms()
{
    mSavedTransforms.clear();
    for (QGraphicsItem *item : qAsConst(mItems)) {
        const Node *node = ItemFactory::nodeOf(item);
        mSavedTransforms.append(node ? node->element().attribute(QStringLiteral("transform"))
                                     : QString());
    }
}

void SelectItem::scalePreview(double sx, double sy, const QPointF &anchor)
{
    mAccumulated.translate(anchor.x(), anchor.y());
    mAccumulated.scale(sx, sy);
    mAccumulated.translate(-anchor.x(), -anchor.y());
    QTransform s;
    s.translate(anchor.x(), anchor.y());
    s.scale(sx, sy);
    s.translate(-anchor.x(), -anchor.y());
    for (QGraphicsItem *item : qAsConst(mItems)) {
        const QPointF pos = item->pos();
        const QTransform inParent = TransformWriter::inParentOf(item, s);
        item->setTransform(item->transform() * QTransform::fromTranslate(pos.x(), pos.y()) * inParent
                           * QTransform::fromTranslate(-pos.x(), -pos.y()));
    }
}

void SelectItem::commitSceneMatrix(const QTransform &sceneMatrix, AttributeUndo *into)
{
    auto command = std::make_unique<AttributeUndo>();
    AttributeUndo *target = into ? into : command.get();
    const TransformWriter writer(mScene);
    for (int i = 0; i < mItems.size(); ++i) {
        Node *node = ItemFactory::nodeOf(mItems.at(i));
        if (!node)
            continue;
        target->addRecord(writer.commitSceneMatrix(node, sceneMatrix, mSavedTransforms.value(i)));
    }
    if (!into)
        mScene->pushUndo(std::move(command));
}

void SelectItem::commitScale(AttributeUndo *into)
{
    commitSceneMatrix(mAccumulated, into);
    mAccumulated = QTransform();
}

QTransform SelectItem::rotation(double angle) const
{
    const QPointF c = sceneBoundingRect().center();
    QTransform r;
    r.translate(c.x(), c.y());
    r.rotate(angle);
    r.translate(-c.x(), -c.y());
    return r;
}

void SelectItem::rotatePreview(double angle)
{
    const QTransform r = rotation(angle);
    for (QGraphicsItem *item : qAsConst(mItems)) {
        const Node *node = ItemFactory::nodeOf(item);
        if (!node)
            continue;
        const QPointF e = item->pos();
        item->setTransform(node->itemTransform(e) * QTransform::fromTranslate(e.x(), e.y())
                           * TransformWriter::inParentOf(item, r)
                           * QTransform::fromTranslate(-e.x(), -e.y()));
    }
}

void SelectItem::commitRotation(double angle, AttributeUndo *into)
{
    commitSceneMatrix(rotation(angle), into);
}

void SelectItem::resizeBy(int kind, double dx, double dy)
{
    const QRectF s = sceneBoundingRect();
    const QRectF r = rect();
    const bool corner = kind == resizePoint::TopLeft || kind == resizePoint::TopRight
            || kind == resizePoint::BottomRight || kind == resizePoint::BottomLeft;
    if (corner) {
        // The aspect is kept only where it is a finite, non-zero ratio.
        const double t = (s.width() - 1) / (s.height() - 1);
        if (std::isfinite(t) && t > 0 && r.width() >= minimumExtent && r.height() >= minimumExtent) {
            const double sign = (kind == resizePoint::TopRight || kind == resizePoint::BottomLeft) ? -1 : 1;
            if (std::abs(dx) < std::abs(dy))
                dx = sign * t * dy;
            else
                dy = sign * dx / t;
        }
    }
    if (kind == resizePoint::Top || kind == resizePoint::Bottom)
        dx = 0;
    if (kind == resizePoint::Right || kind == resizePoint::Left)
        dy = 0;
    QPointF anchor;
    double fx = 1;
    double fy = 1;
    QRectF next = r;
    switch (kind) {
    case resizePoint::TopLeft:
        anchor = s.bottomRight();
        fx = factor(r.width() - dx, r.width());
        fy = factor(r.height() - dy, r.height());
        next = QRectF(r.x() + dx, r.y() + dy, r.width() - dx, r.height() - dy);
        break;
    case resizePoint::Top:
        anchor = s.bottomRight();
        fy = factor(r.height() - dy, r.height());
        next = QRectF(r.x(), r.y() + dy, r.width(), r.height() - dy);
        break;
    case resizePoint::TopRight:
        anchor = s.bottomLeft();
        fx = factor(r.width() + dx, r.width());
        fy = factor(r.height() - dy, r.height());
        next = QRectF(r.x(), r.y() + dy, r.width() + dx, r.height() - dy);
        break;
    case resizePoint::Right:
        anchor = s.topLeft();
        fx = factor(r.width() + dx, r.width());
        next = QRectF(r.x(), r.y(), r.width() + dx, r.height());
        break;
    case resizePoint::BottomRight:
        anchor = s.topLeft();
        fx = factor(r.width() + dx, r.width());
        fy = factor(r.height() + dy, r.height());
        next = QRectF(r.x(), r.y(), r.width() + dx, r.height() + dy);
        break;
    case resizePoint::Bottom:
        anchor = s.topLeft();
        fy = factor(r.height() + dy, r.height());
        next = QRectF(r.x(), r.y(), r.width(), r.height() + dy);
        break;
    case resizePoint::BottomLeft:
        anchor = s.topRight();
        fx = factor(r.width() - dx, r.width());
        fy = factor(r.height() + dy, r.height());
        next = QRectF(r.x() + dx, r.y(), r.width() - dx, r.height() + dy);
        break;
    case resizePoint::Left:
        anchor = s.topRight();
        fx = factor(r.width() - dx, r.width());
        next = QRectF(r.x() + dx, r.y(), r.width() - dx, r.height());
        break;
    default:
        return;
    }
    // An axis without extent cannot be scaled: the frame keeps it as it is.
    if (r.width() < minimumExtent) {
        next.setX(r.x());
        next.setWidth(r.width());
    }
    if (r.height() < minimumExtent) {
        next.setY(r.y());
        next.setHeight(r.height());
    }
    scalePreview(fx, fy, anchor);
    setRect(next);
    layoutHandles();
}
