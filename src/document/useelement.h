#pragma once

#include "document/node.h"

#include <optional>

// A "use": an instance of another element of the design, placed by its x, y
// and transform. It draws what it refers to, worked out by the canvas from
// the design as the job expands it; the element itself takes moves (its
// "transform"), its placement and its reference.
class UseElement : public Node
{
public:
    UseElement(const QDomElement &element, int row, NodeHost *document, Node *parent);

    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value) override;
};
