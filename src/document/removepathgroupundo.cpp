#include "document/removepathgroupundo.h"

#include <QDebug>

RemovePathGroupUndo::RemovePathGroupUndo(const QList<Node *> &parts, Node *path)
    : Undo(UndoKind::RemovePathGroup)
    , mParts(parts)
    , mPath(path)
{
}

RemovePathGroupUndo::~RemovePathGroupUndo()
{
    if (mApplied) {
        destroyDetached(mPath);
    } else {
        for (Node *element : qAsConst(mParts))
            destroyDetached(element);
    }
}

void RemovePathGroupUndo::doSomething()
{
    if (undoing()) {
        qDebug() << "RemovePathGroupUndo::doSomething(){1";
        for (Node *element : qAsConst(mParts))
            detach(element);
        qDebug() << "RemovePathGroupUndo::doSomething(){2";
        reattach(mPath);
    } else {
        // The inverse of the undo, step by step, so rows come back exactly.
        qDebug() << "undo RemovePathGroupUndo::doSomething(){1";
        detach(mPath);
        qDebug() << "undo RemovePathGroupUndo::doSomething(){1";
        for (int i = mParts.size() - 1; i >= 0; --i)
            reattach(mParts.at(i));
    }
    mApplied = !undoing();
}
