#include "canvas/scene.h"

#include "canvas/drawingplacer.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/graphicsimageitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicstextitem.h"
#include "canvas/graphicsuseitem.h"
#include "canvas/imagetracer.h"
#include "canvas/itembounds.h"
#include "canvas/itemfactory.h"
#include "canvas/selectitem.h"
#include "canvas/svgview.h"
#include "canvas/transformwriter.h"
#include "document/attributeundo.h"
#include "document/engravingattributes.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "document/textelement.h"
#include "document/textlayout.h"
#include "import/designimport.h"
#include "import/drawingimport.h"
#include "import/dxfreader.h"

#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSceneWheelEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QtMath>

#include <cmath>

namespace {

Node *nodeOf(const QGraphicsItem *item)
{
    return ItemFactory::nodeOf(item);
}

void merge(QString &accumulated, const QString &value)
{
    if (accumulated.isEmpty())
        accumulated = value;
    else if (accumulated != value)
        accumulated = QStringLiteral("err");
}

const QStringList &summaryKeys()
{
    static const QStringList keys = [] {
        QStringList names{"fill", "textFamily", "word", "image", "lineSpacing", "wordSpacing", "alignment",
                          "textDirection"};
        for (const EngravingParameters::Field &field : EngravingParameters::fields())
            names << EngravingParameters::nameOf(field.attribute);
        return names;
    }();
    return keys;
}

const QStringList &mergedKeys()
{
    static const QStringList keys{"fill", "textFamily", "word", "image"};
    return keys;
}

} // namespace

Scene::Scene(SVGView *view)
    : QGraphicsScene(nullptr)
    , mView(view)
{
    setBackgroundBrush(QColor(255, 255, 255, 255));
    connect(this, &QGraphicsScene::selectionChanged, this, &Scene::selectNode);
}

Scene::~Scene()
{
    // The base destructor removes the items and reports the selection
    // change, when this part of the object is already gone.
    disconnect(this, &QGraphicsScene::selectionChanged, this, &Scene::selectNode);
    clear();
}

const DefaultParameters &Scene::defaultParameters() const
{
    return mView->document()->defaultParameters();
}

void Scene::setDefaultParameters(const DefaultParameters &parameters)
{
    mView->document()->setDefaultParameters(parameters);
}

void Scene::setCopiedItems(const QList<QGraphicsItem *> &items, const QRectF &bounds)
{
    mEditOperations.setCopiedItems(items, bounds);
}

void Scene::forgetItem(QGraphicsItem *item)
{
    mSelectedItemList.removeAll(item);
    if (item->isSelected()) {
        const bool suppressed = mSuppressSelectionSignals;
        mSuppressSelectionSignals = true;
        item->setSelected(false);
        mSuppressSelectionSignals = suppressed;
    }
    // A frame around a detached item would act on it: it is rebuilt on the
    // next selection change.
    if (SelectItem *frame = selectFrame(); frame && frame->items().contains(item))
        removeSelectFrame();
}

void Scene::emitSelectionOf(SelectItem *frame)
{
    if (!frame)
        return;
    // Fitted again first: the frame and the panel must show where the items
    // are now, not where they were when the edit began.
    frame->refit();
    if (mSuppressSelectionSignals)
        return;
    emit selectionAngleChanged(selectionAngle(frame->items()));
    emit selectOneNode(propertySummary(frame->items()), frame->rect());
}

void Scene::announceNoSelection()
{
    emit selectNoneNode();
}

void Scene::announceSelection(const QList<QGraphicsItem *> &flat, const QRectF &bounds, bool plural)
{
    emit selectionAngleChanged(selectionAngle(flat));
    if (plural)
        emit selectPluralNode(propertySummary(flat), bounds);
    else
        emit selectOneNode(propertySummary(flat), bounds);
}

void Scene::requestSelectTool()
{
    emit RequestToChangeToSelect();
}

SVGDocument *Scene::document() const
{
    return mView->document();
}

ItemFactory *Scene::itemFactory() const
{
    return mView->itemFactory();
}

QGraphicsItem *Scene::itemOf(const Node *node) const
{
    return mView->itemOf(node);
}

Node *Scene::currentLayer() const
{
    return mView->currentLayer();
}

Node *Scene::drawingLayer()
{
    return mView->drawingLayer();
}

Node *Scene::addNode(const QString &tag, const QStringList &names, const QStringList &values)
{
    return mView->addNode(tag, names, values);
}

Node *Scene::createNode(const QString &tag, const QStringList &names, const QStringList &values)
{
    return mView->createNode(tag, names, values);
}

Node *Scene::pasteTextItem(const QString &tag, const QStringList &names, const QStringList &values,
                           Node *parent, const QString &text)
{
    return mView->pasteTextItem(tag, names, values, parent, text);
}

void Scene::discardNode(Node *node)
{
    mView->discardNode(node);
}

void Scene::pushUndo(std::unique_ptr<Undo> command)
{
    mView->pushUndo(std::move(command));
}

QSizeF Scene::workArea() const
{
    return mView->workArea();
}

void Scene::setDoodleTool(DoodleTool tool)
{
    mView->setDoodleTool(tool);
}

void Scene::clearDocument()
{
    mView->clearDocument();
}

double Scene::selectionAngle(const QList<QGraphicsItem *> &items) const
{
    double shared = 0;
    for (int i = 0; i < items.size(); ++i) {
        const QTransform t = items.at(i)->sceneTransform();
        const double angle = qRadiansToDegrees(std::atan2(t.m12(), t.m11()));
        if (i == 0)
            shared = angle;
        else if (qAbs(angle - shared) > 0.05)
            return 0;
    }
    // Six digits, so that a rotation and its undo show the same number.
    return std::round(shared * 1e6) / 1e6;
}

std::optional<AttributeRecord> Scene::commitMove(Node *element)
{
    return TransformWriter(this).commitMove(element);
}

void Scene::setItemProperty(const QList<QString> &names, const QList<QString> &values)
{
    mPropertyChannel.setItemProperty(names, values);
}

void Scene::attachGroup(GraphicsGroupItem *group)
{
    if (!group)
        return;
    for (QGraphicsItem *member : group->members())
        SelectItem::setOwnerGroupOf(member, group);
    group->setProperties(propertySummary(group->members()));
}

void Scene::releaseGroup(GraphicsGroupItem *group)
{
    if (!group)
        return;
    for (QGraphicsItem *member : group->members())
        SelectItem::setOwnerGroupOf(member, nullptr);
}

void Scene::clearSelectionQuietly()
{
    const bool suppressed = mSuppressSelectionSignals;
    mSuppressSelectionSignals = true;
    clearSelection();
    mSuppressSelectionSignals = suppressed;
}

void Scene::forgetDocument()
{
    activeTool()->finish();
    clearSelectionQuietly();
    mSelectedItemList.clear();
    mSelectTool.removeFrame();
    mEditOperations.clearCopied();
    mDrawingNode = nullptr;
    // The panel and the selection commands must not act on the old design.
    emit selectNoneNode();
}

void Scene::setTool(DoodleTool tool)
{
    if (tool == mTool)
        return;
    activeTool()->finish();
    mTool = tool;
}

CanvasTool *Scene::activeTool()
{
    const auto found = mTools.find(mTool);
    return found != mTools.end() ? found->second.get() : &mSelectTool;
}

bool Scene::installTool(DoodleTool code, std::unique_ptr<CanvasTool> tool)
{
    if (code == DoodleTool::Select || !tool)
        return false;
    if (code == mTool)
        activeTool()->finish();
    mTools[code] = std::move(tool);
    return true;
}

void Scene::deliver(QGraphicsSceneMouseEvent *event)
{
    switch (event->type()) {
    case QEvent::GraphicsSceneMousePress:
        QGraphicsScene::mousePressEvent(event);
        break;
    case QEvent::GraphicsSceneMouseMove:
        QGraphicsScene::mouseMoveEvent(event);
        break;
    case QEvent::GraphicsSceneMouseRelease:
        QGraphicsScene::mouseReleaseEvent(event);
        break;
    case QEvent::GraphicsSceneMouseDoubleClick:
        QGraphicsScene::mouseDoubleClickEvent(event);
        break;
    default:
        break;
    }
}

void Scene::deliver(QKeyEvent *event)
{
    QGraphicsScene::keyPressEvent(event);
}

QRectF Scene::selectionBounds(const QList<QGraphicsItem *> &items) const
{
    return ItemBounds::selectionBounds(items);
}

std::optional<QRectF> Scene::drawnBounds(const QGraphicsItem *item) const
{
    return ItemBounds::drawnBounds(item);
}

QRectF Scene::itemBounds(const QGraphicsItem *item) const
{
    const QRectF r = item->sceneBoundingRect();
    return QRectF(r.x() + 0.5, r.y() + 0.5, r.width() - 1, r.height() - 1);
}

QRectF Scene::jobBounds() const
{
    const QList<QGraphicsItem *> selected = selectedItems();
    if (!selected.isEmpty())
        return selectionBounds(selected);
    QList<QGraphicsItem *> drawable;
    for (QGraphicsItem *item : items()) {
        if (item->type() == GraphicsGroupItem::Type)
            continue;
        const Node *node = nodeOf(item);
        if (!node)
            continue;
        const int type = int(node->type());
        if ((type >= int(NodeType::Rect) && type <= int(NodeType::Text))
            || node->type() == NodeType::Image || node->type() == NodeType::Use)
            drawable.append(item);
    }
    return selectionBounds(drawable);
}

QMap<QString, QString> Scene::propertySummary(const QList<QGraphicsItem *> &items) const
{
    QMap<QString, QString> summary;
    for (const QString &key : summaryKeys())
        summary.insert(key, QString());
    // The engraving values are the last item's: formatted once, for the item
    // that wins, which keeps large selections fast.
    const Node *lastParameters = nullptr;
    const auto writeParameters = [&summary, &lastParameters] {
        if (!lastParameters)
            return;
        const PaintParameter &p = lastParameters->engraving();
        for (const EngravingParameters::Field &field : EngravingParameters::fields())
            summary[EngravingParameters::nameOf(field.attribute)] = formatParameter(p.*(field.value));
        lastParameters = nullptr;
    };
    QString &fill = summary["fill"];
    for (const QGraphicsItem *item : items) {
        if (item->type() == GraphicsGroupItem::Type) {
            writeParameters();
            const QMap<QString, QString> stored = static_cast<const GraphicsGroupItem *>(item)->properties();
            for (const QString &key : summaryKeys()) {
                const QString value = stored.value(key);
                if (mergedKeys().contains(key))
                    merge(summary[key], value);
                else if (!value.isEmpty())
                    summary[key] = value;
            }
            continue;
        }
        Node *node = nodeOf(item);
        if (!node) {
            qDebug() << "con't reinterpret_cast node";
            return {};
        }
        // Once mixed, the fill stays "err": no need to resolve further elements.
        if (fill != QLatin1String("err"))
            merge(fill, node->engraveModeValue());
        if (node->type() == NodeType::Text)
            merge(summary["textFamily"], node->styleDeclaration(QStringLiteral("font-family")));
        if (node->type() == NodeType::Image)
            merge(summary["image"], node->element().attribute(EngravingAttributes::image));
        if (item->type() == GraphicsTextItem::Type) {
            const auto *text = static_cast<const GraphicsTextItem *>(item);
            merge(summary["word"], text->toPlainText());
            summary["lineSpacing"] = formatParameter(text->lineSpacing());
            summary["wordSpacing"] = formatParameter(text->wordSpacing());
            summary["alignment"] = alignmentName(text->alignment());
            summary["textDirection"] = directionName(text->direction());
        }
        lastParameters = node;
    }
    writeParameters();
    return summary;
}

std::optional<AttributeRecord> Scene::applyAttribute(Node *element, const QString &name,
                                                     const QString &value)
{
    return SVGDocument::applyAttribute(element, name, value);
}

void Scene::takeGroup(GraphicsGroupItem *group)
{
    if (!group)
        return;
    forgetItem(group);
    if (group->scene())
        group->scene()->removeItem(group);
}

void Scene::putBackGroup(GraphicsGroupItem *group)
{
    if (group && !group->scene())
        addItem(group);
}

void Scene::deleteTakenGroup(GraphicsGroupItem *group)
{
    if (!group || group->scene())
        return;
    forgetItem(group);
    delete group;
}

void Scene::clearUpSelected()
{
    for (QGraphicsItem *item : selectedItems())
        item->setSelected(false);
    commitPendingText();
    for (QGraphicsItem *item : qAsConst(mSelectedItemList)) {
        if (item->type() == GraphicsTextItem::Type)
            static_cast<GraphicsTextItem *>(item)->stopEditing();
    }
    mSelectedItemList.clear();
}

void Scene::commitPendingText()
{
    QList<QGraphicsItem *> candidates = mSelectedItemList;
    // The text being typed into keeps the focus even where it was never picked.
    if (QGraphicsItem *focused = focusItem(); focused && !candidates.contains(focused))
        candidates.append(focused);
    auto command = std::make_unique<AttributeUndo>();
    for (QGraphicsItem *item : qAsConst(candidates)) {
        if (item->type() != GraphicsTextItem::Type)
            continue;
        auto *text = static_cast<GraphicsTextItem *>(item);
        Node *node = nodeOf(text);
        if (!node || node->type() != NodeType::Text)
            continue;
        const QString typed = text->toPlainText();
        if (typed == static_cast<TextElement *>(node)->text())
            continue;
        command->addRecord(applyAttribute(node, QStringLiteral("word"), typed));
    }
    if (!command->records().isEmpty())
        mView->pushUndo(std::move(command));
}

void Scene::finishPolyline()
{
    const auto found = mTools.find(DoodleTool::Line);
    if (found != mTools.end())
        found->second->finish();
}

void Scene::selectNode()
{
    mSelectTool.selectionChanged();
}

void Scene::rightSelected(QGraphicsItem *item)
{
    mSelectTool.rightSelected(item);
}

void Scene::leftSelected(QGraphicsItem *item)
{
    mSelectTool.leftSelected(item);
}

void Scene::leftCtlSelected(QGraphicsItem *item)
{
    mSelectTool.leftCtlSelected(item);
}

void Scene::resize()
{
    mSelectTool.handlePressed();
}

void Scene::addImage(QString fileBase64, qreal width, qreal height)
{
    if (!DesignImport::declareXlink(mView->document()->domDocument()))
        return;
    Node *layer = mView->currentLayer();
    QGraphicsItem *layerItem = layer ? mView->itemFactory()->containerItem(layer) : nullptr;
    if (!layerItem)
        return;
    const DesignImport::ImageAttributes image = DesignImport::imageAttributes(
            fileBase64, layerItem->mapFromScene(QPointF(0, 0)), width, height);
    Node *node = mView->addNode(QStringLiteral("image"), image.names, image.values);
    if (!node)
        return;
    mDrawingNode = node;
    if (QGraphicsItem *item = mView->itemOf(node))
        item->setSelected(true);
    node->setAttributes(image.names, image.values);
}

void Scene::addSvg(QString svgText)
{
    Node *layer = mView->currentLayer();
    if (!layer)
        return;
    const QDomElement group = DesignImport::svgAsGroup(mView->document()->domDocument(), svgText);
    if (group.isNull())
        return;
    QDomElement layerElement = layer->element();
    layerElement.appendChild(group);
    const int row = layerElement.childNodes().count() - 1;
    Node *node = layer->createChild(group, row);
    if (node) {
        mView->document()->buildSubtree(node);
        layer->fitContainerToChildren();
    }
    emit mView->itemModified();
}

bool Scene::addDxf(QString dxfFile)
{
    const ImportedDrawing drawing = DxfReader::read(dxfFile);
    return drawing.ok() && DrawingPlacer::addDrawing(this, drawing, drawing.unit);
}

bool Scene::addPlt(QFile &file)
{
    if (!file.isOpen() && !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "Cannot open the file";
        return false;
    }
    const ImportedDrawing drawing = DrawingImport::readPlt(file);
    return DrawingPlacer::addDrawing(this, drawing, drawing.unit);
}

void Scene::traceSelectedImage()
{
    ImageTracer::traceSelectedImage(this);
}

void Scene::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    activeTool()->mousePress(event);
}

void Scene::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    mLastScenePos = event->scenePos();
    activeTool()->mouseMove(event);
}

void Scene::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    activeTool()->mouseRelease(event);
}

void Scene::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    activeTool()->mouseDoubleClick(event);
}

void Scene::contextMenuEvent(QGraphicsSceneContextMenuEvent *event)
{
    // With a drawing tool the right button ends the gesture; a menu there
    // would also take the next click.
    if (mTool != DoodleTool::Select) {
        event->accept();
        return;
    }
    QGraphicsScene::contextMenuEvent(event);
}

void Scene::keyPressEvent(QKeyEvent *event)
{
    activeTool()->keyPress(event);
}

void Scene::wheelEvent(QGraphicsSceneWheelEvent *event)
{
    // The design view zooms; the scene ignores the wheel.
    Q_UNUSED(event)
}

void Scene::drawBackground(QPainter *painter, const QRectF &rect)
{
    QGraphicsScene::drawBackground(painter, rect);
    const QRectF area = sceneRect();
    painter->fillRect(area, Qt::white);
    const QRect r = area.toRect();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(Qt::lightGray, 0));
    painter->fillRect(r, Qt::white);
    const int step = int(mGridCell.width());
    const int vstep = int(mGridCell.height());
    if (step > 0) {
        for (int x = r.left(); x <= r.right(); x += step)
            painter->drawLine(x, r.top(), x, r.bottom());
    }
    if (vstep > 0) {
        for (int y = r.top(); y <= r.bottom(); y += vstep)
            painter->drawLine(r.left(), y, r.right(), y);
    }
    painter->setPen(QPen(Qt::black, 0));
    painter->drawRect(r);
    painter->restore();
}
