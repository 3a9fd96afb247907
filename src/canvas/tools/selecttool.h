#pragma once

#include "canvas/tools/canvastool.h"
#include "canvas/tools/scenepressstate.h"

class QGraphicsItem;

// The Select tool. Presses are delivered to the items, which report them
// through the scene's item slots; those forward here, and the press state
// left behind tells the rest of the gesture what the press hit.
class SelectTool : public CanvasTool
{
public:
    explicit SelectTool(Scene *scene);

    ScenePressState pressState() const { return mPressState; }
    void setPressState(ScenePressState state) { mPressState = state; }

    void mousePress(QGraphicsSceneMouseEvent *event) override;
    void mouseMove(QGraphicsSceneMouseEvent *event) override;
    void mouseRelease(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClick(QGraphicsSceneMouseEvent *event) override;

    // Reports from the items while a press is delivered.
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);
    void rightSelected(QGraphicsItem *item);
    void handlePressed();

private:
    ScenePressState mPressState = PressedOnItem;
};
