#pragma once

#include "document/node.h"

#include <QLineF>

// A "line" from (x1, y1) to (x2, y2), drawn with its pen only.
class LineElement : public Node
{
public:
    LineElement(const QDomElement &element, int row, NodeHost *document, Node *parent);

    QLineF line() const { return mLine; }

    // Only "transform", which is how moves of a line are written.
    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value) override;

private:
    QLineF mLine;
};
