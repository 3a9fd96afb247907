#include "canvas/itemfactory.h"

#include "canvas/canvascontext.h"
#include "canvas/graphicsellipseitem.h"
#include "canvas/graphicsimageitem.h"
#include "canvas/graphicslineitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsrectitem.h"
#include "canvas/graphicstextitem.h"
#include "canvas/graphicsuseitem.h"
#include "document/svgpaint.h"
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
#include "document/svgtextlayout.h"
#include "document/svggrammar.h"
#include "document/textelement.h"
#include "document/viewportgeometry.h"
#include "gcode/markerplacer.h"
#include "gcode/outlineshape.h"
#include "gcode/shapeclipper.h"
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

// Shows an item through the clip region of its element (element user
// space); a clip that holds all of a shape changes nothing and is left off,
// so that most of a PDF export's page-box clips cost nothing to draw.
template <typename Item>
void showClip(Item *item, bool clipped, const QPainterPath &region, bool holdsOthers)
{
    if (!clipped) {
        item->clearClipRegion();
        return;
    }
    const QPainterPath local = region.translated(-item->pos());
    if (!holdsOthers && local.contains(item->boundingRect())) {
        item->clearClipRegion();
        return;
    }
    item->setClipRegion(local, holdsOthers);
}

// A line with no elements at all means "no dashes": the geometry is drawn.
// A lone move (dashes that are all gap) is a cut line that draws nothing,
// though QPainterPath::isEmpty() holds for it too.
template <typename Item>
void showCutLine(Item *item, const QPainterPath &line)
{
    const bool none = line.elementCount() == 0;
    if (none && !item->hasCutLine())
        return;
    if (none)
        item->clearCutLine();
    else
        item->setCutLine(line);
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
    // Pasted or imported elements may bring clips, dashes or markers.
    if (mFeatures.known && !node->document()->isBuilding())
        mFeatures.scan(node->element());
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
    mPageRects.insert(svg, pageRect);
    mItems.insert(svg, contentRect);
    if (QGraphicsItem *parentItem = containerItem(svg->parent())) {
        pageRect->setParentItem(parentItem);
        placeNestedPage(svg);
    } else {
        mScene->graphicsScene()->setSceneRect(page);
        mScene->graphicsScene()->addItem(pageRect);
    }
}

void ItemFactory::placeNestedPage(const Node *svg)
{
    QGraphicsRectItem *pageRect = mPageRects.value(svg, nullptr);
    auto *contentRect = static_cast<QGraphicsRectItem *>(mItems.value(svg, nullptr));
    if (!pageRect || !contentRect)
        return;
    // A nested svg sits inside its parent's item, its content placed by its
    // viewport as the job places it; only the document element owns the
    // scene's work area.
    const QDomElement element = svg->element();
    const QSizeF outer = ViewportGeometry::viewportAround(element);
    QSizeF inner;
    const QTransform place = ViewportGeometry::nestedPlacement(element, outer, &inner)
            * SvgGrammar::transformFromAttribute(element);
    pageRect->setTransform(place);
    const QRectF box = ViewportGeometry::viewBox(element);
    const QRectF viewport = box.isEmpty() ? QRectF(QPointF(0, 0), inner) : box;
    contentRect->setRect(viewport);
    // The page rectangle is the viewport seen from inside; what lies
    // beyond it is cut off, as the job cuts it, unless "overflow" lets it show.
    const StyleResolver &styles = svg->document()->styles();
    const bool clips = ViewportGeometry::clipsToViewport(element, styles.isPlimbDesign() ? StyleResolver() : styles);
    bool invertible = false;
    const QTransform inside = place.inverted(&invertible);
    const bool axisAligned = place.type() <= QTransform::TxScale;
    pageRect->setPen(Qt::NoPen);
    pageRect->setRect(invertible && axisAligned
                              ? inside.mapRect(ViewportGeometry::nestedViewport(element, outer))
                              : viewport);
    pageRect->setFlag(QGraphicsItem::ItemClipsChildrenToShape, clips && invertible && axisAligned);
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
    syncShown(node, item);
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
    if (changes & (Geometry | Paint | Text))
        syncShown(node, item);
}

void ItemFactory::Features::scan(const QDomElement &top)
{
    std::vector<QDomElement> stack{ top };
    while (!stack.empty()) {
        const QDomElement e = stack.back();
        stack.pop_back();
        const QString tag = e.tagName();
        if (tag == QLatin1String("clipPath") || tag == QLatin1String("mask"))
            clips = true;
        else if (tag == QLatin1String("marker"))
            markers = true;
        else if (tag == QLatin1String("style") && e.text().contains(QLatin1String("stroke-dasharray")))
            dashes = true;
        if (e.hasAttribute(QStringLiteral("stroke-dasharray"))
            || e.attribute(QStringLiteral("style")).contains(QLatin1String("stroke-dasharray")))
            dashes = true;
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back(c);
    }
}

const ItemFactory::Features &ItemFactory::features(const Node *node)
{
    // One look over the design tells whether any element can be clipped,
    // dashed or marked: most designs skip the per-element checks.
    if (!mFeatures.known) {
        mFeatures.scan(node->document()->domDocument().documentElement());
        mFeatures.known = true;
    }
    return mFeatures;
}

void ItemFactory::syncShown(const Node *node, QGraphicsItem *item)
{
    const Features &has = features(node);
    if (!has.clips && !has.dashes && !has.markers)
        return;
    const SVGDocument *document = node->document();
    const StyleResolver &styles = document->styles();
    const QDomElement element = node->element();
    const auto lookup = [document](const QString &id) { return document->elementById(id); };
    QPainterPath region;
    const bool clipped = has.clips && ShapeClipper::ownRegion(element, styles, lookup, &region);
    const bool container = node->type() == NodeType::G || node->type() == NodeType::A;
    QPainterPath cut;
    const bool lineShape = item->type() == GraphicsPathItem::Type || item->type() == GraphicsLineItem::Type;
    if (has.dashes && (lineShape || item->type() == GraphicsRectItem::Type || item->type() == GraphicsEllipseItem::Type)
        && !container)
        cut = dashedOutline(node, item->pos());
    ShownParts markers;
    if (has.markers && lineShape)
        markers = markersOf(node);
    switch (item->type()) {
    case GraphicsRectItem::Type: {
        auto *rect = static_cast<GraphicsRectItem *>(item);
        showClip(rect, clipped, region, container);
        if (!container)
            showCutLine(rect, cut);
        break;
    }
    case GraphicsEllipseItem::Type:
        showClip(static_cast<GraphicsEllipseItem *>(item), clipped, region, false);
        showCutLine(static_cast<GraphicsEllipseItem *>(item), cut);
        break;
    case GraphicsPathItem::Type: {
        auto *path = static_cast<GraphicsPathItem *>(item);
        showClip(path, clipped, region, false);
        showCutLine(path, cut);
        path->setMarkers(markers);
        break;
    }
    case GraphicsLineItem::Type: {
        auto *line = static_cast<GraphicsLineItem *>(item);
        showClip(line, clipped, region, false);
        showCutLine(line, cut);
        line->setMarkers(markers);
        break;
    }
    case GraphicsImageItem::Type:
        showClip(static_cast<GraphicsImageItem *>(item), clipped, region, false);
        break;
    case GraphicsTextItem::Type:
        showClip(static_cast<GraphicsTextItem *>(item), clipped, region, false);
        break;
    case GraphicsUseItem::Type:
        showClip(static_cast<GraphicsUseItem *>(item), clipped, region, false);
        break;
    default:
        break;
    }
}

QPainterPath ItemFactory::dashedOutline(const Node *node, const QPointF &itemPos) const
{
    const StyleResolver &styles = node->document()->styles();
    const QDomElement element = node->element();
    // Outlines are cut in dashes; a filled shape's stroke is rendered in
    // dashes too.
    const StyleResolver::Paint &paint = node->resolvedPaint();
    const EngraveMode mode = styles.engraveMode(element, paint);
    const bool stroked = paint.strokeSet && paint.stroke.trimmed() != QLatin1String("none");
    if (mode == EngraveMode::None || (mode == EngraveMode::Fill && !stroked))
        return QPainterPath();
    bool found = false;
    const QVector<double> pattern =
            ShapeClipper::dashPattern(styles.inheritedValue(element, QStringLiteral("stroke-dasharray"), &found));
    if (!found || pattern.isEmpty())
        return QPainterPath();
    double offset = 0;
    const QString offsetText = styles.inheritedValue(element, QStringLiteral("stroke-dashoffset"), &found);
    if (found && !ViewportGeometry::cssLength(offsetText, 16, &offset))
        offset = 0;
    // The outline as the job dashes it (same start, same direction), in the
    // element's user space, then in the item's.
    const QTransform own = SvgGrammar::transformFromAttribute(element);
    bool invertible = false;
    const QTransform back = own.inverted(&invertible);
    if (!invertible)
        return QPainterPath();
    const QPainterPath outline = OutlineShape::dashPath(element, back).translated(-itemPos);
    const QPainterPath dashes = ShapeClipper::dashLines(outline, pattern, offset);
    // Nothing on: keep a path that draws nothing rather than the solid line.
    if (dashes.isEmpty()) {
        QPainterPath nothing;
        nothing.moveTo(outline.currentPosition());
        return nothing;
    }
    return dashes;
}

ShownParts ItemFactory::markersOf(const Node *node)
{
    ShownParts parts;
    const SVGDocument *document = node->document();
    const StyleResolver &styles = document->styles();
    const QDomElement element = node->element();
    // The shape alone with the markers it names, placed as the job places
    // them, in the shape's user space.
    QDomDocument scratch;
    QDomElement root = scratch.createElement(QStringLiteral("svg"));
    scratch.appendChild(root);
    QDomElement defs = scratch.createElement(QStringLiteral("defs"));
    root.appendChild(defs);
    QDomElement holder = scratch.createElement(QStringLiteral("g"));
    holder.setAttribute(QStringLiteral("id"), QStringLiteral("plimb-markers"));
    root.appendChild(holder);
    QDomElement shape = scratch.importNode(element, false).toElement();
    shape.removeAttribute(QStringLiteral("transform"));
    bool any = false;
    for (const char *name : { "marker-start", "marker-mid", "marker-end" }) {
        const QString property = QLatin1String(name);
        const QString id = SvgGrammar::referencedId(styles.inheritedValue(element, property));
        const QDomElement marker = id.isEmpty() ? QDomElement() : document->elementById(id);
        if (marker.tagName() != QLatin1String("marker"))
            continue;
        shape.setAttribute(property, QStringLiteral("url(#%1)").arg(id));
        defs.appendChild(scratch.importNode(marker, true));
        any = true;
    }
    if (!any)
        return parts;
    bool found = false;
    const QString width = styles.inheritedValue(element, QStringLiteral("stroke-width"), &found);
    if (found)
        shape.setAttribute(QStringLiteral("stroke-width"), width);
    holder.appendChild(shape);
    MarkerPlacer::placeMarkers(scratch);
    holder.removeChild(shape);
    QDomElement use = scratch.createElement(QStringLiteral("use"));
    use.setAttribute(QStringLiteral("href"), QStringLiteral("#plimb-markers"));
    root.appendChild(use);
    const UseInstance instance(use, styles, [&holder](const QString &id) {
        return id == QLatin1String("plimb-markers") ? holder : QDomElement();
    });
    parts.build(instance, ShownParts::PictureLoader());
    return parts;
}

void ItemFactory::syncGeometry(const Node *node, QGraphicsItem *item)
{
    switch (node->type()) {
    case NodeType::Svg: {
        if (node->parent() && containerItem(node->parent())) {
            placeNestedPage(node);
            break;
        }
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
    // Text from other programs shows as SVG lays it out, as the job cuts it.
    const StyleResolver &styles = node->document()->styles();
    if (!styles.isPlimbDesign())
        text->setGlyphs(SvgTextLayout::outline(node->element(), styles).translated(-text->pos()), element->text());
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
    const QString mode = StyleResolver::imageMode(node->element(), node->document()->styles().isPlimbDesign());
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
    mFeatures = Features();
    mInstancePictures.clear();
    mScene->clearDocument();
}
