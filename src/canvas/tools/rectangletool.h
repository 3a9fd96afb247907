#pragma once

#include "canvas/tools/drawingtool.h"

// Drags out a "rect" from the press point to the pointer.
class RectangleTool : public DrawingTool
{
public:
    using DrawingTool::DrawingTool;

    void mousePress(QGraphicsSceneMouseEvent *event) override;
    void mouseMove(QGraphicsSceneMouseEvent *event) override;
    void mouseRelease(QGraphicsSceneMouseEvent *event) override;
    void finish() override;

private:
    QPointF mOrigin;
};
