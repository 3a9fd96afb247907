#pragma once

#include "canvas/tools/drawingtool.h"

// Drags out an "ellipse" between the press point and the pointer; with
// Control alone held it is a circle.
class EllipseTool : public DrawingTool
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
