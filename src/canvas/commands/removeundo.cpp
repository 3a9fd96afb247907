#include "canvas/commands/removeundo.h"

#include "canvas/commands/elementattachment.h"

RemoveUndo::RemoveUndo(const QList<Node *> &elements, const QList<GraphicsGroupItem *> &groups,
                       Scene *scene)
    : Undo(UndoKind::Remove)
    , mElements(elements)
    , mGroups(groups)
    , mScene(scene)
{
}

RemoveUndo::~RemoveUndo()
{
    if (!mApplied)
        return;
    for (Node *element : qAsConst(mElements))
        ElementAttachment::destroyDetached(mScene, element);
    for (GraphicsGroupItem *group : qAsConst(mGroups))
        ElementAttachment::destroyGroup(mScene, group);
}

void RemoveUndo::doSomething()
{
    if (undoing()) {
        // Reverse order: each element returns to the row it left.
        for (int i = mElements.size() - 1; i >= 0; --i)
            ElementAttachment::reattach(mScene, mElements.at(i));
        for (GraphicsGroupItem *group : qAsConst(mGroups))
            ElementAttachment::addGroup(mScene, group);
    } else {
        for (Node *element : qAsConst(mElements))
            ElementAttachment::detach(mScene, element);
        for (GraphicsGroupItem *group : qAsConst(mGroups))
            ElementAttachment::removeGroup(mScene, group);
    }
    mApplied = !undoing();
}
