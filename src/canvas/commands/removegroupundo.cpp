#include "canvas/commands/removegroupundo.h"

#include "canvas/commands/elementattachment.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/scene.h"

RemoveGroupUndo::RemoveGroupUndo(GraphicsGroupItem *group, Scene *scene)
    : Undo(UndoKind::RemoveGroup)
    , mGroup(group)
    , mScene(scene)
{
}

RemoveGroupUndo::~RemoveGroupUndo()
{
    if (mApplied)
        ElementAttachment::destroyGroup(mScene, mGroup);
}

void RemoveGroupUndo::doSomething()
{
    if (undoing()) {
        mScene->attachGroup(mGroup);
        ElementAttachment::addGroup(mScene, mGroup);
    } else {
        mScene->releaseGroup(mGroup);
        ElementAttachment::removeGroup(mScene, mGroup);
    }
    mApplied = !undoing();
}
