#include "document/undo.h"

#include "document/node.h"
#include "document/svgdocument.h"

bool Undo::detach(Node *element)
{
    if (!element || !element->parent() || !element->document())
        return false;
    return element->document()->detachNode(element);
}

bool Undo::reattach(Node *element)
{
    if (!element || !element->parent() || !element->document())
        return false;
    return element->document()->reattachNode(element);
}

void Undo::destroyDetached(Node *element)
{
    if (!element || !element->parent() || element->parent()->hasCachedChild(element))
        return;
    delete element;
}
