#include "canvas/editoperations.h"

#include "canvas/canvascontext.h"
#include "canvas/commands/addgroupundo.h"
#include "canvas/commands/removegroupundo.h"
#include "canvas/commands/removewithgroupsundo.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsuseitem.h"
#include "canvas/itemfactory.h"
#include "canvas/selectitem.h"
#include "canvas/transformwriter.h"
#include "document/addpathgroupundo.h"
#include "document/addundo.h"
#include "document/attributeundo.h"
#include "document/node.h"
#include "document/pathdatawriter.h"
#include "document/removepathgroupundo.h"
#include "document/svgdocument.h"
#include "document/svggrammar.h"

#include <QDebug>
#include <QDomNamedNodeMap>
#include <QtMath>

namespace {

Node *nodeOf(const QGraphicsItem *item)
{
    return ItemFactory::nodeOf(item);
}

QPainterPath scenePath(const QGraphicsItem *item)
{
    return item->sceneTransform().map(static_cast<const GraphicsPathItem *>(item)->path());
}

// A path split at every move.
QList<QPainterPath> subpaths(const QPainterPath &path)
{
    QList<QPainterPath> parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            parts.append(QPainterPath(QPointF(e.x, e.y)));
            break;
        case QPainterPath::LineToElement:
            if (parts.isEmpty())
                parts.append(QPainterPath());
            parts.last().lineTo(e.x, e.y);
            break;
        case QPainterPath::CurveToElement:
            if (parts.isEmpty())
                parts.append(QPainterPath());
            if (i + 2 < path.elementCount()) {
                const QPainterPath::Element c2 = path.elementAt(i + 1);
                const QPainterPath::Element end = path.elementAt(i + 2);
                parts.last().cubicTo(QPointF(e.x, e.y), QPointF(c2.x, c2.y), QPointF(end.x, end.y));
                i += 2;
            }
            break;
        default:
            break;
        }
    }
    return parts;
}

// Every item can be written: an operation never stops half-way.
bool allHaveElements(const QList<QGraphicsItem *> &items)
{
    for (const QGraphicsItem *item : items) {
        if (item->type() != GraphicsGroupItem::Type && !nodeOf(item)) {
            qDebug() << "con't reinterpret_cast node";
            return false;
        }
    }
    return true;
}

} // namespace

EditOperations::EditOperations(CanvasContext *canvas)
    : mCanvas(canvas)
{
}

const QString &EditOperations::pathGroupStyle()
{
    static const QString style = QStringLiteral(
            "fill:none;stroke:#000000;stroke-width:0.264583px;stroke-linecap:butt;"
            "stroke-linejoin:miter;stroke-opacity:1");
    return style;
}

QList<QGraphicsItem *> EditOperations::copiedItems() const
{
    QList<QGraphicsItem *> items;
    for (const QPointer<QObject> &object : mCopied) {
        if (auto *item = dynamic_cast<QGraphicsItem *>(object.data()))
            items.append(item);
    }
    return items;
}

void EditOperations::setCopiedItems(const QList<QGraphicsItem *> &items, const QRectF &bounds)
{
    mCopied.clear();
    for (QGraphicsItem *item : items) {
        if (auto *object = dynamic_cast<QObject *>(item))
            mCopied.append(object);
    }
    mCopiedBounds = bounds;
}

void EditOperations::clearCopied()
{
    mCopied.clear();
    mCopiedBounds = QRectF();
}

void EditOperations::removeFrame()
{
    mCanvas->removeSelectFrame();
}

void EditOperations::copySelection()
{
    const QList<QGraphicsItem *> selected = mCanvas->graphicsScene()->selectedItems();
    setCopiedItems(selected, mCanvas->selectionBounds(selected));
}

QGraphicsItem *EditOperations::pasteItem(QGraphicsItem *item, const QString &translate)
{
    SVGView *view = mCanvas->view();
    if (item->type() == GraphicsGroupItem::Type) {
        auto *group = new GraphicsGroupItem(view);
        mCanvas->connectItem(group);
        QList<QGraphicsItem *> members;
        for (QGraphicsItem *member : static_cast<GraphicsGroupItem *>(item)->members()) {
            if (QGraphicsItem *copy = pasteItem(member, translate))
                members.append(copy);
        }
        group->setMembers(members);
        mCanvas->attachGroup(group);
        mCanvas->graphicsScene()->addItem(group);
        mCanvas->pushUndo(std::make_unique<AddGroupUndo>(group, mCanvas));
        return group;
    }
    Node *source = nodeOf(item);
    if (!source || !source->parent()) {
        qDebug() << "con't reinterpret_cast node";
        return nullptr;
    }
    QStringList names;
    QStringList values;
    const QDomNamedNodeMap attributes = source->element().attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        names << attribute.name();
        values << attribute.value();
    }
    const QString tag = source->element().tagName();
    Node *copy = nullptr;
    if (tag == QLatin1String("text")) {
        const QDomNode first = source->element().firstChild();
        const QString text = first.isText() ? first.nodeValue() : QString();
        copy = mCanvas->pasteTextItem(tag, names, values, source->parent(), text);
    } else {
        copy = source->parent()->addChildElement(tag, names, values);
        if (copy)
            mCanvas->pushUndo(std::make_unique<AddUndo>(copy));
    }
    if (!copy)
        return nullptr;
    // The shift is a scene distance: under a transformed layer it is mapped
    // into the copy's parent first.
    QPointF shift = SvgGrammar::translateOf(translate);
    QGraphicsItem *copyItem = mCanvas->itemOf(copy);
    if (QGraphicsItem *parentItem = copyItem ? copyItem->parentItem() : nullptr)
        shift = parentItem->mapFromScene(shift) - parentItem->mapFromScene(QPointF(0, 0));
    const QString transform = TransformWriter::withLeadingTranslate(
            copy->element().attribute(QStringLiteral("transform")), shift.x(), shift.y());
    if (!copy->applyAttribute(QStringLiteral("transform"), transform))
        copy->setAttribute(QStringLiteral("transform"), transform);
    return copyItem;
}

void EditOperations::pasteCopied()
{
    const QPointF d = mCanvas->lastScenePos() - mCopiedBounds.topLeft();
    const QString translate = QStringLiteral("translate(%1,%2)")
                                      .arg(QString::number(d.x(), 'f', 6), QString::number(d.y(), 'f', 6));
    for (QGraphicsItem *item : copiedItems())
        pasteItem(item, translate);
    if (SelectItem *frame = mCanvas->selectFrame())
        frame->setItems(mCanvas->graphicsScene()->selectedItems());
}

void EditOperations::deleteSelection()
{
    QList<Node *> elements;
    QList<GraphicsGroupItem *> groups;
    QList<QGraphicsItem *> pending = mCanvas->graphicsScene()->selectedItems();
    while (!pending.isEmpty()) {
        QGraphicsItem *item = pending.takeFirst();
        if (item->type() == GraphicsGroupItem::Type) {
            auto *group = static_cast<GraphicsGroupItem *>(item);
            groups.append(group);
            pending = group->members() + pending;
            mCanvas->takeGroup(group);
            continue;
        }
        Node *node = nodeOf(item);
        if (!node) {
            qDebug() << "con't reinterpret_cast node";
            continue;
        }
        if (node->document()->detachNode(node))
            elements.append(node);
    }
    removeFrame();
    if (elements.isEmpty() && groups.isEmpty())
        return;
    mCanvas->pushUndo(std::make_unique<RemoveWithGroupsUndo>(elements, groups, mCanvas));
}

QList<int> EditOperations::chainOrder(const QList<QPainterPath> &paths)
{
    QList<int> order;
    if (paths.isEmpty())
        return order;
    QPointF best(1000000, 1000000);
    for (const QPainterPath &path : paths) {
        const QPointF start = path.pointAtPercent(0);
        if (start.x() < best.x())
            best = start;
        else if (start.y() < best.y())
            best = start;
    }
    QList<int> remaining;
    for (int i = 0; i < paths.size(); ++i)
        remaining.append(i);
    int first = 0;
    for (int i = 0; i < paths.size(); ++i) {
        if (paths.at(i).pointAtPercent(0) == best) {
            first = i;
            break;
        }
    }
    order.append(first);
    remaining.removeOne(first);
    QPointF current = paths.at(first).pointAtPercent(1);
    while (!remaining.isEmpty()) {
        int choice = remaining.first();
        double minimum = 10000000;
        for (int index : qAsConst(remaining)) {
            const QPointF start = paths.at(index).pointAtPercent(0);
            const double distance = std::hypot(start.x() - current.x(), start.y() - current.y());
            if (distance < minimum) {
                choice = index;
                minimum = std::trunc(distance);
            }
        }
        order.append(choice);
        remaining.removeOne(choice);
        current = paths.at(choice).pointAtPercent(1);
    }
    return order;
}

QString EditOperations::layerData(const QPainterPath &path) const
{
    Node *layer = mCanvas->currentLayer();
    QGraphicsItem *layerItem = layer ? mCanvas->itemFactory()->containerItem(layer) : nullptr;
    if (!layerItem)
        return pathToClosedData(path);
    bool invertible = false;
    const QTransform fromScene = layerItem->sceneTransform().inverted(&invertible);
    return pathToClosedData(invertible ? fromScene.map(path) : path);
}

void EditOperations::groupPaths(const QList<QGraphicsItem *> &items)
{
    QList<QPainterPath> paths;
    for (const QGraphicsItem *item : items)
        paths.append(scenePath(item));
    QString data;
    for (int index : chainOrder(paths))
        data += layerData(paths.at(index));
    // Made before anything is removed: without a layer nothing changes.
    Node *path = mCanvas->createNode(QStringLiteral("path"), {"d", "style"},
                                            {data, pathGroupStyle()});
    if (!path)
        return;
    QList<Node *> removed;
    for (const QGraphicsItem *item : items) {
        Node *node = nodeOf(item);
        if (node->document()->detachNode(node))
            removed.append(node);
    }
    mCanvas->setDrawingNode(path);
    mCanvas->pushUndo(std::make_unique<AddPathGroupUndo>(removed, path));
    removeFrame();
    mCanvas->setSuppressSelectionSignals(true);
    mCanvas->clearUpSelected();
    mCanvas->setSuppressSelectionSignals(false);
    if (QGraphicsItem *item = mCanvas->itemOf(path))
        item->setSelected(true);
}

void EditOperations::groupSelection()
{
    const QList<QGraphicsItem *> selected = mCanvas->graphicsScene()->selectedItems();
    if (selected.isEmpty() || !allHaveElements(selected))
        return;
    bool allPaths = true;
    for (const QGraphicsItem *item : selected)
        allPaths = allPaths && item->type() == GraphicsPathItem::Type;
    if (allPaths) {
        groupPaths(selected);
        return;
    }
    auto *group = new GraphicsGroupItem(mCanvas->view());
    mCanvas->connectItem(group);
    group->setMembers(selected);
    mCanvas->attachGroup(group);
    mCanvas->graphicsScene()->addItem(group);
    // The group is what is selected now, so copy, delete and the frame act on it.
    mCanvas->clearSelectionQuietly();
    mCanvas->clearSelectedItemList();
    group->setSelected(true);
    mCanvas->appendSelectedItem(group);
    mCanvas->selectNode();
    mCanvas->pushUndo(std::make_unique<AddGroupUndo>(group, mCanvas));
}

void EditOperations::ungroupPath(QGraphicsItem *item)
{
    Node *node = nodeOf(item);
    if (!node) {
        qDebug() << "con't reinterpret_cast node";
        return;
    }
    const QList<QPainterPath> parts = subpaths(scenePath(item));
    QList<Node *> created;
    for (const QPainterPath &part : parts) {
        Node *path = mCanvas->createNode(QStringLiteral("path"), {"d", "style"},
                                                {layerData(part), pathGroupStyle()});
        if (path)
            created.append(path);
    }
    if (created.isEmpty())
        return;
    node->document()->detachNode(node);
    mCanvas->setDrawingNode(created.last());
    mCanvas->pushUndo(std::make_unique<RemovePathGroupUndo>(created, node));
    removeFrame();
}

void EditOperations::ungroupSelection()
{
    const QList<QGraphicsItem *> selected = mCanvas->graphicsScene()->selectedItems();
    if (selected.size() != 1)
        return;
    QGraphicsItem *item = selected.first();
    if (item->type() == GraphicsGroupItem::Type) {
        auto *group = static_cast<GraphicsGroupItem *>(item);
        mCanvas->releaseGroup(group);
        mCanvas->takeGroup(group);
        removeFrame();
        mCanvas->pushUndo(std::make_unique<RemoveGroupUndo>(group, mCanvas));
    } else if (item->type() == GraphicsPathItem::Type) {
        ungroupPath(item);
    }
}

namespace {

// Moves an item (a group: each member) so the scene point `from` lands on
// `to`, and writes the move.
void displace(QGraphicsItem *item, const QPointF &from, const QPointF &to,
              const TransformWriter &writer, AttributeUndo *command)
{
    if (item->type() == GraphicsGroupItem::Type) {
        for (QGraphicsItem *member : static_cast<GraphicsGroupItem *>(item)->members())
            displace(member, from, to, writer, command);
        static_cast<GraphicsGroupItem *>(item)->boundsChanged();
        return;
    }
    const QPointF d = TransformWriter::positionShift(item, from, to);
    if (!d.isNull())
        item->setPos(item->pos() + d);
    command->addRecord(writer.commitMove(ItemFactory::nodeOf(item)));
}

} // namespace

void EditOperations::alignSelection(Side side)
{
    const QList<QGraphicsItem *> selected = mCanvas->graphicsScene()->selectedItems();
    if (selected.isEmpty() || !allHaveElements(selected))
        return;
    double target = (side == Side::Left || side == Side::Top) ? 1000000 : 0;
    QList<QRectF> bounds;
    for (QGraphicsItem *item : selected) {
        // A path's item rectangle also holds the band it is picked by: its
        // curve bounds it. Other items, without the margin of their pen.
        QRectF b;
        for (const QGraphicsItem *member : SelectItem::flatten({item})) {
            const bool curve = member->type() == GraphicsPathItem::Type
                    || member->type() == GraphicsUseItem::Type;
            const std::optional<QRectF> drawn =
                    curve ? mCanvas->drawnBounds(member) : std::optional<QRectF>(mCanvas->itemBounds(member));
            if (drawn)
                b = b.isNull() ? *drawn : b.united(*drawn);
        }
        bounds.append(b);
        switch (side) {
        case Side::Left: target = qMin(target, b.left()); break;
        case Side::Top: target = qMin(target, b.top()); break;
        case Side::Right: target = qMax(target, b.left() + b.width()); break;
        case Side::Bottom: target = qMax(target, b.top() + b.height()); break;
        }
    }
    auto command = std::make_unique<AttributeUndo>();
    const TransformWriter writer(mCanvas);
    for (int i = 0; i < selected.size(); ++i) {
        const QRectF b = bounds.at(i);
        QPointF to = b.topLeft();
        switch (side) {
        case Side::Left: to.setX(target); break;
        case Side::Right: to.setX(target - b.width()); break;
        case Side::Top: to.setY(target); break;
        case Side::Bottom: to.setY(target - b.height()); break;
        }
        displace(selected.at(i), b.topLeft(), to, writer, command.get());
    }
    mCanvas->pushUndo(std::move(command));
    if (SelectItem *frame = mCanvas->selectFrame())
        frame->refit();
}

void EditOperations::mirrorSelection(Direction direction)
{
    SelectItem *frame = mCanvas->selectFrame();
    if (!frame)
        return;
    const QList<QGraphicsItem *> items = frame->items();
    if (!allHaveElements(items))
        return;
    const QRectF b = mCanvas->selectionBounds(mCanvas->graphicsScene()->selectedItems());
    // A reflection about the vertical (horizontal) centre line of the bounds.
    const QTransform mirror = direction == Direction::Horizontal
            ? QTransform(-1, 0, 0, 1, 2 * b.x() + b.width(), 0)
            : QTransform(1, 0, 0, -1, 0, 2 * b.y() + b.height());
    auto command = std::make_unique<AttributeUndo>();
    const TransformWriter writer(mCanvas);
    for (QGraphicsItem *item : items) {
        Node *node = nodeOf(item);
        command->addRecord(writer.commitSceneMatrix(
                node, mirror, node->element().attribute(QStringLiteral("transform"))));
    }
    mCanvas->pushUndo(std::move(command));
    frame->refit();
}

void EditOperations::nudgeSelection()
{
    // A canvas-only shift along each item's own x axis: nothing is written.
    for (QGraphicsItem *item : mCanvas->graphicsScene()->selectedItems())
        item->setTransform(QTransform::fromTranslate(50, 0) * item->transform());
}
