#include "canvas/itemfactory.h"

#include "canvas/canvascontext.h"
#include "canvas/graphicsellipseitem.h"
#include "canvas/graphicsimageitem.h"
#include "canvas/graphicslineitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsrectitem.h"
#include "canvas/graphicstextitem.h"
#include "canvas/graphicsuseitem.h"
#include "document/ellipseelement.h"
#include "document/engravingattributes.h"
#include "document/idindex.h"
#include "document/imageelement.h"
#include "document/lineelement.h"
#include "document/pathelement.h"
#include "document/picturereader.h"
#include "document/rectelement.h"
#include "document/svgdocument.h"
#include "document/svgfile.h"
#include "document/svgelement.h"
#include "document/svgpicture.h"
#include "document/svggrammar.h"
#include "document/textelement.h"
#include "document/viewportgeometry.h"
#include "gcode/useinstance.h"
#include "import/bitmapprocessing.h"
#include "import/bitmaptracer.h"

#include <QPixmap>

namespace {

void makeTransparent(GraphicsRectItem *item)
{
    item->setBrush(Qt::transparent);
    item->setPen(QPen(Qt::transparent, 0));
}

template <typename Item>
void setShapePaint(Item *item, const Node *node)
{
    item->setBrush(node->itemBrush());
    item->setPen(node->itemPen());
    item->setHollow(node->isHollow() ? 1 : 0);
}

QRectF ellipseBox(const EllipseElement *ellipse)
{
    const QPointF c = ellipse->center();
    const QSizeF r = ellipse->radii();
    return QRectF(c.x() - r.width(), c.y() - r.height(), 2 * r.width(), 2 * r.height());
}

} // namespace

ItemFactory::ItemFactory(SVGView *view, CanvasContext *scene)
    : mView(view)
    , mScene(scene)
{
}

void ItemFactory::setGroupItem(const Node *node, QGraphicsItem *item)
{
    if (item)
        mGroupItems.insert(node, item);
    else
        mGroupItems.remove(node);
}

QGraphicsItem *ItemFactory::containerItem(const Node *node) const
{
    if (QGraphicsItem *group = groupItem(node))
        return group;
    return item(node);
}

Node *ItemFactory::nodeOf(const QGraphicsItem *item)
{
    return item ? static_cast<Node *>(item->data(0).value<void *>()) : nullptr;
}

void ItemFactory::nodeCreated(Node *node)
{
    if (!node->isOnCanvas())
        return;
    if (node->type() == NodeType::Svg)
        makePage(node);
    else if (QGraphicsItem *item = makeItem(node))
        mItems.insert(node, item);
}

void ItemFactory::makePage(Node *svg)
{
    const QRectF page = static_cast<const SVGElement *>(svg)->pageRect();
    auto *pageRect = new QGraphicsRectItem(page);
    pageRect->setPen(QPen(Qt::transparent));
    pageRect->setZValue(0);
    pageRect->setData(0, QVariant::fromValue(static_cast<void *>(svg)));
    auto *contentRect = new QGraphicsRectItem(page, pageRect);
    contentRect->setBrush(Qt::transparent);
    contentRect->setPen(QPen(Qt::transparent));
    contentRect->setZValue(0);
    // A nested svg sits inside its parent's item, its content placed by its
    // viewport as the job places it; only the document element owns the
    // scene's work area.
    if (QGraphicsItem *parentItem = containerItem(svg->parent())) {
        pageRect->setParentItem(parentItem);
        const QDomElement element = svg->element();
        QSizeF inner;
        const QTransform place =
                ViewportGeometry::nestedPlacement(element, ViewportGeometry::viewportAround(element), &inner);
        pageRect->setTransform(place * SvgGrammar::transformFromAttribute(element));
        // Its rectangles are its viewport, seen from inside.
        const QRectF box = ViewportGeometry::viewBox(element);
        const QRectF viewport = box.isEmpty() ? QRectF(QPointF(0, 0), inner) : box;
        pageRect->setRect(viewport);
        contentRect->setRect(viewport);
    } else {
        mScene->graphicsScene()->setSceneRect(page);
        mScene->graphicsScene()->addItem(pageRect);
    }
    mPageRects.insert(svg, pageRect);
    mItems.insert(svg, contentRect);
}

QGraphicsItem *ItemFactory::makeItem(Node *node)
{
    switch (node->type()) {
    case NodeType::G: {
        auto *item = new GraphicsRectItem(mView);
        item->setRect(-1, -1, -1, -1);
        item->setPassThrough(true);
        makeTransparent(item);
        attach(node, item);
        // A layer is no shape of its own: its children are picked.
        item->setFlag(QGraphicsItem::ItemIsMovable, false);
        item->setFlag(QGraphicsItem::ItemIsSelectable, false);
        return item;
    }
    case NodeType::A: {
        auto *item = new GraphicsRectItem(mView);
        item->setRect(0, 0, 0, 0);
        makeTransparent(item);
        return attach(node, item);
    }
    case NodeType::Rect: {
        const auto *rect = static_cast<const RectElement *>(node);
        auto *item = new GraphicsRectItem(mView);
        item->setRect(QRectF(QPointF(0, 0), rect->size()));
        item->setPos(rect->position());
        attach(node, item);
        setShapePaint(item, node);
        return item;
    }
    case NodeType::Circle:
    case NodeType::Ellipse: {
        const QRectF box = ellipseBox(static_cast<const EllipseElement *>(node));
        auto *item = new GraphicsEllipseItem(mView);
        item->setRect(QRectF(QPointF(0, 0), box.size()));
        item->setPos(box.topLeft());
        attach(node, item);
        setShapePaint(item, node);
        return item;
    }
    case NodeType::Line: {
        auto *item = new GraphicsLineItem(mView);
        item->setLine(static_cast<const LineElement *>(node)->line());
        attach(node, item);
        item->setPen(node->itemPen());
        return item;
    }
    case NodeType::Path:
    case NodeType::Polyline:
    case NodeType::Polygon: {
        auto *item = new GraphicsPathItem(mView);
        item->setPath(static_cast<const PathElement *>(node)->path());
        attach(node, item);
        setShapePaint(item, node);
        return item;
    }
    case NodeType::Text: {
        auto *item = new GraphicsTextItem(mView);
        item->setPos(static_cast<const TextElement *>(node)->position());
        syncText(node, item);
        attach(node, item);
        syncPaint(node, item);
        return item;
    }
    case NodeType::Image: {
        auto *item = new GraphicsImageItem(mView);
        syncBitmap(node, item);
        item->setPos(static_cast<const ImageElement *>(node)->position());
        return attach(node, item);
    }
    case NodeType::Use: {
        auto *item = new GraphicsUseItem(mView);
        syncInstance(node, item);
        return attach(node, item);
    }
    default:
        return nullptr;
    }
}

void ItemFactory::syncInstance(const Node *node, QGraphicsItem *item, const IdLookup &lookup)
{
    if (item->type() != GraphicsUseItem::Type)
        return;
    const SVGDocument *document = node->document();
    const UseInstance instance(node->element(), document->styles(),
                               lookup ? lookup : [document](const QString &id) { return document->elementById(id); });
    auto *use = static_cast<GraphicsUseItem *>(item);
    use->show(instance, [this, document](const QString &href, const QSize &shown) {
        return instancePicture(href, shown, document->baseFolder());
    });
    forgetOriginals(node);
    mInstanceOriginals.insert(node, instance.originals());
    for (const QString &id : instance.originals())
        mInstancesById[id].insert(node);
}

QImage ItemFactory::instancePicture(const QString &href, const QSize &shown, const QString &baseFolder)
{
    // Found from the design's folder, as an image element finds its own; an
    // inline picture is known by its reference.
    const QString file = SvgFile::pictureFile(href, baseFolder);
    const QString source = file.isEmpty() ? href : file;
    // Instances of one picture share its image, decoded and scaled once; the
    // key shares the reference's text rather than copying a photo's Base64.
    // Pictures resized again and again must not pile up: past a few, the
    // cache starts afresh.
    if (mInstancePictures.size() >= 64 && !mInstancePictures.contains(source))
        mInstancePictures.clear();
    QVector<QPair<QSize, QImage>> &sizes = mInstancePictures[source];
    for (const auto &sized : qAsConst(sizes)) {
        if (sized.first == shown)
            return sized.second;
    }
    QImage bitmap = file.isEmpty() ? ImageElement::decodeHref(href) : SvgPicture::load(source, QString());
    // Shown at the size an image element shows it, never scaled past what
    // memory allows.
    if (!bitmap.isNull() && !shown.isEmpty() && double(shown.width()) * shown.height() <= 64e6)
        bitmap = bitmap.scaled(shown, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (sizes.size() >= 8)
        sizes.clear();
    sizes.append({ shown, bitmap });
    return bitmap;
}

void ItemFactory::forgetOriginals(const Node *use)
{
    for (const QString &id : mInstanceOriginals.take(use)) {
        auto users = mInstancesById.find(id);
        if (users == mInstancesById.end())
            continue;
        users->remove(use);
        if (users->isEmpty())
            mInstancesById.erase(users);
    }
}

void ItemFactory::refreshInstancesOf(const Node *changed, Changes changes)
{
    if (mInstanceOriginals.isEmpty())
        return;
    QList<const Node *> stale;
    if ((changes & Children) && !changed->document()->isBuilding()) {
        // Elements came or went (a deletion, a paste, an undo): any of them
        // may be, or hold, what an instance refers to.
        stale = mInstanceOriginals.keys();
    } else {
        QSet<const Node *> found;
        // An instance copies its target with all it holds: a change anywhere
        // under an element with an id it copied redraws it.
        for (const Node *n = changed; n; n = n->parent()) {
            const QString id = n->element().attribute(QStringLiteral("id"));
            if (id.isEmpty())
                continue;
            for (const Node *use : mInstancesById.value(id)) {
                if (use != changed)
                    found.insert(use);
            }
        }
        stale = found.values();
    }
    // Outside a build the document looks ids up by walking it: many
    // instances share one index instead.
    IdLookup lookup;
    QHash<QString, QDomElement> ids;
    if (stale.size() > 1) {
        ids = SvgGrammar::idIndex(changed->document()->domDocument().documentElement());
        lookup = [&ids](const QString &id) { return ids.value(id); };
    }
    QSet<const Node *> containers;
    for (const Node *use : qAsConst(stale)) {
        if (QGraphicsItem *item = mItems.value(use, nullptr)) {
            syncInstance(use, item, lookup);
            containers.insert(use->parent());
        }
    }
    // Once each: fitting walks all of a container's children.
    for (const Node *container : qAsConst(containers)) {
        if (container)
            fitContainer(container);
    }
}

template <typename Item>
Item *ItemFactory::attach(Node *node, Item *item)
{
    bool hasId = false;
    const QString id = SvgGrammar::attributeString(node->element(), QStringLiteral("id"), &hasId);
    if (hasId)
        item->setToolTip(id);
    item->setZValue(node->row());
    item->setFlag(QGraphicsItem::ItemIsMovable);
    item->setFlag(QGraphicsItem::ItemIsSelectable);
    item->setTransform(node->itemTransform(item->pos()));
    if (Node *parent = node->parent()) {
        if (QGraphicsItem *parentItem = containerItem(parent)) {
            item->setParentItem(parentItem);
            // While a tree is built, containers are fitted once it is complete.
            if (!node->document()->isBuilding())
                fitContainer(parent);
        }
    }
    item->setData(0, QVariant::fromValue(static_cast<void *>(node)));
    mScene->connectItem(item);
    return item;
}

void ItemFactory::fitContainer(const Node *node)
{
    const NodeType type = node->type();
    if (type != NodeType::G && type != NodeType::Text && type != NodeType::A)
        return;
    // The container items are QGraphicsRectItem subclasses with their own type().
    if (auto *rect = dynamic_cast<QGraphicsRectItem *>(containerItem(node)))
        rect->setRect(rect->childrenBoundingRect());
}

void ItemFactory::nodeChanged(Node *node, Changes changes)
{
    refreshInstancesOf(node, changes);
    QGraphicsItem *item = mItems.value(node, nullptr);
    if (!item)
        return;
    if (changes & Children)
        fitContainer(node);
    if (changes & Bitmap)
        syncBitmap(node, item);
    if (changes & Text)
        syncText(node, item);
    if (changes & Geometry)
        syncGeometry(node, item);
    if ((changes & (Geometry | Transform)) && node->type() != NodeType::Svg)
        item->setTransform(node->itemTransform(item->pos()));
    if (changes & Paint)
        syncPaint(node, item);
}

void ItemFactory::syncGeometry(const Node *node, QGraphicsItem *item)
{
    switch (node->type()) {
    case NodeType::Svg: {
        const QRectF page = static_cast<const SVGElement *>(node)->pageRect();
        if (QGraphicsRectItem *pageRect = mPageRects.value(node, nullptr))
            pageRect->setRect(page);
        static_cast<QGraphicsRectItem *>(item)->setRect(page);
        break;
    }
    case NodeType::Rect: {
        const auto *rect = static_cast<const RectElement *>(node);
        auto *rectItem = static_cast<GraphicsRectItem *>(item);
        rectItem->setRect(QRectF(QPointF(0, 0), rect->size()));
        rectItem->setPos(rect->position());
        rectItem->setCornerRadiusX(rect->cornerRadii().width());
        rectItem->setCornerRadiusY(rect->cornerRadii().height());
        break;
    }
    case NodeType::Circle:
    case NodeType::Ellipse: {
        const QRectF box = ellipseBox(static_cast<const EllipseElement *>(node));
        auto *ellipseItem = static_cast<GraphicsEllipseItem *>(item);
        ellipseItem->setRect(QRectF(QPointF(0, 0), box.size()));
        ellipseItem->setPos(box.topLeft());
        break;
    }
    case NodeType::Line:
        static_cast<GraphicsLineItem *>(item)->setLine(static_cast<const LineElement *>(node)->line());
        break;
    case NodeType::Path:
    case NodeType::Polyline:
    case NodeType::Polygon:
        static_cast<GraphicsPathItem *>(item)->setPath(static_cast<const PathElement *>(node)->path());
        break;
    case NodeType::Text:
        item->setPos(static_cast<const TextElement *>(node)->position());
        break;
    case NodeType::Image:
        item->setPos(static_cast<const ImageElement *>(node)->position());
        break;
    case NodeType::Use:
        syncInstance(node, item);
        break;
    default:
        break;
    }
}

void ItemFactory::syncPaint(const Node *node, QGraphicsItem *item)
{
    switch (item->type()) {
    case GraphicsRectItem::Type:
        // Containers stay transparent.
        if (node->type() == NodeType::Rect)
            setShapePaint(static_cast<GraphicsRectItem *>(item), node);
        break;
    case GraphicsEllipseItem::Type:
        setShapePaint(static_cast<GraphicsEllipseItem *>(item), node);
        break;
    case GraphicsPathItem::Type:
        setShapePaint(static_cast<GraphicsPathItem *>(item), node);
        break;
    case GraphicsUseItem::Type:
        syncInstance(node, item);
        break;
    case GraphicsLineItem::Type:
        static_cast<GraphicsLineItem *>(item)->setPen(node->itemPen());
        break;
    case GraphicsTextItem::Type: {
        auto *text = static_cast<GraphicsTextItem *>(item);
        text->setBrush(node->itemBrush());
        text->setPen(node->itemPen());
        break;
    }
    default:
        break;
    }
}

void ItemFactory::syncText(const Node *node, QGraphicsItem *item)
{
    if (item->type() != GraphicsTextItem::Type)
        return;
    const auto *element = static_cast<const TextElement *>(node);
    auto *text = static_cast<GraphicsTextItem *>(item);
    // Setting the same text again would reset the caret of an edit in progress.
    if (text->toPlainText() != element->text())
        text->setPlainText(element->text());
    const TextLayoutAttributes &layout = element->layoutAttributes();
    text->setFont(element->font());
    text->setLineSpacing(layout.lineSpacing);
    text->setWordSpacing(layout.wordSpacing);
    text->setAlignment(layout.alignment);
    text->setDirection(layout.direction);
    text->layout();
}

void ItemFactory::syncBitmap(const Node *node, QGraphicsItem *item)
{
    if (item->type() != GraphicsImageItem::Type)
        return;
    const QImage bitmap = static_cast<const ImageElement *>(node)->displayedBitmap();
    auto *image = static_cast<GraphicsImageItem *>(item);
    // The canvas shows what the mode will burn, processed as the job does.
    QImage shown = bitmap;
    const QString mode = node->element().attribute(EngravingAttributes::image);
    if (!bitmap.isNull() && !mode.isEmpty()) {
        const QString processed = BitmapProcessing::process(
                mode, QStringLiteral("data:image/png;base64,") + BitmapProcessing::encodePng(bitmap),
                bitmap.width(), bitmap.height());
        if (!processed.isEmpty())
            shown = BitmapProcessing::decodeHref(QLatin1Char(',') + processed);
        // The halftone cells may round the size: the item keeps the picture's.
        if (shown.isNull())
            shown = bitmap;
        else if (shown.size() != bitmap.size())
            shown = shown.scaled(bitmap.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    image->setPixmap(QPixmap::fromImage(shown));
    image->setOutline(SvgGrammar::parsePath(BitmapTracer::traceOutline(bitmap)));
}

void ItemFactory::nodeDetached(Node *node)
{
    QGraphicsItem *item = this->item(node);
    if (!item)
        return;
    mScene->forgetItem(item);
    if (item->scene())
        item->scene()->removeItem(item);
}

void ItemFactory::nodeReattached(Node *node)
{
    QGraphicsItem *item = this->item(node);
    if (!item)
        return;
    if (QGraphicsItem *parentItem = containerItem(node->parent()))
        item->setParentItem(parentItem);
    if (!item->scene())
        mScene->graphicsScene()->addItem(item);
}

void ItemFactory::nodeDestroyed(Node *node)
{
    // An element deleted while out of the design (a dropped undo command)
    // may still be in the picking order or the frame.
    if (QGraphicsItem *detached = mItems.value(node, nullptr);
        detached && node->parent() && !node->parent()->hasCachedChild(node))
        mScene->forgetItem(detached);
    QGraphicsItem *item = mItems.take(node);
    mGroupItems.remove(node);
    forgetOriginals(node);
    if (QGraphicsRectItem *page = mPageRects.take(node))
        item = page;
    // Items in a scene belong to it; one that never reached a scene is ours.
    if (item && !item->scene() && !item->parentItem())
        delete item;
}

void ItemFactory::treeAboutToBeReplaced()
{
    mInstancePictures.clear();
    mScene->clearDocument();
}
