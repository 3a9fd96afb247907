#pragma once

#include <QDomElement>

class Node;
class NodeHost;

// Makes the element object of the right class for a DOM element. It is the
// one place that knows every element class, so the base class and the
// element classes need not know each other.
class NodeFactory
{
public:
    // The object for `element`, the child node `row` of `parent`, without
    // children; a plain Node for kinds without a class of their own.
    static Node *create(const QDomElement &element, int row, NodeHost *host, Node *parent);
};
