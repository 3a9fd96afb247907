#pragma once

#include "document/node.h"

class GraphicsLineItem;

// A "line": the item holds the line (x1, y1)-(x2, y2) at position (0, 0).
class LineElement : public Node
{
public:
    LineElement(const QDomElement &element, int row, SVGView *view, Node *parent);

    GraphicsLineItem *lineItem() const { return mLineItem; }
    void refreshPaint() override;

private:
    GraphicsLineItem *mLineItem = nullptr;
};
