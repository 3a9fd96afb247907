#include "document/addpathgroupundo.h"

AddPathGroupUndo::AddPathGroupUndo(const QList<Node *> &removed, Node *path)
    : Undo(UndoKind::AddPathGroup)
    , mRemoved(removed)
    , mPath(path)
{
}

AddPathGroupUndo::~AddPathGroupUndo()
{
    if (mApplied) {
        for (Node *element : qAsConst(mRemoved))
            destroyDetached(element);
    } else {
        destroyDetached(mPath);
    }
}

void AddPathGroupUndo::doSomething()
{
    // Each direction is the exact inverse of the other, so every element
    // returns to the row it left.
    if (undoing()) {
        for (int i = mRemoved.size() - 1; i >= 0; --i)
            reattach(mRemoved.at(i));
        detach(mPath);
    } else {
        reattach(mPath);
        for (Node *element : qAsConst(mRemoved))
            detach(element);
    }
    mApplied = !undoing();
}
