#pragma once

#include "document/node.h"

// A "rect": drawn at (x, y) with the rectangle (0, 0, width, height).
class RectElement : public Node
{
public:
    RectElement(const QDomElement &element, int row, NodeHost *document, Node *parent);

    QPointF position() const { return {mX, mY}; }
    void setPosition(const QPointF &position);
    QSizeF size() const { return {mWidth, mHeight}; }
    // Corner radii start at 0: "rx" and "ry" are read only when changed.
    QSizeF cornerRadii() const { return {mCornerRadiusX, mCornerRadiusY}; }

    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value) override;

private:
    double mX = 0;
    double mY = 0;
    double mWidth = 0;
    double mHeight = 0;
    double mCornerRadiusX = 0;
    double mCornerRadiusY = 0;
};
