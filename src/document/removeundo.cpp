#include "document/removeundo.h"

RemoveUndo::RemoveUndo(const QList<Node *> &elements)
    : Undo(UndoKind::Remove)
    , mElements(elements)
{
}

RemoveUndo::~RemoveUndo()
{
    destroyElements();
}

void RemoveUndo::destroyElements()
{
    if (mApplied) {
        for (Node *element : qAsConst(mElements))
            destroyDetached(element);
    }
    mElements.clear();
}

void RemoveUndo::doSomething()
{
    if (undoing()) {
        // Reverse order: each element returns to the row it left.
        for (int i = mElements.size() - 1; i >= 0; --i)
            reattach(mElements.at(i));
        restoreCompanions();
    } else {
        for (Node *element : qAsConst(mElements))
            detach(element);
        removeCompanions();
    }
    mApplied = !undoing();
}
