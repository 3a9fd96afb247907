#pragma once

#include "canvas/tools/drawingtool.h"

// Places a "text" at the press point, starts editing it on release and
// hands over to the Select tool, so the keys that follow go into the text.
class TextTool : public DrawingTool
{
public:
    using DrawingTool::DrawingTool;

    void mousePress(QGraphicsSceneMouseEvent *event) override;
    void mouseRelease(QGraphicsSceneMouseEvent *event) override;
    void finish() override;
};
