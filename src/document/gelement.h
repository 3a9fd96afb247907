#pragma once

#include "document/node.h"

// A "g": an invisible container that encloses its children and is not
// picked itself; the first one on the canvas becomes the document's
// current layer, where new elements go.
class GElement : public Node
{
public:
    GElement(const QDomElement &element, int row, NodeHost *document, Node *parent);
};

// An "a": a container like "g", but movable and selectable as a whole.
class AElement : public Node
{
public:
    AElement(const QDomElement &element, int row, NodeHost *document, Node *parent);
};
