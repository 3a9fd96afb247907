#include "canvas/commands/elementattachment.h"

#include "canvas/graphicsgroupitem.h"
#include "canvas/itemfactory.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QGraphicsItem>

namespace ElementAttachment {

bool detach(Scene *scene, Node *element)
{
    if (!element || !element->parent())
        return false;
    if (!element->document()->detachNode(element))
        return false;
    if (QGraphicsItem *item = scene->view()->itemOf(element)) {
        scene->forgetItem(item);
        if (item->scene())
            item->scene()->removeItem(item);
    }
    element->parent()->fitContainerToChildren();
    return true;
}

bool reattach(Scene *scene, Node *element)
{
    if (!element || !element->parent())
        return false;
    if (!element->document()->reattachNode(element))
        return false;
    if (QGraphicsItem *item = scene->view()->itemOf(element)) {
        if (QGraphicsItem *parentItem = scene->view()->itemFactory()->containerItem(element->parent()))
            item->setParentItem(parentItem);
        if (!item->scene())
            scene->addItem(item);
    }
    element->parent()->fitContainerToChildren();
    return true;
}

void destroyDetached(Scene *scene, Node *element)
{
    if (!element || element->parent()->hasCachedChild(element))
        return;
    if (QGraphicsItem *item = scene->view()->itemOf(element))
        scene->forgetItem(item);
    // The factory deletes the items, which are in no scene now.
    delete element;
}

void removeGroup(Scene *scene, GraphicsGroupItem *group)
{
    if (!group)
        return;
    scene->forgetItem(group);
    if (group->scene())
        group->scene()->removeItem(group);
}

void addGroup(Scene *scene, GraphicsGroupItem *group)
{
    if (group && !group->scene())
        scene->addItem(group);
}

void destroyGroup(Scene *scene, GraphicsGroupItem *group)
{
    if (!group || group->scene())
        return;
    scene->forgetItem(group);
    delete group;
}

} // namespace ElementAttachment
