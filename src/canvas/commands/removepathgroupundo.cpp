#include "canvas/commands/removepathgroupundo.h"

#include "canvas/commands/elementattachment.h"

#include <QDebug>

RemovePathGroupUndo::RemovePathGroupUndo(const QList<Node *> &parts, Node *path, Scene *scene)
    : Undo(UndoKind::RemovePathGroup)
    , mParts(parts)
    , mPath(path)
    , mScene(scene)
{
}

RemovePathGroupUndo::~RemovePathGroupUndo()
{
    if (mApplied) {
        ElementAttachment::destroyDetached(mScene, mPath);
    } else {
        for (Node *element : qAsConst(mParts))
            ElementAttachment::destroyDetached(mScene, element);
    }
}

void RemovePathGroupUndo::doSomething()
{
    if (undoing()) {
        qDebug() << "RemovePathGroupUndo::doSomething(){1";
        for (Node *element : qAsConst(mParts))
            ElementAttachment::detach(mScene, element);
        qDebug() << "RemovePathGroupUndo::doSomething(){2";
        ElementAttachment::reattach(mScene, mPath);
    } else {
        // The inverse of the undo, step by step, so rows come back exactly.
        qDebug() << "undo RemovePathGroupUndo::doSomething(){1";
        ElementAttachment::detach(mScene, mPath);
        qDebug() << "undo RemovePathGroupUndo::doSomething(){1";
        for (int i = mParts.size() - 1; i >= 0; --i)
            ElementAttachment::reattach(mScene, mParts.at(i));
    }
    mApplied = !undoing();
}
