#include "canvas/tools/selecttool.h"

#include "canvas/canvascontext.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/itemfactory.h"
#include "canvas/selectingtool.h"
#include "canvas/selectitem.h"
#include "canvas/transformwriter.h"
#include "document/attributeundo.h"

#include <QDebug>
#include <QGraphicsItem>
#include <QGraphicsSceneMouseEvent>
#include <QSet>
#include <QSignalBlocker>

SelectTool::SelectTool(CanvasContext *scene)
    : CanvasTool(scene)
{
}

void SelectTool::mousePress(QGraphicsSceneMouseEvent *event)
{
    // An item or handle under the pointer moves the state on while the press
    // is delivered; if none does, the press hit nothing.
    mMoved = false;
    mPressState = PressedOnEmpty;
    scene()->deliver(event);
    if (mPressState != PressedOnEmpty)
        return;
    qDebug() << "clearUpSelected();";
    scene()->clearSelectionQuietly();
    scene()->clearUpSelected();
    removeFrame();
    if (event->button() == Qt::LeftButton && !mHandDragging) {
        mPressState = RubberBand;
        removeRubberBand();
        mRubberBand = new SelectingTool(QRectF(event->scenePos(), QSizeF(0, 0)), scene()->graphicsScene());
        scene()->graphicsScene()->addItem(mRubberBand);
    }
}

void SelectTool::moveBy(QGraphicsItem *item, const QPointF &from, const QPointF &to)
{
    if (item->type() == GraphicsGroupItem::Type) {
        auto *group = static_cast<GraphicsGroupItem *>(item);
        for (QGraphicsItem *member : group->members())
            moveBy(member, from, to);
        group->boundsChanged();
        return;
    }
    const QPointF d = TransformWriter::positionShift(item, from, to);
    if (d.isNull())
        return;
    mMoved = true;
    item->setPos(item->pos() + d);
}

void SelectTool::mouseMove(QGraphicsSceneMouseEvent *event)
{
    scene()->deliver(event);
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (mPressState == RubberBand && mRubberBand) {
        mRubberBand->stretchTo(event->scenePos().x(), event->scenePos().y());
        return;
    }
    if (mPressState != PressedOnItem)
        return;
    const QPointF from = event->lastScenePos();
    const QPointF to = event->scenePos();
    for (QGraphicsItem *item : scene()->graphicsScene()->selectedItems())
        moveBy(item, from, to);
    if (mFrame)
        mFrame->moveBy(to.x() - from.x(), to.y() - from.y());
}

void SelectTool::commitDrag()
{
    const QList<QGraphicsItem *> moved = SelectItem::flatten(scene()->graphicsScene()->selectedItems());
    // Checked first, so that no element is written without its undo record.
    for (QGraphicsItem *item : moved) {
        if (!ItemFactory::nodeOf(item)) {
            qDebug() << "con't reinterpret_cast node";
            return;
        }
    }
    auto command = std::make_unique<AttributeUndo>();
    const TransformWriter writer(scene());
    for (QGraphicsItem *item : moved)
        command->addRecord(writer.commitMove(ItemFactory::nodeOf(item)));
    // The push refits the frame and shows the selection again.
    scene()->pushUndo(std::move(command));
}

void SelectTool::mouseRelease(QGraphicsSceneMouseEvent *event)
{
    scene()->deliver(event);
    mHandDragging = false;
    if (mPressState == PressedOnItem && mMoved) {
        mMoved = false;
        commitDrag();
    } else if (mPressState == RubberBand && mRubberBand) {
        SelectingTool *band = mRubberBand;
        mRubberBand = nullptr;
        const QList<QGraphicsItem *> covered = band->coveredItems();
        scene()->graphicsScene()->removeItem(band);
        delete band;
        selectBanded(covered);
    }
}

void SelectTool::mouseDoubleClick(QGraphicsSceneMouseEvent *event)
{
    // Delivered so that a text item starts editing.
    mPressState = DoubleClicked;
    scene()->deliver(event);
}

void SelectTool::finish()
{
    removeRubberBand();
    mMoved = false;
}

void SelectTool::removeRubberBand()
{
    if (!mRubberBand)
        return;
    scene()->graphicsScene()->removeItem(mRubberBand);
    delete mRubberBand;
    mRubberBand = nullptr;
}

void SelectTool::removeFrame()
{
    if (!mFrame)
        return;
    SelectItem *frame = mFrame;
    mFrame = nullptr;
    // QGraphicsItem's scene: the frame's own scene() names its owner even
    // when it is no longer shown.
    if (QGraphicsScene *shown = frame->QGraphicsItem::scene())
        shown->removeItem(frame);
    delete frame;
}

void SelectTool::rebuildFrame(const QList<QGraphicsItem *> &items)
{
    removeFrame();
    const QList<QGraphicsItem *> flat = SelectItem::flatten(items);
    // The transforms an undo restores are saved when a gesture on the frame
    // starts, not for every selection.
    mFrame = new SelectItem(scene()->selectionBounds(flat), scene(), flat);
}

void SelectTool::leftSelected(QGraphicsItem *item)
{
    mPressState = PressedOnItem;
    GraphicsGroupItem *group = SelectItem::ownerGroupOf(item);
    QGraphicsItem *picked = group ? static_cast<QGraphicsItem *>(group) : item;
    // Pressing one of several selected items drags them all; pressing any
    // other item picks it alone.
    const QList<QGraphicsItem *> selected = scene()->graphicsScene()->selectedItems();
    if (selected.size() > 1 && selected.contains(picked))
        return;
    scene()->clearSelectionQuietly();
    scene()->clearSelectedItemList();
    picked->setSelected(true);
    scene()->appendSelectedItem(item);
    if (group)
        qDebug() << "leftSelected getThisItemGroup   mSelectedItemList" << scene()->selectedItemList().size();
    else if (item->type() == GraphicsGroupItem::Type)
        qDebug() << "leftSelected GroupItem    mSelectedItemList" << scene()->selectedItemList().size();
    else
        qDebug() << "leftSelected   mSelectedItemList" << scene()->selectedItemList().size();
}

void SelectTool::leftCtlSelected(QGraphicsItem *item)
{
    mPressState = PressedOnItem;
    // Control adds to the selection and never removes from it.
    if (scene()->selectedItemList().contains(item))
        return;
    scene()->appendSelectedItem(item);
    item->setSelected(true);
    qDebug() << "leftCtlSelected   mSelectedItemList" << scene()->selectedItemList().size();
}

void SelectTool::rightSelected(QGraphicsItem *)
{
    mPressState = PressedOnItem;
    scene()->clearUpSelected();
}

void SelectTool::handlePressed()
{
    mPressState = Idle;
}

void SelectTool::selectionChanged()
{
    if (mInSelectNode)
        return;
    if (mPressState == RubberBand) {
        // Rubber-banded group members stand for their group.
        mInSelectNode = true;
        QList<QGraphicsItem *> selected = scene()->graphicsScene()->selectedItems();
        for (int i = 0; i < selected.size(); ++i) {
            if (GraphicsGroupItem *group = SelectItem::ownerGroupOf(selected.at(i))) {
                group->setSelected(true);
                selected.at(i)->setSelected(false);
                selected = scene()->graphicsScene()->selectedItems();
                i = -1;
            }
        }
        mInSelectNode = false;
        scene()->setSelectedItemList(selected);
        qDebug() << "2222222    mSelectedItemList" << selected.size();
        if (!scene()->suppressSelectionSignals())
            showSelection(selected);
        return;
    }
    if (!scene()->suppressSelectionSignals())
        showSelection(scene()->graphicsScene()->selectedItems());
}

void SelectTool::selectBanded(const QList<QGraphicsItem *> &covered)
{
    // Banded group members stand for their group, once.
    QList<QGraphicsItem *> picked;
    QSet<QGraphicsItem *> seen;
    for (QGraphicsItem *item : covered) {
        GraphicsGroupItem *group = SelectItem::ownerGroupOf(item);
        QGraphicsItem *chosen = group ? static_cast<QGraphicsItem *>(group) : item;
        if (!seen.contains(chosen)) {
            seen.insert(chosen);
            picked.append(chosen);
        }
    }
    // One selection change for the whole band, and none when nothing
    // changed, as the scene's own area selection gives.
    bool changed = false;
    mInSelectNode = true;
    {
        const QSignalBlocker quiet(scene()->graphicsScene());
        for (QGraphicsItem *item : scene()->graphicsScene()->selectedItems()) {
            if (!seen.contains(item)) {
                item->setSelected(false);
                changed = true;
            }
        }
        for (QGraphicsItem *item : qAsConst(picked)) {
            changed = changed || !item->isSelected();
            item->setSelected(true);
        }
    }
    if (changed)
        emit scene()->graphicsScene()->selectionChanged();
    mInSelectNode = false;
    if (!changed)
        return;
    scene()->setSelectedItemList(picked);
    if (!scene()->suppressSelectionSignals())
        showSelection(picked);
}

void SelectTool::showSelection(const QList<QGraphicsItem *> &selected)
{
    if (selected.isEmpty()) {
        removeFrame();
        scene()->announceNoSelection();
        return;
    }
    rebuildFrame(selected);
    const QList<QGraphicsItem *> flat = mFrame->items();
    // The frame was just fitted to the selection bounds.
    const QRectF bounds = mFrame->rect();
    scene()->announceSelection(flat, bounds, selected.size() != 1);
}
