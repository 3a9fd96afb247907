#include "canvas/commands/addpathgroupundo.h"

#include "canvas/commands/elementattachment.h"

AddPathGroupUndo::AddPathGroupUndo(const QList<Node *> &removed, Node *path, Scene *scene)
    : Undo(UndoKind::AddPathGroup)
    , mRemoved(removed)
    , mPath(path)
    , mScene(scene)
{
}

AddPathGroupUndo::~AddPathGroupUndo()
{
    if (mApplied) {
        for (Node *element : qAsConst(mRemoved))
            ElementAttachment::destroyDetached(mScene, element);
    } else {
        ElementAttachment::destroyDetached(mScene, mPath);
    }
}

void AddPathGroupUndo::doSomething()
{
    // Each direction is the exact inverse of the other, so every element
    // returns to the row it left.
    if (undoing()) {
        for (int i = mRemoved.size() - 1; i >= 0; --i)
            ElementAttachment::reattach(mScene, mRemoved.at(i));
        ElementAttachment::detach(mScene, mPath);
    } else {
        ElementAttachment::reattach(mScene, mPath);
        for (Node *element : qAsConst(mRemoved))
            ElementAttachment::detach(mScene, element);
    }
    mApplied = !undoing();
}
