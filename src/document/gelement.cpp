#include "document/gelement.h"

#include "document/nodehost.h"

#include <QDebug>

GElement::GElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::G)
{
    parseStyle();
    // A g under defs or another non-drawing element is never shown; new
    // elements put there would be neither shown nor engraved.
    if (document && !document->currentLayer() && isOnCanvas()) {
        document->setCurrentLayer(this);
        qDebug() << "add g item";
    }
}

AElement::AElement(const QDomElement &element, int row, NodeHost *document, Node *parent)
    : Node(element, row, document, parent, NodeType::A)
{
    parseStyle();
}
