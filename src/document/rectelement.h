#pragma once

#include "document/attributerecord.h"
#include "document/node.h"

#include <optional>

class GraphicsRectItem;

// A "rect": item at (x, y) with the rectangle (0, 0, width, height).
class RectElement : public Node
{
public:
    RectElement(const QDomElement &element, int row, SVGView *view, Node *parent);

    GraphicsRectItem *rectItem() const { return mRectItem; }
    QPointF position() const { return {mX, mY}; }
    void setPosition(const QPointF &position);
    QSizeF size() const { return {mWidth, mHeight}; }

    void refreshPaint() override;
    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value);

private:
    double mX = 0;
    double mY = 0;
    double mWidth = 0;
    double mHeight = 0;
    GraphicsRectItem *mRectItem = nullptr;
};
