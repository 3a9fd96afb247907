#pragma once

#include "canvas/tools/canvastool.h"
#include "canvas/tools/scenepressstate.h"

#include <QList>
#include <QPointF>

class QGraphicsItem;
class SelectItem;
class SelectingTool;

// The Select tool. Presses are delivered to the items, which report them
// through the scene's item slots; those forward here, and the press state
// left behind tells the rest of the gesture what the press hit: a drag of
// the selection, a handle of the frame or a rubber band.
class SelectTool : public CanvasTool
{
public:
    explicit SelectTool(CanvasContext *scene);

    ScenePressState pressState() const { return mPressState; }
    void setPressState(ScenePressState state) { mPressState = state; }

    void mousePress(QGraphicsSceneMouseEvent *event) override;
    void mouseMove(QGraphicsSceneMouseEvent *event) override;
    void mouseRelease(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClick(QGraphicsSceneMouseEvent *event) override;
    void finish() override;

    // Reports from the items while a press is delivered.
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);
    void rightSelected(QGraphicsItem *item);
    void handlePressed();

    // On every change of the scene's selection: groups for rubber-banded
    // members, a new frame and the selection signals.
    void selectionChanged();

    SelectItem *frame() const { return mFrame; }
    // Deletes the frame; nothing may act on it afterwards.
    void removeFrame();
    // A new frame around the items (groups flattened).
    void rebuildFrame(const QList<QGraphicsItem *> &items);
    bool handDragging() const { return mHandDragging; }
    void setHandDragging(bool dragging) { mHandDragging = dragging; }

private:
    void moveBy(QGraphicsItem *item, const QPointF &from, const QPointF &to);
    void commitDrag();
    void removeRubberBand();
    // Selects what a band covered, as one selection change.
    void selectBanded(const QList<QGraphicsItem *> &covered);
    // Frames `selected` and sends its summary to the panel.
    void showSelection(const QList<QGraphicsItem *> &selected);

    ScenePressState mPressState = PressedOnItem;
    bool mMoved = false;
    bool mHandDragging = false;
    bool mInSelectNode = false;
    SelectItem *mFrame = nullptr;
    SelectingTool *mRubberBand = nullptr;
};
