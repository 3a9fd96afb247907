#include "canvas/tools/selecttool.h"

#include "canvas/scene.h"

#include <QDebug>
#include <QGraphicsItem>

SelectTool::SelectTool(Scene *scene)
    : CanvasTool(scene)
{
}

void SelectTool::mousePress(QGraphicsSceneMouseEvent *event)
{
    // An item or handle under the pointer moves the state on while the press
    // is delivered; if none does, the press hit nothing.
    mPressState = PressedOnEmpty;
    scene()->deliver(event);
}

void SelectTool::mouseMove(QGraphicsSceneMouseEvent *event)
{
    scene()->deliver(event);
}

void SelectTool::mouseRelease(QGraphicsSceneMouseEvent *event)
{
    scene()->deliver(event);
}

void SelectTool::mouseDoubleClick(QGraphicsSceneMouseEvent *event)
{
    // Delivered so that a text item starts editing.
    mPressState = DoubleClicked;
    scene()->deliver(event);
}

void SelectTool::leftSelected(QGraphicsItem *item)
{
    mPressState = PressedOnItem;
    // Pressing one of several selected items drags them all.
    if (scene()->selectedItems().size() > 1)
        return;
    scene()->clearSelectionQuietly();
    item->setSelected(true);
    scene()->appendSelectedItem(item);
    qDebug() << "leftSelected   mSelectedItemList" << scene()->selectedItemList().size();
}

void SelectTool::leftCtlSelected(QGraphicsItem *item)
{
    mPressState = PressedOnItem;
    // Control adds to the selection and never removes from it.
    if (scene()->selectedItemList().contains(item))
        return;
    item->setSelected(true);
    scene()->appendSelectedItem(item);
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
